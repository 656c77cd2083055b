// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgrammerServices.h"
#include "device/ProgressSink.h"
#include "identify/IdentifySession.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class DeviceLink;
class IdentifyWindow;
class PlugMonitor;
class ProgressRun;
class QTimer;
class RestoreJournal;
class StatusWindow;
class TransferCommands;
class QWidget;

// Tools > Identify Inputs: the unit's own configuration read and kept, the temporary one put
// on when needed, the presses shown, and the unit's own put back however identifying ends.
// It also offers back a configuration kept by an earlier run that never put it back, once
// its unit is attached.
class IdentifyCommands : public QObject, private ProgressSink {
    Q_OBJECT
public:
    IdentifyCommands(const ProgrammerServices& services, TransferCommands& transfers,
                     QWidget* window);
    ~IdentifyCommands() override;

    void identify();
    // A unit is being identified, or a transfer of this command runs.
    bool running() const;
    IdentifyWindow* identifyWindow() const { return m_identifyWindow; }
    // Puts the unit's own configuration back and closes the Identify window.
    void finish();
    // Asked by the window's close: false while a transfer of this command runs (the window
    // closes after it).
    bool mayCloseWindow();
    // Offers every kept configuration whose unit is attached back onto it, and watches for
    // the others' units to be plugged in.
    void offerRestores();

signals:
    void runningChanged(bool running);
    // A press came from this slot.
    void slotPressed(int slot);

private:
    using Outcome = IdentifySession::Outcome;

    // Runs `exchange` with the progress window up, one at a time.
    Outcome withProgress(const std::function<Outcome()>& exchange);
    void showSource(int unit);
    void onPress(int eventCode);
    void endSession();
    void offerRestore(const JournalEntry& entry);
    void watchPlugIns();
    void checkPlugIns();
    RestoreJournal& journal();
    QString describe(const Outcome& outcome, const QString& serial) const;
    static QString localTime(const QString& isoUtc);
    // A kept configuration older than the unit's: the user may forget it. True once it is.
    bool discardStale();
    bool askDiscard(const JournalEntry& entry, const QString& title);
    void warn(const QString& text);
    bool askYesNo(const QString& text, const QString& title);

    void showProgress(TransferDirection direction, int done, int total) override;
    void processEvents() override;

    ProgrammerServices m_services;
    TransferCommands& m_transfers;
    QWidget* m_window;
    std::unique_ptr<RestoreJournal> m_ownJournal;
    std::unique_ptr<DeviceLink> m_link;
    std::unique_ptr<IdentifySession> m_session;
    std::unique_ptr<KeyPressSource> m_source;
    IdentifyWindow* m_identifyWindow = nullptr; // a child of the window, made on first use
    StatusWindow* m_status = nullptr;           // while a transfer runs
    ProgressRun* m_run;                         // a child of the window
    std::unique_ptr<PlugMonitor> m_plugMonitor;
    QTimer* m_plugPoll = nullptr;
};
