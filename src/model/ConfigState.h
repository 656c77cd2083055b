// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AuxOptions.h"
#include "model/KeySlot.h"

#include <array>

// Everything a user edit can change: the 46 slots and the AUX options. The document state
// (modified flag, file name) is not part of it.
struct ConfigState {
    static constexpr int SlotCount = 46;

    std::array<KeySlot, SlotCount> keySlots{};
    AuxOptions aux;

    bool operator==(const ConfigState&) const = default;
};
