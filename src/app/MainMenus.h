// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class Configuration;
class EditHistory;
class EmulatorMenuCommands;
class FileCommands;
class IdentifyCommands;
class InputTestWindow;
class LegendCommands;
class QAction;
class QMainWindow;
class QMenu;
class QString;
class TransferCommands;
class UserDialogs;

// The main window's menu bar: File, Edit, Tools and About, each item with its shortcut and
// object name, and the items resting while they may not run.
class MainMenus : public QObject {
    Q_OBJECT
public:
    struct Commands {
        Configuration& config;
        EditHistory& history;
        FileCommands& files;
        LegendCommands& legend;
        EmulatorMenuCommands& emulators;
        TransferCommands& transfers;
        IdentifyCommands& identify;
        UserDialogs& dialogs;
    };

    // Builds the menus into `window`'s menu bar; their shortcuts work while they are closed.
    MainMenus(QMainWindow& window, const Commands& commands);
    // An item of the Edit menu made elsewhere, below the history's, its shortcut the window's.
    void addEditItem(QAction* action);

private:
    void buildFileMenu();
    void buildEditMenu();
    void buildToolsMenu();
    void buildPresetsMenu(QMenu* tools);
    void buildAboutMenu();
    // Undo and Redo name their step; they rest while there is none or a transfer runs.
    void updateEditActions();
    // The unit commands rest while a transfer runs or a unit is being identified.
    void updateDeviceActions();
    void showInputTest();
    // Replaces the configuration with a preset, as one step of the edit history.
    void applyPreset(const QString& name);

    QMainWindow& m_window;
    Commands m_commands;
    QPointer<InputTestWindow> m_inputTest;
    QAction* m_sendAction = nullptr;
    QAction* m_receiveAction = nullptr;
    QAction* m_compareAction = nullptr; // a transfer too: greyed with the two above
    QAction* m_identifyAction = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_presetsMenu = nullptr;  // an edit, greyed with Undo while a transfer runs
    QAction* m_keysAction = nullptr; // an edit too, greyed with the presets
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
};
