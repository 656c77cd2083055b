// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/ProgressSink.h"

#include <QDialog>

class QLabel;

// The small progress window shown while a transfer runs.
class StatusWindow : public QDialog, public ProgressSink {
    Q_OBJECT
public:
    explicit StatusWindow(QWidget* owner);

    void SetStatus(const QString& text) override;
    void processEvents() override;

private:
    QLabel* m_label;
};
