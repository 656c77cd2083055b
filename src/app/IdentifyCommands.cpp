// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IdentifyCommands.h"

#include "app/EditHistory.h"
#include "app/GuidedPassBox.h"
#include "app/IdentifyWindow.h"
#include "app/ProgressRun.h"
#include "app/RestoreOffers.h"
#include "app/StatusWindow.h"
#include "app/TransferCommands.h"
#include "app/UserDialogs.h"
#include "device/DeviceLink.h"
#include "device/HidAccess.h"
#include "device/UnitListScope.h"
#include "identify/GuidedPass.h"
#include "identify/IdentificationImage.h"
#include "identify/IdentifyWording.h"
#include "model/Configuration.h"
#include "model/SlotText.h"

#include <QCoreApplication>
#include <QWidget>

using Stage = IdentifySession::Stage;

IdentifyCommands::IdentifyCommands(Configuration& config, EditHistory& history,
                                   const ProgrammerServices& services, TransferCommands& transfers,
                                   ProgressRun& run, RestoreOffers& offers, QWidget* window)
    : QObject(window), m_config(config), m_history(history), m_services(services),
      m_transfers(transfers), m_run(run), m_offers(offers), m_window(window) {
    connect(&m_config, &Configuration::roleChanged, this, [this] {
        if (m_identifyWindow && !m_pass)
            m_identifyWindow->renameSlots();
    });
}

IdentifyCommands::~IdentifyCommands() = default;

void IdentifyCommands::showProgress(TransferDirection direction, int done, int total) {
    if (m_status)
        m_status->showProgress(direction, done, total);
}

void IdentifyCommands::processEvents() {
    QCoreApplication::processEvents();
}

std::optional<IdentifyCommands::Outcome>
IdentifyCommands::withProgress(const std::function<Outcome()>& exchange) {
    std::optional<Outcome> outcome;
    const bool ran = m_run.run(
        [&](StatusWindow& status) {
            m_status = &status;
            outcome = exchange();
            m_status = nullptr;
        },
        nullptr, this);
    return ran ? outcome : std::nullopt;
}

void IdentifyCommands::warn(const QString& text) {
    m_services.dialogs.message(m_window, text, tr("Identify Inputs"),
                               UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
}

void IdentifyCommands::identify() {
    // The session holds the units until its unit's own configuration is back.
    if (!m_run.hold(this))
        return;
    ProgressSink& progress = *this;
    m_link = std::make_unique<DeviceLink>(m_services.access, progress, m_transfers.unitSelector());
    m_session = std::make_unique<IdentifySession>(m_services.access, *m_link, m_offers.journal());
    emit runningChanged(true);
    if (start() && writeTemporary())
        showWindow();
}

bool IdentifyCommands::start() {
    bool chosen = true;
    std::optional<Outcome> outcome = withProgress([&] {
        // One numbering of the units for the choice and the reading that follows it.
        UnitListScope units(m_services.access);
        const int unit = m_link->ChooseUnit(DeviceIdentifier);
        chosen = unit != 0;
        return chosen ? m_session->start(unit) : Outcome{};
    });
    if (chosen && outcome && outcome->stage == Stage::Stale && m_session->staleEntry() &&
        m_offers.askForget(*m_session->staleEntry(), tr("Identify Inputs")))
        outcome = withProgress([&] { return m_session->start(m_session->unit()); });
    if (chosen && outcome && outcome->ok())
        return true;
    if (chosen && outcome && outcome->stage == Stage::Reading)
        m_transfers.reportFailure(outcome->result);
    else if (chosen && outcome && outcome->stage != Stage::Stale)
        warn(tr("Unit %1 was left as it is: %2.")
                 .arg(m_session->serial(), IdentifyWording::describe(*outcome)));
    endSession();
    return false;
}

bool IdentifyCommands::writeTemporary() {
    if (!m_session->needsWrite())
        return true;
    const QString serial = m_session->serial();
    const UserDialogs::Answer answer = m_services.dialogs.message(
        m_window,
        tr("To tell the inputs apart, unit %1 gets a temporary configuration in which every "
           "input sends a key of its own.\n\nIts own configuration is kept on this computer "
           "and goes back onto the unit when you click Done. The configuration you are "
           "editing does not change.")
            .arg(serial),
        tr("Identify Inputs"), UserDialogs::Icon::Question, UserDialogs::Buttons::OkCancel);
    if (answer != UserDialogs::Answer::Ok) {
        endSession();
        return false;
    }
    const std::optional<Outcome> outcome =
        withProgress([&] { return m_session->putIdentificationImage(); });
    if (outcome && outcome->stage == Stage::Journal) {
        warn(tr("Nothing was written to unit %1: its own configuration could not be kept on "
                "this computer (%2).")
                 .arg(serial, outcome->reason));
        endSession();
        return false;
    }
    if (!outcome || !outcome->ok()) {
        if (outcome)
            warn(tr("The temporary configuration could not be written to unit %1: %2.\n\nIts "
                    "own configuration goes back onto it now.")
                     .arg(serial, IdentifyWording::describe(*outcome)));
        finish();
        return false;
    }
    return true;
}

void IdentifyCommands::showWindow() {
    if (!m_identifyWindow) {
        m_identifyWindow = new IdentifyWindow(m_window);
        connect(m_identifyWindow, &IdentifyWindow::doneRequested, this, &IdentifyCommands::finish);
        connect(m_identifyWindow->ownKeys(), &KeyPressSource::pressed, this,
                [this](int code) { onPress(code); });
        connect(m_identifyWindow, &IdentifyWindow::rotaryRowsRequested, this,
                &IdentifyCommands::rotaryRowsRequested);
        m_identifyWindow->setUnitSends(
            [this](int code) { return m_session && m_session->slotForEventCode(code) >= 0; });
        m_identifyWindow->setSlotNames([this](int slot) { return slotName(slot); });
        GuidedPassBox* guided = m_identifyWindow->guidedBox();
        connect(guided, &GuidedPassBox::startRequested, this, &IdentifyCommands::startPass);
        connect(guided, &GuidedPassBox::skipRequested, this, [this] {
            if (!m_pass)
                return;
            const int skipped = m_pass->current();
            m_pass->skip();
            showPassStep(tr("%1 skipped.").arg(PanelRole::name(skipped)));
        });
        connect(guided, &GuidedPassBox::redoRequested, this, [this] {
            if (m_pass && m_pass->redoLast())
                showPassStep(QString());
        });
        connect(guided, &GuidedPassBox::stopRequested, this, [this] { endPass(); });
    }
    m_identifyWindow->begin(m_session->serial(),
                            IdentificationImage::pressableSlots(m_session->onUnit()),
                            m_session->written());
    readPresses(m_session->unit());
    m_identifyWindow->placeBeside(m_window);
    m_identifyWindow->show();
    m_identifyWindow->raise();
    m_identifyWindow->activateWindow();
}

void IdentifyCommands::readPresses(int unit) {
    if (!m_services.keyPresses) {
        m_identifyWindow->readOwnKeys(tr("it is an emulated unit"));
        return;
    }
    KeyPressSource::Failure failure;
    {
        UnitListScope units(m_services.access);
        m_source = m_services.keyPresses(m_services.access.unitPath(unit), failure);
    }
    if (m_source) {
        connect(m_source.get(), &KeyPressSource::pressed, this,
                [this](int code) { onPress(code); });
        connect(m_source.get(), &KeyPressSource::lost, this, [this](const QString& reason) {
            if (m_identifyWindow)
                m_identifyWindow->readOwnKeys(reason);
        });
        m_identifyWindow->readUnit();
        return;
    }
    m_identifyWindow->readOwnKeys(KeyPressSource::describe(failure));
}

void IdentifyCommands::onPress(int eventCode) {
    if (!m_session || !m_identifyWindow)
        return;
    const int slot = m_session->slotForEventCode(eventCode);
    // The press takes its role first, so that it is named with it.
    const GuidedPass::Taken taken = m_pass ? m_pass->take(slot) : GuidedPass::Taken{};
    m_identifyWindow->showPress(slot, eventCode, slot < 0 || !m_rowShown || m_rowShown(slot));
    if (taken.slot >= 0)
        showPassStep(IdentifyWording::taken(taken));
    if (slot >= 0)
        emit slotPressed(slot);
}

QString IdentifyCommands::slotName(int slot) const {
    return SlotNameWithRole(m_passRoles ? *m_passRoles : m_config, slot);
}

void IdentifyCommands::startPass(PanelRole::Set set) {
    if (!m_identifyWindow || m_pass)
        return;
    m_pass = std::make_unique<GuidedPass>(set, m_config.roles());
    m_passRoles = std::make_unique<Configuration>();
    showPassStep(QString());
}

void IdentifyCommands::showPassStep(const QString& note) {
    m_passRoles->setRoles(m_pass->roles());
    m_identifyWindow->renameSlots();
    if (m_pass->done()) {
        endPass(note);
        return;
    }
    m_identifyWindow->guidedBox()->showStep(IdentifyWording::prompt(m_pass->current()), note,
                                            m_pass->index() > 0);
}

void IdentifyCommands::endPass(const QString& note) {
    if (!m_pass)
        return;
    const std::unique_ptr<GuidedPass> pass = std::move(m_pass);
    m_passRoles.reset();
    // The keys and options as they are now, which the user may have edited meanwhile.
    if (pass->changed()) {
        ConfigState state = m_config.state();
        state.roles = pass->roles();
        m_history.replaceAll(tr("Guided Pass: %1").arg(PanelRole::setName(pass->set())), state);
    }
    if (m_identifyWindow) {
        m_identifyWindow->renameSlots();
        const QString end = IdentifyWording::passEnd(pass->missing());
        m_identifyWindow->guidedBox()->showIdle(note.isEmpty() ? end
                                                               : note + QLatin1Char(' ') + end);
    }
}

void IdentifyCommands::finish() {
    if (!m_session)
        return;
    const QString serial = m_session->serial();
    // The unit's keyboard stays ours until its own configuration is back: a press meanwhile
    // would type a temporary key into whatever window has the focus.
    const std::optional<Outcome> outcome = withProgress([&] { return m_session->putBack(); });
    if (!outcome)
        return; // a run of this session is under way; Done comes again once it has ended
    m_source.reset();
    if (outcome->stage == Stage::Journal)
        warn(tr("Unit %1 holds its own configuration again, but its copy on this computer could "
                "not be removed (%2).")
                 .arg(serial, outcome->reason));
    else if (!outcome->ok())
        warn(tr("The own configuration of unit %1 could not be put back: %2.\n\nIt stays kept "
                "on this computer, and the program offers to put it back when that unit is "
                "plugged in or the program starts.")
                 .arg(serial, IdentifyWording::describe(*outcome, &m_config)));
    endSession();
    if (!outcome->ok())
        m_offers.watchPlugIns();
}

void IdentifyCommands::endSession() {
    endPass();
    m_source.reset();
    // Whatever is not back by now stays in the journal, offered later: the session does no
    // exchange of its own once the progress window is gone.
    m_session->leaveToJournal();
    m_session.reset();
    m_link.reset();
    if (m_identifyWindow)
        m_identifyWindow->hide();
    m_run.release(this);
    emit runningChanged(false);
}
