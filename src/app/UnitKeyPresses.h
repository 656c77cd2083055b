// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "identify/KeyPressSource.h"

#include <QString>
#include <functional>
#include <memory>

// The presses of a unit's own keyboard interface while its inputs are identified, or why
// they cannot be had: facts that the Identify window puts into words before it falls back
// to the keys that reach it.
struct UnitKeyPresses {
    enum class Failure {
        None,
        Emulated,     // the unit lives in this program: it has no keyboard of its own
        NoKeyboard,   // no keyboard event node belongs to the unit's USB device
        AccessDenied, // the node is there, but this user may not read it
        Busy,         // another program holds the node
        OpenFailed,
    };
    std::unique_ptr<KeyPressSource> source; // null unless the failure is None
    Failure failure = Failure::Emulated;
    QString node;        // the event node, where one was found
    int systemError = 0; // errno
};

// Opens a unit's presses by its number (in the numbering of the command under way).
using UnitKeyPressesFactory = std::function<UnitKeyPresses(int unit)>;
