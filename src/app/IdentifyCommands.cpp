// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IdentifyCommands.h"

#include "app/IdentifyWindow.h"
#include "app/ProgressRun.h"
#include "app/StatusWindow.h"
#include "app/TransferCommands.h"
#include "app/UserDialogs.h"
#include "device/DeviceLink.h"
#include "device/HidAccess.h"
#include "device/PlugMonitor.h"
#include "device/UnitListScope.h"
#include "device/UnitListing.h"
#include "files/RestoreJournal.h"
#include "identify/IdentificationImage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <utility>

using Stage = IdentifySession::Stage;

namespace {
// How often news of plugged-in units is looked for while a kept configuration waits.
constexpr int PlugPollMs = 500;
} // namespace

IdentifyCommands::IdentifyCommands(const ProgrammerServices& services, TransferCommands& transfers,
                                   QWidget* window)
    : QObject(window), m_services(services), m_transfers(transfers), m_window(window),
      m_run(new ProgressRun(window)) {
    connect(m_run, &ProgressRun::runningChanged, this, [this] { emit runningChanged(running()); });
}

bool IdentifyCommands::running() const {
    return m_session || m_run->running();
}

bool IdentifyCommands::mayCloseWindow() {
    return m_run->mayCloseWindow();
}

IdentifyCommands::~IdentifyCommands() = default;

RestoreJournal& IdentifyCommands::journal() {
    if (m_services.journal)
        return *m_services.journal;
    if (!m_ownJournal)
        m_ownJournal = std::make_unique<RestoreJournal>();
    return *m_ownJournal;
}

void IdentifyCommands::showProgress(TransferDirection direction, int done, int total) {
    if (m_status)
        m_status->showProgress(direction, done, total);
}

void IdentifyCommands::processEvents() {
    QCoreApplication::processEvents();
}

IdentifyCommands::Outcome IdentifyCommands::withProgress(const std::function<Outcome()>& exchange) {
    Outcome outcome;
    m_run->run([&](StatusWindow& status) {
        m_status = &status;
        outcome = exchange();
        m_status = nullptr;
    });
    return outcome;
}

bool IdentifyCommands::askYesNo(const QString& text, const QString& title) {
    return m_services.dialogs.message(m_window, text, title, UserDialogs::Icon::Question,
                                      UserDialogs::Buttons::YesNo) == UserDialogs::Answer::Yes;
}

void IdentifyCommands::warn(const QString& text) {
    m_services.dialogs.message(m_window, text, tr("Identify Inputs"),
                               UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
}

QString IdentifyCommands::localTime(const QString& isoUtc) {
    return QLocale().toString(QDateTime::fromString(isoUtc, Qt::ISODate).toLocalTime(),
                              QLocale::ShortFormat);
}

QString IdentifyCommands::describe(const Outcome& outcome, const QString& serial) const {
    const QString exchange = outcome.result == TransferResult::DeviceNotFound
                                 ? tr("the unit could not be opened")
                                 : tr("the unit did not answer");
    switch (outcome.stage) {
    case Stage::Reading:
        return tr("reading the unit failed: %1").arg(exchange);
    case Stage::Journal:
        return tr("its copy on this computer failed: %1").arg(outcome.detail);
    case Stage::Writing:
    case Stage::Restoring:
        return tr("writing to the unit failed: %1").arg(exchange);
    case Stage::Verifying:
        return outcome.detail.isEmpty()
                   ? tr("reading it back failed: %1").arg(exchange)
                   : tr("reading it back found location %1 different").arg(outcome.detail);
    case Stage::Serial:
        return outcome.detail.isEmpty()
                   ? tr("the unit's serial number cannot be read, so the unit could not be told "
                        "apart from another")
                   : tr("another attached unit has the same serial number %1; unplug one of them")
                         .arg(serial);
    case Stage::Stale:
        return tr("the unit holds a configuration written after the one kept on %1, which "
                  "must not be put over it")
            .arg(localTime(outcome.detail));
    case Stage::Locked:
        return outcome.detail;
    case Stage::Finding:
        break;
    }
    return tr("no unit with serial number %1 is attached").arg(serial);
}

void IdentifyCommands::identify() {
    if (running() || m_transfers.running())
        return;
    ProgressSink& progress = *this;
    m_link = std::make_unique<DeviceLink>(m_services.access, progress, m_transfers.unitSelector());
    m_session = std::make_unique<IdentifySession>(m_services.access, *m_link, journal());
    emit runningChanged(true);
    bool chosen = true;
    Outcome outcome = withProgress([&] {
        // One numbering of the units for the choice and the reading that follows it.
        UnitListScope units(m_services.access);
        const int unit = m_link->ChooseUnit(DeviceIdentifier);
        chosen = unit != 0;
        return chosen ? m_session->start(unit) : Outcome{};
    });
    if (chosen && outcome.stage == Stage::Stale && discardStale())
        outcome = withProgress([&] { return m_session->start(m_session->unit()); });
    if (!chosen || !outcome.ok()) {
        if (chosen && outcome.stage == Stage::Reading)
            m_transfers.reportFailure(outcome.result);
        else if (chosen && outcome.stage != Stage::Stale)
            warn(tr("Unit %1 was left as it is: %2.")
                     .arg(m_session->serial(), describe(outcome, m_session->serial())));
        endSession();
        return;
    }
    const QString serial = m_session->serial();
    if (m_session->needsWrite()) {
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
            return;
        }
        outcome = withProgress([&] { return m_session->putIdentificationImage(); });
        if (outcome.stage == Stage::Journal) {
            warn(tr("Nothing was written to unit %1: its own configuration could not be kept on "
                    "this computer (%2).")
                     .arg(serial, outcome.detail));
            endSession();
            return;
        }
        if (!outcome.ok()) {
            warn(tr("The temporary configuration could not be written to unit %1: %2.\n\nIts "
                    "own configuration goes back onto it now.")
                     .arg(serial, describe(outcome, serial)));
            finish();
            return;
        }
    }

    if (!m_identifyWindow) {
        m_identifyWindow = new IdentifyWindow(m_window);
        connect(m_identifyWindow, &IdentifyWindow::doneRequested, this, &IdentifyCommands::finish);
        connect(m_identifyWindow->ownKeys(), &KeyPressSource::pressed, this,
                [this](int code) { onPress(code); });
    }
    m_identifyWindow->begin(serial, IdentificationImage::pressableSlots(m_session->onUnit()),
                            m_session->written());
    showSource(m_session->unit());
    // Beside the main window's rows, not over them.
    const QRect frame = m_window->frameGeometry();
    QRect place(QPoint(frame.right() - m_identifyWindow->width() - 24, frame.top() + 80),
                m_identifyWindow->size());
    if (const QScreen* screen = m_window->screen()) {
        const QRect free = screen->availableGeometry();
        place = place.intersected(free).size() == place.size()
                    ? place
                    : QRect(free.topLeft(), place.size().boundedTo(free.size()));
    }
    m_identifyWindow->setGeometry(place);
    m_identifyWindow->show();
    m_identifyWindow->raise();
    m_identifyWindow->activateWindow();
}

bool IdentifyCommands::discardStale() {
    const std::optional<JournalEntry>& entry = m_session->staleEntry();
    if (!entry)
        return false;
    return askDiscard(*entry, tr("Identify Inputs"));
}

bool IdentifyCommands::askDiscard(const JournalEntry& entry, const QString& title) {
    const QString when = QLocale().toString(entry.time.toLocalTime(), QLocale::ShortFormat);
    if (!askYesNo(tr("A configuration of the unit with serial number %1 was kept on this "
                     "computer on %2, but the unit holds one written after it. Putting the old "
                     "one back would undo that, so nothing was written.\n\nForget the old "
                     "configuration?")
                      .arg(entry.serial, when),
                  title))
        return false;
    if (const FileResult r = journal().remove(entry); !r.ok()) {
        m_services.dialogs.message(
            m_window,
            tr("The old configuration could not be forgotten (%1: %2).").arg(r.message, r.reason),
            title, UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
        return false;
    }
    return true;
}

void IdentifyCommands::showSource(int unit) {
    if (!m_services.keyPresses) {
        m_identifyWindow->readOwnKeys(tr("it is an emulated unit"));
        return;
    }
    UnitKeyPresses presses;
    {
        UnitListScope units(m_services.access);
        presses = m_services.keyPresses(unit);
    }
    m_source = std::move(presses.source);
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
    using Kind = KeyPressSource::Failure::Kind;
    const KeyPressSource::Failure& failure = presses.failure;
    const QString error = QString::fromLocal8Bit(std::strerror(failure.systemError));
    QString reason;
    switch (failure.kind) {
    case Kind::None:
    case Kind::NoKeyboard:
        reason = tr("no keyboard device of the unit was found");
        break;
    case Kind::AccessDenied:
        reason = tr("this user may not read %1: %2").arg(failure.node, error);
        break;
    case Kind::Busy:
        reason = tr("another program holds %1").arg(failure.node);
        break;
    case Kind::OpenFailed:
        reason = tr("%1 could not be opened: %2").arg(failure.node, error);
        break;
    }
    m_identifyWindow->readOwnKeys(reason);
}

void IdentifyCommands::onPress(int eventCode) {
    if (!m_session || !m_identifyWindow)
        return;
    const int slot = m_session->slotForEventCode(eventCode);
    m_identifyWindow->showPress(slot, eventCode);
    if (slot >= 0)
        emit slotPressed(slot);
}

void IdentifyCommands::finish() {
    if (!m_session || m_run->running())
        return;
    const QString serial = m_session->serial();
    // The unit's keyboard stays ours until its own configuration is back: a press meanwhile
    // would type a temporary key into whatever window has the focus.
    const Outcome outcome = withProgress([&] { return m_session->putBack(); });
    m_source.reset();
    if (outcome.stage == Stage::Journal)
        warn(tr("Unit %1 holds its own configuration again, but its copy on this computer could "
                "not be removed (%2).")
                 .arg(serial, outcome.detail));
    else if (!outcome.ok())
        warn(tr("The own configuration of unit %1 could not be put back: %2.\n\nIt stays kept "
                "on this computer, and the program offers to put it back when that unit is "
                "plugged in or the program starts.")
                 .arg(serial, describe(outcome, serial)));
    endSession();
    if (!outcome.ok())
        watchPlugIns();
}

void IdentifyCommands::endSession() {
    m_source.reset();
    // The session's own last resort runs here when the unit's configuration is not back.
    m_session.reset();
    m_link.reset();
    if (m_identifyWindow)
        m_identifyWindow->hide();
    emit runningChanged(running());
}

void IdentifyCommands::offerRestores() {
    if (m_run->running() || m_transfers.running() || journal().pending().isEmpty())
        return;
    QList<ListedUnit> units;
    {
        UnitListScope scope(m_services.access);
        DeviceLink link(m_services.access, *this, m_transfers.unitSelector());
        units = ListUnits(m_services.access, link, true);
    }
    for (const JournalEntry& entry : journal().pending()) {
        const bool attached = std::any_of(units.begin(), units.end(), [&](const ListedUnit& u) {
            return u.serial == entry.serial;
        });
        if (attached && !(m_session && m_session->serial() == entry.serial))
            offerRestore(entry);
    }
    watchPlugIns();
}

void IdentifyCommands::offerRestore(const JournalEntry& entry) {
    const QString when = QLocale().toString(entry.time.toLocalTime(), QLocale::ShortFormat);
    const QString title = tr("Put Configuration Back");
    if (!askYesNo(tr("While its inputs were identified on %2, the configuration of the unit "
                     "with serial number %1 was kept on this computer, and it has not been put "
                     "back yet.\n\nPut it back onto that unit now?")
                      .arg(entry.serial, when),
                  title))
        return;
    const Outcome outcome = withProgress([&] {
        DeviceLink link(m_services.access, *this, m_transfers.unitSelector());
        return IdentifySession::restore(m_services.access, link, journal(), entry);
    });
    if (outcome.stage == Stage::Stale)
        askDiscard(entry, title);
    else if (outcome.ok())
        m_services.dialogs.message(
            m_window,
            tr("The unit with serial number %1 holds its own configuration again.")
                .arg(entry.serial),
            title, UserDialogs::Icon::Information, UserDialogs::Buttons::Ok);
    else
        m_services.dialogs.message(
            m_window,
            tr("The configuration could not be put back onto the unit with serial number %1: "
               "%2.\n\nIt stays kept on this computer, and the program offers it again when "
               "that unit is plugged in or the program starts.")
                .arg(entry.serial, describe(outcome, entry.serial)),
            title, UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
}

void IdentifyCommands::watchPlugIns() {
    if (journal().pending().isEmpty() || !m_services.plugMonitor)
        return;
    if (!m_plugMonitor)
        m_plugMonitor = m_services.plugMonitor();
    if (!m_plugMonitor || !m_plugMonitor->isWatching())
        return;
    if (!m_plugPoll) {
        m_plugPoll = new QTimer(this);
        m_plugPoll->setInterval(PlugPollMs);
        connect(m_plugPoll, &QTimer::timeout, this, &IdentifyCommands::checkPlugIns);
    }
    m_plugPoll->start();
}

void IdentifyCommands::checkPlugIns() {
    // The news waits while a transfer runs: one device command at a time.
    if (m_run->running() || m_transfers.running())
        return;
    QStringList nodes;
    for (;;) {
        const std::optional<QString> node = m_plugMonitor->nextPlugIn(0);
        if (!node) {
            m_plugPoll->stop();
            break;
        }
        if (node->isEmpty())
            break;
        nodes << *node;
    }
    if (nodes.isEmpty())
        return;
    QList<JournalEntry> offers;
    {
        UnitListScope scope(m_services.access);
        DeviceLink link(m_services.access, *this, m_transfers.unitSelector());
        for (const ListedUnit& unit : ListUnits(m_services.access, link, true)) {
            if (!nodes.contains(m_services.access.unitPath(unit.unit)))
                continue;
            if (m_session && m_session->serial() == unit.serial)
                continue;
            if (const auto entry = journal().pendingFor(unit.serialKey(), unit.serial))
                offers << *entry;
        }
    }
    for (const JournalEntry& entry : offers)
        offerRestore(entry);
    if (journal().pending().isEmpty())
        m_plugPoll->stop();
}
