// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/EmulatedUnit.h"

#include "model/ConfigImage.h"
#include "model/Configuration.h"

DeviceImage EmulatedUnit::factoryMemory() {
    DeviceImage image;
    // Every slot unused, without repeat.
    for (int k = 0; k < Configuration::SlotCount; ++k)
        image.set(ConfigImage::modifierLocation(k), 8);
    return image;
}
