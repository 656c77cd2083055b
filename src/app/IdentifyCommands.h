// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgrammerServices.h"
#include "device/ProgressSink.h"
#include "identify/IdentifySession.h"
#include "model/PanelRole.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class Configuration;
class DeviceLink;
class EditHistory;
class GuidedPass;
class IdentifyWindow;
class ProgressRun;
class RestoreOffers;
class StatusWindow;
class TransferCommands;
class QWidget;

// Tools > Identify Inputs: the unit's own configuration read and kept, the temporary one put
// on when needed, the presses shown, and the unit's own put back however identifying ends.
// The session holds the units throughout: no other device command runs meanwhile. A guided
// pass meanwhile labels the panel by its presses, as one step of `history`.
class IdentifyCommands : public QObject, private ProgressSink {
    Q_OBJECT
public:
    IdentifyCommands(Configuration& config, EditHistory& history,
                     const ProgrammerServices& services, TransferCommands& transfers,
                     ProgressRun& run, RestoreOffers& offers, QWidget* window);
    ~IdentifyCommands() override;

    void identify();
    // A unit is being identified.
    bool running() const { return m_session != nullptr; }
    IdentifyWindow* identifyWindow() const { return m_identifyWindow; }
    // Puts the unit's own configuration back and closes the Identify window.
    void finish();
    // Ends a guided pass, if one runs: the roles it learnt go into the configuration as one
    // step. `note` says what its last step did.
    void endPass(const QString& note = QString());

    // Whether the main window shows a slot's row: a press of a slot it hides says so.
    void setRowShown(std::function<bool(int slot)> shown) { m_rowShown = std::move(shown); }

signals:
    void runningChanged(bool running);
    // A press came from this slot.
    void slotPressed(int slot);
    // The Identify window asks for the rotary rows, which the main window hides.
    void rotaryRowsRequested();

private:
    using Outcome = IdentifySession::Outcome;
    // Runs `exchange` with the progress window up; nothing when it could not run, which is
    // never a success.
    std::optional<Outcome> withProgress(const std::function<Outcome()>& exchange);
    // Chooses the unit and starts the session on it; false once it has ended.
    bool start();
    // Asks before the temporary configuration goes on, and puts it on; false once ended.
    bool writeTemporary();
    void showWindow();
    // Opens the unit's keyboard and reads its presses, or has the window read its own keys.
    void readPresses(int unit);
    void onPress(int eventCode);
    void startPass(PanelRole::Set set);
    // The pass's next role, or its end once every role was asked for; `note` says what the
    // last step did.
    void showPassStep(const QString& note);
    QString slotName(int slot) const;
    void endSession();
    void warn(const QString& text);
    void showProgress(TransferDirection direction, int done, int total) override;
    void processEvents() override;

    Configuration& m_config;
    EditHistory& m_history;
    ProgrammerServices m_services;
    TransferCommands& m_transfers;
    ProgressRun& m_run;
    RestoreOffers& m_offers;
    QWidget* m_window;
    std::function<bool(int)> m_rowShown;
    std::unique_ptr<DeviceLink> m_link;
    std::unique_ptr<IdentifySession> m_session;
    std::unique_ptr<KeyPressSource> m_source;
    std::unique_ptr<GuidedPass> m_pass;
    // The roles as the running pass has them, for naming the inputs meanwhile.
    std::unique_ptr<Configuration> m_passRoles;
    IdentifyWindow* m_identifyWindow = nullptr; // a child of the window, made on first use
    StatusWindow* m_status = nullptr;           // while a run is under way
};
