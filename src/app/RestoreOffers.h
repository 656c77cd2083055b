// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgrammerServices.h"
#include "device/ProgressSink.h"

#include <QObject>
#include <QString>
#include <memory>

class PlugMonitor;
class ProgressRun;
class QTimer;
class QWidget;
class RestoreJournal;
class TransferCommands;
struct JournalEntry;

// Offers a configuration that Identify Inputs kept, and never put back, onto its unit: at
// start-up for the units attached, and once another is plugged in. While a unit is being
// identified the news waits, as every device command does.
class RestoreOffers : public QObject, private ProgressSink {
    Q_OBJECT
public:
    RestoreOffers(const ProgrammerServices& services, TransferCommands& transfers, ProgressRun& run,
                  QWidget* window);
    ~RestoreOffers() override;

    // The journal of the units' own configurations: the services' one, or the user's.
    RestoreJournal& journal();
    // Offers every kept configuration whose unit is attached back onto it, and watches for
    // the others' units to be plugged in.
    void offerAll();
    // Watches for the units of kept configurations to be plugged in.
    void watchPlugIns();
    // Asks whether to forget a kept configuration older than what its unit holds; true once
    // it is forgotten.
    bool askForget(const JournalEntry& entry, const QString& title);

private:
    void offer(const JournalEntry& entry);
    void checkPlugIns();
    bool askYesNo(const QString& text, const QString& title);
    void showProgress(TransferDirection direction, int done, int total) override;
    void processEvents() override;

    ProgrammerServices m_services;
    TransferCommands& m_transfers;
    ProgressRun& m_run;
    QWidget* m_window;
    std::unique_ptr<RestoreJournal> m_ownJournal;
    std::unique_ptr<PlugMonitor> m_plugMonitor;
    QTimer* m_plugPoll = nullptr;
};
