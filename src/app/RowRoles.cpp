// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RowRoles.h"

#include "app/EditHistory.h"
#include "app/LabelBox.h"
#include "app/MainWindow.h"
#include "app/RoleLabel.h"
#include "app/RoleMenu.h"
#include "app/RowSet.h"
#include "app/UserDialogs.h"
#include "model/Configuration.h"
#include "model/PanelRole.h"
#include "model/SlotText.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {
// Long enough to read a sentence; the bar then goes and gives the rows their room back.
constexpr int NoticeMilliseconds = 8000;
} // namespace

RowRoles::RowRoles(MainWindow& window, UserDialogs& dialogs, std::initializer_list<RowSet*> rows)
    : QObject(&window), m_window(window), m_config(window.config()), m_history(window.history()),
      m_dialogs(dialogs), m_rows(rows) {
    m_action = new QAction(tr("Role And &Label..."), this);
    m_action->setObjectName(QStringLiteral("erole"));
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_action->setEnabled(false);
    connect(m_action, &QAction::triggered, this, [this] {
        if (m_focusedSlot >= 0)
            openMenu(m_focusedSlot, QPoint(), true);
    });
    connect(qApp, &QApplication::focusChanged, this, &RowRoles::followFocus);
    for (RowSet* set : m_rows) {
        connect(set, &RowSet::roleMenuRequested, this, &RowRoles::openMenu);
        // A click leaves the focus where it was (the row controls take it from Tab only), yet
        // the row clicked last is the one a user means by Ctrl+R.
        connect(set, &RowSet::flagClicked, this, [this](int slot) { followClick(slot); });
        connect(set, &RowSet::keyClicked, this, [this](int slot) { followClick(slot); });
    }

    // Hidden until a notice comes: the window's client area is the rows' design size.
    auto* bar = new QStatusBar(&m_window);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->hide();
    m_window.setStatusBar(bar);
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& text) {
        if (text.isEmpty())
            bar->hide();
    });

    m_fitColumn.setSingleShot(true);
    m_fitColumn.setInterval(0);
    connect(&m_fitColumn, &QTimer::timeout, this, &RowRoles::fitColumn);
    connect(&m_config, &Configuration::roleChanged, this, &RowRoles::showRole);
    for (int slot = 0; slot < Configuration::SlotCount; ++slot)
        showRole(slot);
}

RowSet* RowRoles::rowsOf(int slot) const {
    for (RowSet* set : m_rows)
        if (set->holds(slot))
            return set;
    return nullptr;
}

void RowRoles::followFocus(QWidget*, QWidget* now) {
    // The menu bar takes the focus while the Edit menu is walked by the keyboard, and the
    // focus is nowhere while another window is active: the row keeps it for the menu.
    if (!now || qobject_cast<QMenuBar*>(now) || qobject_cast<QMenu*>(now))
        return;
    // Another window (the key selection), or the scrolling area that holds the rows, keeps
    // the row that was clicked.
    if (now->window() != &m_window ||
        (m_focusedSlot >= 0 &&
         now->isAncestorOf(rowsOf(m_focusedSlot)->rowOf(m_focusedSlot).label)))
        return;
    m_focusedSlot = -1;
    for (const RowSet* set : m_rows)
        if (const int slot = set->slotHolding(now); slot >= 0)
            m_focusedSlot = slot;
    m_action->setEnabled(m_focusedSlot >= 0);
}

void RowRoles::followClick(int slot) {
    m_focusedSlot = slot;
    m_action->setEnabled(true);
}

void RowRoles::showRole(int slot) {
    rowsOf(slot)->rowOf(slot).role->setRole(m_config.slotRole(slot));
    // A load sets every slot's role one by one: the column follows once they are all set.
    m_fitColumn.start();
}

void RowRoles::fitColumn() {
    const bool shown = m_config.hasRoles();
    if (m_rows.front()->roleColumnShown() == shown)
        return;
    for (RowSet* set : m_rows)
        set->setRoleColumnShown(shown);
    // The cells widen the label column, and with it both panels; the input panel takes its
    // width from the rotary rows' column, as after any resize.
    m_window.placeInputRows();
    m_window.ArrangeRows();
    m_window.reflow();
}

void RowRoles::openMenu(int slot, QPoint globalPos, bool byKeyboard) {
    if (m_menu)
        m_menu->close();
    m_menu = new RoleMenu(m_config, slot, &m_window);
    connect(m_menu, &RoleMenu::roleChosen, this,
            [this, slot](int role) { chooseRole(slot, role); });
    connect(m_menu, &RoleMenu::labelRequested, this, [this, slot] { editLabel(slot); });
    if (byKeyboard) {
        const LabelBox* label = rowsOf(slot)->rowOf(slot).label;
        globalPos = label->mapToGlobal(QPoint(0, label->height()));
    }
    m_menu->popup(globalPos);
}

void RowRoles::chooseRole(int slot, int role) {
    const int from = m_history.setRole(slot, role);
    if (from >= 0)
        showNotice(tr("%1 moved from %2 to %3")
                       .arg(PanelRole::name(role), SlotName(from), SlotName(slot)));
}

void RowRoles::editLabel(int slot) {
    const std::optional<QString> label =
        m_dialogs.askText(&m_window, tr("Label for %1:").arg(SlotName(slot)), tr("Label"),
                          m_config.slotRole(slot).label, PanelRole::MaxLabelLength);
    if (label)
        m_history.setLabel(slot, *label);
}

void RowRoles::showNotice(const QString& text) {
    QStatusBar* bar = m_window.statusBar();
    bar->show();
    bar->showMessage(text, NoticeMilliseconds);
}
