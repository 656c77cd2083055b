// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulators/EmulatorKey.h"

#include <QList>
#include <QString>
#include <QStringView>

// Which control of each emulator a panel role is, and the key the emulator gives it when
// left to itself.
//
// MAME: the input port type ("P1_JOYSTICK_UP", "P2_BUTTON3", "START1", "COIN1",
// "SERVICE1"); Pause is UI_PAUSE, Menu the configuration menu UI_CONFIGURE, Exit
// UI_CANCEL.
//
// RetroArch: the bind's name in retroarch.cfg. The arcade buttons follow the usual
// libretro arcade layout, Button 1 to 8 as the RetroPad's B, A, Y, X, L, R, L2, R2; Start
// is start, Coin is select; Pause, Menu and Exit are the pause, menu and exit hotkeys.
// RetroArch has no Service control.
class EmulatorControls {
public:
    static QString name(Emulator emulator);
    // The port type or bind name of a role, or "" when the emulator has no such control.
    static QString control(Emulator emulator, int role);
    // The role a port type or bind name stands for, or PanelRole::None.
    static int roleOf(Emulator emulator, QStringView control);
    // The emulator's own key for the role, as it ships; none where it has no key.
    static EmulatorKey defaultKey(Emulator emulator, int role);

    // What else the emulator does on a key while a game runs, as it ships: RetroArch's
    // hotkeys (fast forward on Space, rewind on R...), MAME's own keys (soft reset on F3,
    // tilt on T...). Its name in the emulator's files, and the key.
    struct OtherKey {
        const char* name;
        EmulatorKey key;
    };
    static QList<OtherKey> otherKeys(Emulator emulator);
};
