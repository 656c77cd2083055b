// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

struct KeySlot;

// The emulators whose key maps we write and read.
enum class Emulator { Mame, RetroArch };

// What a slot makes the emulator see: a key code (a mouse button among them) and the
// modifiers the encoder holds down with it. Code 0 is no key.
struct EmulatorKey {
    quint8 code = 0;
    bool control = false;
    bool shift = false;
    bool alt = false;

    bool isNone() const { return code == 0; }
    bool hasModifiers() const { return control || shift || alt; }
    bool operator==(const EmulatorKey&) const = default;
    static EmulatorKey of(const KeySlot& slot);
};
