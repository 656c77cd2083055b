// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QString>

class QResizeEvent;
struct SlotRole;

// A row's role cell, in its label column after the slot's name: the role in short ("P1 Up",
// "P2 Button 3", "Start 1") and the user's label, cut with an ellipsis where the cell ends.
// The whole text is its tooltip and what a screen reader says.
class RoleLabel : public QLabel {
    Q_OBJECT
public:
    RoleLabel(const QString& slotName, QWidget* parent = nullptr);
    void setRole(const SlotRole& role);
    // The role in short and the label, joined as RoleText joins them; empty for neither.
    static QString shortText(const SlotRole& role);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showText();

    QString m_slotName;
    QString m_text; // before it is cut to the cell
};
