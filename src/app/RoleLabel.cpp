// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RoleLabel.h"

#include "model/SlotRole.h"
#include "model/SlotText.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

// The long names would fill a narrow cell with "Player": a player's own controls say "P1".
QString shortRoleName(int role) {
    const int p = PanelRole::player(role);
    switch (PanelRole::control(role)) {
    case PanelRole::Control::Up:
        return RoleLabel::tr("P%1 Up").arg(p);
    case PanelRole::Control::Down:
        return RoleLabel::tr("P%1 Down").arg(p);
    case PanelRole::Control::Left:
        return RoleLabel::tr("P%1 Left").arg(p);
    case PanelRole::Control::Right:
        return RoleLabel::tr("P%1 Right").arg(p);
    case PanelRole::Control::Button:
        return RoleLabel::tr("P%1 Button %2").arg(p).arg(PanelRole::button(role));
    default:
        return PanelRole::name(role); // "Start 1", "Coin 2", "Service": short already
    }
}

} // namespace

RoleLabel::RoleLabel(const QString& slotName, QWidget* parent)
    : QLabel(parent), m_slotName(slotName) {
    setTextFormat(Qt::PlainText);
    setRole(SlotRole());
}

QString RoleLabel::shortText(const SlotRole& role) {
    QStringList parts;
    if (PanelRole::valid(role.role))
        parts << shortRoleName(role.role);
    if (!role.label.isEmpty())
        parts << role.label;
    return parts.join(QStringLiteral(" \u00b7 "));
}

void RoleLabel::setRole(const SlotRole& role) {
    m_text = shortText(role);
    const QString full = RoleText(role);
    setToolTip(full);
    setAccessibleName(full.isEmpty() ? tr("%1: no role").arg(m_slotName)
                                     : tr("%1 role: %2").arg(m_slotName, full));
    showText();
}

void RoleLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showText();
}

void RoleLabel::showText() {
    setText(fontMetrics().elidedText(m_text, Qt::ElideRight, width()));
}
