// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/EmulatedUnit.h"

DeviceImage EmulatedUnit::factoryMemory() {
    DeviceImage image;
    for (int location = 1; location <= 92; location += 2)
        image.set(location, 8);
    return image;
}
