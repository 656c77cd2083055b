// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/ProgressSink.h"
#include "device/UnitSelector.h"

#include <QCoreApplication>
#include <QTextStream>

// A progress bar on standard error, drawn only when it is a terminal. It never asks for a
// unit: the command line names units itself.
class TerminalProgress : public ProgressSink, public UnitSelector {
    Q_DECLARE_TR_FUNCTIONS(TerminalProgress)
public:
    TerminalProgress(QTextStream& err, bool enabled);
    ~TerminalProgress() override;

    void showProgress(TransferDirection direction, int done, int total) override;
    void processEvents() override {}
    // Ends the bar's line.
    void finish();

    void showDetecting() override {}
    int SelectMultiples(int, const UnitSerials&) override { return 0; }

private:
    QTextStream& m_err;
    bool m_enabled;
    bool m_drawn = false;
};
