// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/ProgressSink.h"
#include "device/UnitSelector.h"

#include <QStringList>

// Records what a transfer shows and answers the unit choice from a script.
class ScriptedTransferUi : public ProgressSink, public UnitSelector {
public:
    void SetStatus(const QString& text) override { statuses.append(text); }
    void processEvents() override { ++eventPasses; }
    void showDetecting() override { ++detectingShown; }
    int SelectMultiples(int count, const std::array<QString, 4>& captions,
                        const QString& label) override {
        offeredCount = count;
        offeredCaptions = QStringList(captions.begin(), captions.end());
        offeredLabel = label;
        return choice;
    }

    int choice = 1;
    QStringList statuses;
    int eventPasses = 0;
    int detectingShown = 0;
    int offeredCount = 0;
    QStringList offeredCaptions;
    QString offeredLabel;
};
