// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RowSet.h"

#include "app/LabelBox.h"
#include "app/RoleLabel.h"
#include "app/RowPanel.h"
#include "keyselect/KeySelectForm.h"
#include "model/SlotText.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <utility>

using Flag = Configuration::Flag;

namespace {

constexpr int CheckHeight = 17;
constexpr int KeyWidth = 107;
// A row's key button ends this far past the label column: the row width's allowance.
constexpr int RowKeyAllowance = 132;
// The role cells' share of the label column while they are shown, after a small gap: room for
// "P4 Button 8" and the start of a label.
constexpr int RoleGap = 6;
constexpr int RoleCellWidth = 84;

int rightEdge(const QWidget* w) {
    return w->x() + w->width();
}

// The vertical centre of a row is 12.5 pixels below its top.
int centredTop(int height, int index) {
    return int(std::lround(12.5 - height / 2.0)) + RowPanel::RowPitch * index;
}

} // namespace

QFont RowSet::rowFont(bool bold) {
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(8.25);
    f.setBold(bold);
    return f;
}

RowSet::RowSet(RowPanel* panel, const QString& prefix, int firstSlot, int count, int keyHeight,
               QObject* parent)
    : QObject(parent), m_panel(panel), m_prefix(prefix), m_firstSlot(firstSlot),
      m_keyHeight(keyHeight) {
    m_rows.reserve(count);
    for (int i = 0; i < count; ++i)
        m_rows.push_back(makeRow(i));
    // The rows' controls leave a right click to the panel they lie on.
    m_panel->installEventFilter(this);
}

RowSet::Row RowSet::makeRow(int index) {
    const int slot = m_firstSlot + index;
    const QFont plain = rowFont(false);
    const auto box = [&](const char* name, int width, Flag flag) {
        const QString caption = FlagName(flag);
        auto* b = new QCheckBox(caption, m_panel);
        b->setObjectName(QStringLiteral("%1%2_%3").arg(m_prefix, QLatin1String(name)).arg(index));
        b->setFont(plain);
        b->resize(width, CheckHeight);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QCheckBox::clicked, this,
                [this, b, slot, flag] { emit flagClicked(slot, flag, b->isChecked()); });
        b->setAccessibleName(SlotName(slot) + QLatin1Char(' ') + caption);
        return b;
    };
    Row row;
    row.repeat = box("ChkRepeat", 65, Flag::Repeat);
    row.control = box("ChkCtrl", 66, Flag::Control);
    row.alt = box("ChkAlt", 41, Flag::Alt);
    row.shift = box("ChkShift", 50, Flag::Shift);
    row.label = new LabelBox(m_panel);
    row.label->setObjectName(QStringLiteral("%1LabelI_%2").arg(m_prefix).arg(index));
    row.label->setFont(rowFont(true));
    row.label->resize(1, CheckHeight);
    row.label->setAccessibleName(SlotName(slot));
    row.role = new RoleLabel(SlotName(slot), row.label);
    row.role->setObjectName(QStringLiteral("%1RoleLabel_%2").arg(m_prefix).arg(index));
    row.role->setFont(plain);
    row.role->hide();
    row.key = new QPushButton(tr("N/U"), m_panel);
    row.key->setObjectName(m_prefix.isEmpty() ? QStringLiteral("SKey_%1").arg(index)
                                              : QStringLiteral("Rkey_%1").arg(index));
    row.key->setFont(plain);
    row.key->setProperty("Tag", QString());
    connect(row.key, &QPushButton::clicked, this,
            [this, slot] { emit keyClicked(slot, std::exchange(m_byKeyboard, false)); });
    row.key->installEventFilter(this); // Enter clicks it
    return row;
}

int RowSet::labelRows() {
    const QFontMetrics metrics(rowFont(true));
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
        m_rows[i].label->setTag(SlotLabel(m_firstSlot + i));
        widest = std::max(widest, metrics.horizontalAdvance(m_rows[i].label->tag()));
    }
    m_nameWidth = widest + 1;
    return m_nameWidth + (m_roleColumn ? RoleGap + RoleCellWidth : 0);
}

int RowSet::rowWidth(int labelWidth) const {
    const Row& first = m_rows.front();
    return first.control->width() + first.repeat->width() + first.alt->width() +
           first.shift->width() + labelWidth + RowKeyAllowance;
}

void RowSet::layOut(int labelWidth, int panelWidth) {
    m_panel->resize(panelWidth, count() * RowPanel::RowPitch + 1);
    for (int i = 0; i < count(); ++i)
        layoutRow(m_rows[i], i, labelWidth);
    m_panel->setSeparatorX(m_rows.front().label->x() - 1);
}

void RowSet::layoutRow(const Row& row, int index, int labelWidth) {
    row.repeat->move(1, centredTop(row.repeat->height(), index));
    row.control->move(rightEdge(row.repeat), centredTop(row.control->height(), index));
    row.alt->move(rightEdge(row.control), centredTop(row.alt->height(), index));
    row.shift->move(rightEdge(row.alt), centredTop(row.shift->height(), index));
    row.label->setGeometry(rightEdge(row.shift) + 1, centredTop(row.label->height(), index),
                           labelWidth, row.label->height());
    row.role->setGeometry(m_nameWidth + RoleGap, 0, std::max(labelWidth - m_nameWidth - RoleGap, 0),
                          row.label->height());
    row.role->setVisible(m_roleColumn);
    row.key->setGeometry(rightEdge(row.label) + 2, RowPanel::RowPitch * index + 1, KeyWidth,
                         m_keyHeight);
}

void RowSet::setRowsVisible(bool visible) {
    for (const Row& r : m_rows)
        for (QWidget* w : {static_cast<QWidget*>(r.key), static_cast<QWidget*>(r.label),
                           static_cast<QWidget*>(r.repeat), static_cast<QWidget*>(r.control),
                           static_cast<QWidget*>(r.alt), static_cast<QWidget*>(r.shift)})
            w->setVisible(visible);
}

bool RowSet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panel && event->type() == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        const int index = std::clamp(menu->pos().y() / RowPanel::RowPitch, 0, count() - 1);
        emit roleMenuRequested(m_firstSlot + index, menu->globalPos(),
                               menu->reason() == QContextMenuEvent::Keyboard);
        return true;
    }
    auto* key = qobject_cast<QPushButton*>(watched);
    if (key && KeySelectForm::isEnterPress(event)) {
        m_byKeyboard = true;
        key->click();
        return true;
    }
    if (key && event->type() == QEvent::KeyPress)
        m_byKeyboard = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    else if (key && event->type() == QEvent::MouseButtonPress)
        m_byKeyboard = false;
    return QObject::eventFilter(watched, event);
}

QRect RowSet::screenRect(int slot) const {
    const Row& row = rowOf(slot);
    QRect shown;
    for (const QWidget* w : {static_cast<QWidget*>(row.repeat), static_cast<QWidget*>(row.shift),
                             static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.key)})
        shown |= QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    return shown;
}

int RowSet::slotHolding(const QWidget* widget) const {
    // The rows' controls lie on the panel, each within its row's pitch.
    while (widget && widget->parentWidget() != m_panel)
        widget = widget->parentWidget();
    if (!widget)
        return -1;
    return m_firstSlot + std::clamp(widget->y() / RowPanel::RowPitch, 0, count() - 1);
}
