// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RoleMenu.h"

#include "model/Configuration.h"
#include "model/PanelRole.h"
#include "model/SlotText.h"

#include <QAction>
#include <QString>

using Control = PanelRole::Control;

RoleMenu::RoleMenu(const Configuration& config, int slot, QWidget* parent)
    : QMenu(parent), m_config(config), m_slot(slot) {
    setObjectName(QStringLiteral("RoleMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (int p = 1; p <= PanelRole::Players; ++p)
        addGroup(tr("Player &%1").arg(p), QStringLiteral("roleplayer%1").arg(p),
                 PanelRole::of(p, Control::Up), PanelRole::of(p, Control::Coin));
    addGroup(tr("&Cabinet"), QStringLiteral("rolecabinet"), PanelRole::of(0, Control::Service),
             PanelRole::Count);
    addSeparator();
    QAction* none = addAction(tr("&No Role"));
    none->setObjectName(QStringLiteral("rolenone"));
    none->setEnabled(config.slotRole(slot).role != PanelRole::None);
    connect(none, &QAction::triggered, this, [this] { emit roleChosen(PanelRole::None); });
    QAction* label = addAction(tr("&Label..."));
    label->setObjectName(QStringLiteral("rolelabel"));
    connect(label, &QAction::triggered, this, &RoleMenu::labelRequested);
}

QMenu* RoleMenu::addGroup(const QString& title, const QString& name, int firstRole, int lastRole) {
    QMenu* group = addMenu(title);
    group->setObjectName(name);
    group->menuAction()->setObjectName(name);
    const int current = m_config.slotRole(m_slot).role;
    for (int role = firstRole; role <= lastRole; ++role) {
        QString text = PanelRole::name(role);
        // Where the role is now, in the column where menus show shortcuts: choosing it moves it.
        if (const int holder = m_config.slotWithRole(role); holder >= 0 && holder != m_slot)
            text += QLatin1Char('\t') + SlotName(holder);
        QAction* a = group->addAction(text);
        a->setObjectName(QStringLiteral("role_") + PanelRole::key(role));
        a->setCheckable(true);
        a->setChecked(role == current);
        connect(a, &QAction::triggered, this, [this, role] { emit roleChosen(role); });
    }
    return group;
}
