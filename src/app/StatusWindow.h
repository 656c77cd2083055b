// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/ProgressSink.h"

#include <QDialog>

class QLabel;

// The small progress window shown while a transfer runs. The user cannot close it: it goes
// when the transfer ends, so a transfer never runs on without its progress.
class StatusWindow : public QDialog, public ProgressSink {
    Q_OBJECT
public:
    explicit StatusWindow(QWidget* owner);

    void SetStatus(const QString& text);
    void showProgress(TransferDirection direction, int done, int total) override;
    void processEvents() override;

    // "Writing configuration - 50%" for 47 of 94: the share as a whole percentage.
    static QString progressText(TransferDirection direction, int done, int total);

protected:
    void reject() override; // Esc
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_label;
};
