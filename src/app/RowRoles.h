// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <initializer_list>
#include <vector>

class Configuration;
class EditHistory;
class MainWindow;
class QAction;
class QString;
class QWidget;
class RoleMenu;
class RowSet;
class UserDialogs;

// The roles in the main window's rows: each row's role cell follows its slot, the label
// column makes room for the cells while any slot has a role or a label, and a row's role menu
// opens on a right click, or from the keyboard on the menu key or Ctrl+R for the row that holds
// the focus. Every choice is a step of the edit history; a role taken from another input is said
// in the status bar, which shows only while it has something to say.
class RowRoles : public QObject {
    Q_OBJECT
public:
    RowRoles(MainWindow& window, UserDialogs& dialogs, std::initializer_list<RowSet*> rows);

    // Ctrl+R (`erole`): the menu of the focused row; it rests while no row has the focus.
    QAction* menuAction() const { return m_action; }
    // The menu of `slot`'s row, at `globalPos` or, opened from the keyboard, under its label.
    void openMenu(int slot, QPoint globalPos, bool byKeyboard);

private:
    void showRole(int slot);
    // Shows or hides the role cells once the configuration's changes have settled, and lays
    // the rows out again for them.
    void fitColumn();
    void chooseRole(int slot, int role);
    void editLabel(int slot);
    void showNotice(const QString& text);
    RowSet* rowsOf(int slot) const;
    void followFocus(QWidget* old, QWidget* now);
    void followClick(int slot);

    MainWindow& m_window;
    Configuration& m_config;
    EditHistory& m_history;
    UserDialogs& m_dialogs;
    std::vector<RowSet*> m_rows;
    QAction* m_action;
    QPointer<RoleMenu> m_menu;
    QTimer m_fitColumn;
    int m_focusedSlot = -1; // the row whose control holds the focus
};
