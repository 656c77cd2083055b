// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

class Configuration;
class EditHistory;
class QWidget;
class UserDialogs;

// New, Open, Save and Save As, and the save prompt that guards unsaved changes. A file is
// taken as the current one only once it has been read or written completely, so a rejected
// file or a failed save never becomes the target of the next Save. Loads start a new edit
// history; saves mark where in it the file stands.
class FileCommands {
    Q_DECLARE_TR_FUNCTIONS(FileCommands)

public:
    FileCommands(Configuration& config, EditHistory& history, UserDialogs& dialogs,
                 QWidget* window);

    void fileNew();
    void fileOpen();
    // False when nothing was saved (the dialog was cancelled or the write failed).
    bool fileSave();
    bool fileSaveAs();
    // Asks whether to save unsaved changes; false when the calling command must stop.
    bool maySetConfigurationAside();

private:
    bool saveTo(const QString& path);

    Configuration& m_config;
    EditHistory& m_history;
    UserDialogs& m_dialogs;
    QWidget* m_window;
};
