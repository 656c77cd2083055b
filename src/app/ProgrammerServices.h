// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/KeyPressSource.h"

#include <functional>
#include <memory>

struct AccessSetup;
class HidAccess;
class KeySelector;
class PlugMonitor;
class RestoreJournal;
class UnitSelector;
class UserDialogs;

// What the main window talks to outside itself; tests hand in scripted versions.
struct ProgrammerServices {
    HidAccess& access;
    UserDialogs& dialogs;
    UnitSelector* unitSelector = nullptr;     // null: the unit-selection window, made on first use
    KeySelector* keySelector = nullptr;       // null: the on-screen keyboard
    const AccessSetup* accessSetup = nullptr; // null: AccessSetup::probe(), when needed
    // Where Identify Inputs reads a unit's presses; null: the units are emulated, with no
    // keyboard of their own, and the Identify window reads the keys that reach it.
    KeyPressSourceFactory keyPresses = nullptr;
    // The units' own configurations kept while they hold a temporary one; null: the one in
    // the user's state folder.
    RestoreJournal* journal = nullptr;
    // News of units plugged in, to offer a kept configuration back once its unit is there;
    // null: no such news.
    std::function<std::unique_ptr<PlugMonitor>()> plugMonitor = nullptr;
};
