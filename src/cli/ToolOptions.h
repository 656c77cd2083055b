// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What one `tarvenpad` command line asks for.
struct ToolOptions {
    QString command;
    QStringList files; // the command's arguments; "-" stands for standard input or output
    int emulate = -1;  // -1: the real encoders
    bool demo = false; // the demo programmer's two units instead
    int unit = 0;
    QString serial; // a unit by its serial number, as 'units' prints it
    bool all = false;
    bool json = false;
    bool trace = false;
    bool list = false;         // preset --list
    bool forget = false;       // restore: drop the kept configuration
    bool replaceRoles = false; // a .TPD's panel roles that cannot be read give way
    bool help = false;
    bool version = false;
    QString fault;    // --emulate-fault: "fail" or "drop"
    int failAt = 0;   // emulated units: the exchange that fails
    int dropUnit = 0; // emulated units: the unit that loses a location
    int dropLocation = 0;
    QString backup;     // write: where each unit's configuration goes first
    QString log;        // watch: the CSV file each unit's outcome is appended to
    QString roles;      // identify: the set of roles to learn, as PanelRole::setKey names it
    QString output;     // identify --roles: where the unit's configuration and its roles go
    QString from;       // keys: "mame", "retroarch" or an emulator file to take the keys from
    bool merge = false; // retroarch: into an existing retroarch.cfg rather than a file of its own
};
