// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileCommands.h"

#include "app/EditHistory.h"
#include "app/UserDialogs.h"
#include "files/ConfigFile.h"
#include "model/Configuration.h"

#include <QDir>

FileCommands::FileCommands(Configuration& config, EditHistory& history, UserDialogs& dialogs,
                           QWidget* window)
    : m_config(config), m_history(history), m_dialogs(dialogs), m_window(window) {}

bool FileCommands::maySetConfigurationAside() {
    if (!m_config.configModified())
        return true;
    switch (m_dialogs.message(m_window, tr("Do You Want To Save This File?"), tr("Save File?"),
                              UserDialogs::Icon::Question, UserDialogs::Buttons::YesNoCancel)) {
    case UserDialogs::Answer::Yes:
        fileSave();
        return !m_config.configModified();
    case UserDialogs::Answer::No:
        return true;
    default:
        return false;
    }
}

void FileCommands::fileNew() {
    if (!maySetConfigurationAside())
        return;
    m_config.ClearVariables();
    m_history.startOver();
}

void FileCommands::fileOpen() {
    if (!maySetConfigurationAside())
        return;
    const std::optional<QString> path = m_dialogs.chooseOpenFile(m_window);
    if (!path || path->trimmed().isEmpty())
        return;
    const FileResult result = ReadConfigFile(m_config, *path);
    if (!result.ok()) {
        m_dialogs.message(m_window, result.message, tr("Open File"), UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
        return;
    }
    m_config.setCurrentFileName(*path);
    m_history.startOver();
    // The keys came in; what could not (roles in a damaged block) is said after.
    if (!result.warning.isEmpty())
        m_dialogs.message(m_window, result.warning, tr("Open File"), UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
}

bool FileCommands::fileSave() {
    if (m_config.currentFileName().isEmpty())
        return fileSaveAs();
    return saveTo(m_config.currentFileName());
}

bool FileCommands::fileSaveAs() {
    const std::optional<QString> path = m_dialogs.chooseSaveFile(m_window);
    if (!path || path->trimmed().isEmpty())
        return false;
    if (!saveTo(*path))
        return false;
    m_config.setCurrentFileName(*path);
    return true;
}

bool FileCommands::saveTo(const QString& path) {
    FileResult result = WriteConfigFile(m_config, path);
    if (result.status == FileResult::Status::RolesUnreadable) {
        // A newer program's roles, or a damaged block: replaced only if the user says so.
        if (m_dialogs.message(m_window, tr("%1\n\nSave the file anyway?").arg(result.message),
                              tr("Save File"), UserDialogs::Icon::Exclamation,
                              UserDialogs::Buttons::YesNoDefaultNo) != UserDialogs::Answer::Yes)
            return false;
        result = WriteConfigFile(m_config, path, ReaderWait::Refuse, UnreadableRoles::Replace);
    }
    if (!result.ok()) {
        m_dialogs.message(m_window,
                          tr("Cannot save the configuration to \"%1\":\n%2.\n\n"
                             "The configuration has not been saved.")
                              .arg(QDir::toNativeSeparators(path), result.reason),
                          tr("Save File"), UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
        return false;
    }
    m_history.markClean();
    return true;
}
