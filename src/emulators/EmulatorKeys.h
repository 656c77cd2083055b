// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulators/EmulatorKey.h"

#include <QList>
#include <QString>
#include <QStringView>

// How each emulator names the keys the encoder sends: one table, code by code, of MAME's
// input tokens ("KEYCODE_LCONTROL", "KEYCODE_1PAD", "MOUSECODE_1_BUTTON1") and RetroArch's
// key names ("ctrl", "keypad1") or mouse button numbers. The emulator stage of CI loads
// every name here into the real programs and checks that they give each one back.
class EmulatorKeys {
public:
    // MAME's token for a code, or "" when MAME has none.
    static QString mameToken(int code);
    // The code of a MAME token (case does not matter), or -1.
    static int fromMameToken(QStringView token);
    // RetroArch's name for a key, or "" for a mouse button or a key it has no name for.
    static QString retroArchName(int code);
    // The code of a RetroArch key name, or -1; "nul" and "" are no key (0).
    static int fromRetroArchName(QStringView name);
    // RetroArch's mouse button number (1 left, 2 right, 3 middle), or 0 for a key.
    static int retroArchMouseButton(int code);
    static int fromRetroArchMouseButton(QStringView number);

    // The codes of the modifiers as the encoder sends them with a key.
    static constexpr int LeftControl = 0xE0;
    static constexpr int LeftShift = 0xE1;
    static constexpr int LeftAlt = 0xE2;
    static bool isMouse(int code) { return code >= 0xE8 && code <= 0xEA; }
    // Every key the emulator sees held while the slot's input is pressed: the modifiers,
    // then the key.
    static QList<int> heldCodes(const EmulatorKey& key);
    // "Shift + A", as the main window names what a slot sends.
    static QString text(const EmulatorKey& key);
};
