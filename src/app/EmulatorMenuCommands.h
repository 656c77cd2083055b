// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulators/EmulatorKey.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

class Configuration;
class EditHistory;
class EmulatorExport;
class QMainWindow;
class UserDialogs;

// The panel roles and the emulators: Export For MAME and For RetroArch write the key map as
// a file of its own, Merge puts the binds into a user's retroarch.cfg, and Keys From An
// Emulator gives every input with a role the key an emulator expects, as one undo step.
// What an emulator will not see as the panel means it is shown before anything is written.
class EmulatorMenuCommands {
    Q_DECLARE_TR_FUNCTIONS(EmulatorMenuCommands)

public:
    EmulatorMenuCommands(Configuration& config, EditHistory& history, UserDialogs& dialogs,
                         QMainWindow* window);

    void exportFor(Emulator emulator);
    void mergeIntoRetroArch();
    void keysFromAnEmulator();

private:
    // False when the map cannot be written, or the user stops at its warnings.
    bool mayWrite(const EmulatorExport& map, const QString& title);
    // Where the export goes, the replacement of a file there agreed; nothing when cancelled.
    std::optional<QString> chooseExportFile(Emulator emulator, const QString& title);
    void showNotice(const QString& text);

    Configuration& m_config;
    EditHistory& m_history;
    UserDialogs& m_dialogs;
    QMainWindow* m_window;
};
