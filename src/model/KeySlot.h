// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// One key assignment: what an input (or a rotary direction) sends.
struct KeySlot {
    quint8 keyCode = 0;
    // A reset slot holds no key text at all; "0" is only written once the user picks
    // "Not Used" or a file/device loads the code. Both read as code 0.
    bool keyBlank = true;
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool repeat = false;

    QString keyTag() const { return keyBlank ? QString() : QString::number(keyCode); }
    bool operator==(const KeySlot&) const = default;
    // The same key and flags: what a unit can hold, leaving out whether the key text is blank.
    bool sameAssignment(const KeySlot& o) const {
        return keyCode == o.keyCode && shift == o.shift && control == o.control && alt == o.alt &&
               repeat == o.repeat;
    }
};
