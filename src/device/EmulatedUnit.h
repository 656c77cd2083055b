// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/DeviceImage.h"
#include "device/FormatSerial.h"

#include <set>

// One emulated encoder: its serial characters, its memory and how it misbehaves on purpose.
struct EmulatedUnit {
    bool attached = false;
    SerialBytes serial{};
    DeviceImage memory = factoryMemory();
    int closingWrites = 0;          // closing writes received: the image was committed
    bool openFails = false;         // there, but cannot be opened
    bool accessDenied = false;      // with openFails: the failure is a permission problem
    std::set<int> droppedLocations; // stores to these locations are lost

    // Every slot without repeat and without a key, no options.
    static DeviceImage factoryMemory();
};
