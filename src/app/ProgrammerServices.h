// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct AccessSetup;
class HidAccess;
class KeySelector;
class UnitSelector;
class UserDialogs;

// What the main window talks to outside itself; tests hand in scripted versions.
struct ProgrammerServices {
    HidAccess& access;
    UserDialogs& dialogs;
    UnitSelector* unitSelector = nullptr;     // null: the unit-selection window, made on first use
    KeySelector* keySelector = nullptr;       // null: the on-screen keyboard
    const AccessSetup* accessSetup = nullptr; // null: AccessSetup::probe(), when needed
};
