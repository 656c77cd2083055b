// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/UnitSelector.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QEventLoop;

// The choice among several attached units, one button per unit with its serial number.
// It is created on first use and only hidden between uses.
class MultiUnitsWindow : public QDialog, public UnitSelector {
    Q_OBJECT
public:
    explicit MultiUnitsWindow(QWidget* parent = nullptr);

    void showDetecting() override;
    int SelectMultiples(int count, const UnitSerials& serials) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void choose(int unit);

    std::array<QPushButton*, 4> m_buttons{};
    QLabel* m_label;
    int m_selection = 0;
    QEventLoop* m_wait = nullptr;
};
