// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

class Configuration;
class QString;

// The menu of one row's role: a sub-menu of each player's controls and one of the cabinet's,
// each role checked where the row has it and naming the input that holds it elsewhere; then
// No Role and Label. It only says what was chosen; it goes when it closes.
class RoleMenu : public QMenu {
    Q_OBJECT
public:
    RoleMenu(const Configuration& config, int slot, QWidget* parent);

signals:
    void roleChosen(int role); // PanelRole::None for No Role
    void labelRequested();

private:
    QMenu* addGroup(const QString& title, const QString& name, int firstRole, int lastRole);

    const Configuration& m_config;
    int m_slot;
};
