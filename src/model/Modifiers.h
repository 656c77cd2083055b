// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

struct KeySlot;

// The four flags as a modifier byte carries them.
struct ModifierFlags {
    bool control = false;
    bool shift = false;
    bool alt = false;
    bool repeat = true;

    bool operator==(const ModifierFlags&) const = default;
};

// Control 1, Shift 2, Alt 4, and 8 when the slot does not repeat.
quint8 EncodeModifiers(const KeySlot& slot);
// The encoder's own decoding: values of 16 and more read as every modifier without repeat.
ModifierFlags DecodeModifiers(quint8 value);
