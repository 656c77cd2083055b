// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/KeyPressSource.h"

#include <functional>
#include <memory>

// The presses of a unit's own keyboard interface while its inputs are identified, or why
// they cannot be had: facts that IdentifyCommands puts into words for the Identify window,
// which then falls back to the keys that reach it.
struct UnitKeyPresses {
    std::unique_ptr<KeyPressSource> source; // null: they cannot be read, for `failure`
    KeyPressSource::Failure failure;
};

// Opens a unit's presses by its number (in the numbering of the command under way).
using UnitKeyPressesFactory = std::function<UnitKeyPresses(int unit)>;
