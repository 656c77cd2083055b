// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DemoUnits.h"

#include "device/DeviceImage.h"
#include "device/EmulatedAccess.h"
#include "model/Configuration.h"

#include <iterator>

namespace {

DeviceImage sampleConfiguration() {
    Configuration c;
    // A player's stick and buttons: arrows repeat, the buttons carry modifiers.
    const int keys[] = {0x52, 0x51, 0x50, 0x4F, 0xE0, 0xE2, 0x2C, 0xE1, 0x1E, 0x22, 0x29, 0x3A};
    for (int i = 0; i < int(std::size(keys)); ++i)
        c.setKeyCode(i, quint8(keys[i]));
    for (int i = 0; i < 4; ++i)
        c.setRepeat(i, true);
    c.setShift(8, true);
    c.setControl(9, true);
    c.setAlt(9, true);
    c.setKeyCode(12, 0xE8);
    c.setKeyCode(13, 0xEA);
    // Two spinners on the AUX port.
    const int rotary[] = {0x50, 0x4F, 0x52, 0x51, 0x2D, 0x2E};
    for (int j = 0; j < int(std::size(rotary)); ++j)
        c.setKeyCode(Configuration::InputCount + j, quint8(rotary[j]));
    c.applyModifierByte(Configuration::InputCount, 0);     // repeat
    c.applyModifierByte(Configuration::InputCount + 1, 1); // Control with repeat
    c.setOption(Configuration::Option::RotaryOnAux, true);
    return BuildDeviceImage(c);
}

} // namespace

void SetUpDemoUnits(EmulatedAccess& access) {
    access.setAttached({1, 2});
    access.unit(1).serial = {'0', '4', '1', '7'};
    access.unit(2).serial = {'1', '2', '9', '3'};
    access.unit(1).memory = sampleConfiguration();
}
