// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AuxOptionsBox.h"

#include "app/RowSet.h"
#include "model/SlotText.h"

#include <QCheckBox>

using Option = Configuration::Option;

AuxOptionsBox::AuxOptionsBox(QWidget* parent) : QGroupBox(tr("Trackball/AUX Controls:"), parent) {
    setObjectName(QStringLiteral("Frame1"));
    setFont(RowSet::rowFont(false));
    resize(153, 193);
    const struct {
        const char* name;
        Option option;
        QRect geometry;
    } boxes[] = {{"Check1", Option::ReverseX, {16, 56, 113, 33}},
                 {"Check2", Option::ReverseY, {16, 88, 113, 33}},
                 {"Check3", Option::ActiveHigh, {16, 24, 113, 33}},
                 {"Check4", Option::RotaryOnAux, {16, 120, 129, 33}},
                 {"Check5", Option::RelayOnAux, {16, 152, 129, 33}}};
    for (const auto& b : boxes) {
        auto* box = new QCheckBox(OptionName(b.option), this);
        box->setObjectName(QString::fromLatin1(b.name));
        box->setGeometry(b.geometry);
        const Option option = b.option;
        connect(box, &QCheckBox::clicked, this,
                [this, box, option] { emit optionClicked(option, box->isChecked()); });
        m_boxes[int(option)] = box;
    }
    // Top to bottom as they read on screen.
    QWidget::setTabOrder(m_boxes[2], m_boxes[0]);
    QWidget::setTabOrder(m_boxes[0], m_boxes[1]);
    QWidget::setTabOrder(m_boxes[1], m_boxes[3]);
    QWidget::setTabOrder(m_boxes[3], m_boxes[4]);
}
