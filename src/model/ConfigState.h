// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AuxOptions.h"
#include "model/KeySlot.h"
#include "model/SlotRole.h"

#include <array>

// Everything a user edit can change: the 46 slots, the AUX options and what each slot is for
// on the panel. The document state (modified flag, file name) is not part of it.
struct ConfigState {
    static constexpr int SlotCount = 46;

    std::array<KeySlot, SlotCount> keySlots{};
    AuxOptions aux;
    std::array<SlotRole, SlotCount> roles{};

    bool operator==(const ConfigState&) const = default;
};
