// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/ProgressSink.h"
#include "device/UnitSelector.h"

#include <QCoreApplication>
#include <QStringList>

// Records what a transfer reports and answers the unit choice from a script.
class ScriptedTransferUi : public ProgressSink, public UnitSelector {
public:
    // Each report as "write 47/94" or "read 1/94", short enough to compare in a table.
    void showProgress(TransferDirection direction, int done, int total) override {
        progress.append(QStringLiteral("%1 %2/%3")
                            .arg(direction == TransferDirection::Writing ? "write" : "read")
                            .arg(done)
                            .arg(total));
    }
    void processEvents() override {
        ++eventPasses;
        if (runEvents)
            QCoreApplication::processEvents();
    }
    void showDetecting() override { ++detectingShown; }
    int SelectMultiples(int count, const UnitSerials& serials) override {
        offeredCount = count;
        offeredSerials = QStringList(serials.begin(), serials.end());
        return choice;
    }

    int choice = 1;
    bool runEvents = false; // process the application's events as the window does
    QStringList progress;
    int eventPasses = 0;
    int detectingShown = 0;
    int offeredCount = 0;
    QStringList offeredSerials;
};
