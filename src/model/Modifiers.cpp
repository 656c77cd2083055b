// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Modifiers.h"

#include "model/KeySlot.h"

quint8 EncodeModifiers(const KeySlot& s) {
    return quint8((s.control ? 1 : 0) + (s.shift ? 2 : 0) + (s.alt ? 4 : 0) + (s.repeat ? 0 : 8));
}

ModifierFlags DecodeModifiers(quint8 value) {
    // Subtractive on purpose: it is how the encoder reads the byte, so values above 15
    // must decode the same way here.
    int v = value;
    ModifierFlags f;
    if (v >= 8) {
        v -= 8;
        f.repeat = false;
    }
    if (v >= 4) {
        v -= 4;
        f.alt = true;
    }
    if (v >= 2) {
        v -= 2;
        f.shift = true;
    }
    if (v >= 1)
        f.control = true;
    return f;
}
