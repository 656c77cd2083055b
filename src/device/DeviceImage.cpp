// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceImage.h"

#include "model/Configuration.h"

DeviceImage BuildDeviceImage(const Configuration& config) {
    DeviceImage image;
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        image.set(2 * k + 1, config.modifierByte(k));
        image.set(2 * k + 2, config.slot(k).keyCode);
    }
    image.set(93, config.optionsByte());
    return image;
}

void ApplyDeviceImage(Configuration& config, const DeviceImage& image) {
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        config.applyModifierByte(k, image.at(2 * k + 1));
        config.setKeyCode(k, image.at(2 * k + 2));
    }
    config.applyOptionsByte(image.at(93));
}
