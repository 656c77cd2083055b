// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Configuration.h"

#include <QFont>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

class LabelBox;
class QCheckBox;
class QPushButton;
class QWidget;
class RoleLabel;
class RowPanel;

// One set of slot rows on its panel: the input rows or the rotary rows. It makes each row's
// four check boxes, label and key button, labels them from their slots, measures the label
// column and lays the rows out; what a click means is the window's, told by signals. While
// slots have roles the label column also holds each row's role cell, after the slot's name.
class RowSet : public QObject {
    Q_OBJECT
public:
    struct Row {
        QCheckBox* repeat;
        QCheckBox* control;
        QCheckBox* alt;
        QCheckBox* shift;
        LabelBox* label;
        RoleLabel* role; // inside the label box
        QPushButton* key;
    };

    // `count` rows for the slots from `firstSlot`, named with `prefix` ("" or "R"); the key
    // buttons are `keyHeight` pixels high.
    RowSet(RowPanel* panel, const QString& prefix, int firstSlot, int count, int keyHeight,
           QObject* parent = nullptr);
    // The rows' font, Verdana 8.25 points; bold for the labels.
    static QFont rowFont(bool bold);

    RowPanel* panel() const { return m_panel; }
    int count() const { return int(m_rows.size()); }
    const Row& row(int index) const { return m_rows.at(index); }
    bool holds(int slot) const { return slot >= m_firstSlot && slot < m_firstSlot + count(); }
    const Row& rowOf(int slot) const { return m_rows.at(slot - m_firstSlot); }
    // The slot whose row holds `widget`, or -1.
    int slotHolding(const QWidget* widget) const;
    // Where the slot's row is on the screen, from its Repeat box to its key button.
    QRect screenRect(int slot) const;

    // Labels the rows from their slots; returns the label column's width: the widest label's,
    // and the role cells' while they are shown.
    int labelRows();
    // Whether the label column makes room for the role cells; labelRows() and layOut() then
    // give them their place.
    void setRoleColumnShown(bool shown) { m_roleColumn = shown; }
    bool roleColumnShown() const { return m_roleColumn; }
    // The width of a whole row, key button included, with a label column this wide.
    int rowWidth(int labelWidth) const;
    // Sizes the panel `panelWidth` wide and as high as the rows, and lays each row out in it
    // with a label column `labelWidth` wide.
    void layOut(int labelWidth, int panelWidth);
    // Shows or hides every control of every row.
    void setRowsVisible(bool visible);

signals:
    void flagClicked(int slot, Configuration::Flag flag, bool on);
    // A key button was clicked; `byKeyboard` when Space or Enter pressed it.
    void keyClicked(int slot, bool byKeyboard);
    // A right click on a row, or the menu key on one of its controls: the row's role menu,
    // at `globalPos`.
    void roleMenuRequested(int slot, QPoint globalPos, bool byKeyboard);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Row makeRow(int index);
    void layoutRow(const Row& row, int index, int labelWidth);

    RowPanel* m_panel;
    QString m_prefix;
    int m_firstSlot;
    int m_keyHeight;
    int m_nameWidth = 0; // of the label column, the part that the slots' names take
    bool m_roleColumn = false;
    std::vector<Row> m_rows;
    // Whether the key button about to click was pressed by the keyboard.
    bool m_byKeyboard = false;
};
