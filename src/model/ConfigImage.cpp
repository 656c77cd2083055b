// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ConfigImage.h"

namespace ConfigImage {

Bytes encode(const Configuration& config) {
    Bytes image{};
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        image[modifierLocation(k) - 1] = config.modifierByte(k);
        image[keyLocation(k) - 1] = config.slot(k).keyCode;
    }
    image[OptionsLocation - 1] = config.optionsByte();
    return image;
}

void apply(Configuration& config, const Bytes& image, int slotCount, bool withOptions) {
    for (int k = 0; k < slotCount; ++k) {
        config.applyModifierByte(k, image[modifierLocation(k) - 1]);
        config.setKeyCode(k, image[keyLocation(k) - 1]);
    }
    if (withOptions)
        config.applyOptionsByte(image[OptionsLocation - 1]);
}

} // namespace ConfigImage
