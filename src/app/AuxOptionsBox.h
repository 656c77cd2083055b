// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Configuration.h"

#include <QGroupBox>
#include <array>

class QCheckBox;

// "Trackball/AUX Controls:" (`Frame1`): the five option boxes, in the order they read on
// screen. A click is told by a signal; the boxes show what the window sets.
class AuxOptionsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit AuxOptionsBox(QWidget* parent = nullptr);
    QCheckBox* box(Configuration::Option option) const { return m_boxes.at(int(option)); }

signals:
    void optionClicked(Configuration::Option option, bool on);

private:
    std::array<QCheckBox*, 5> m_boxes{};
};
