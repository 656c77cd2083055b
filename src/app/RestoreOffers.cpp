// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RestoreOffers.h"

#include "app/IdentifyCommands.h"
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
#include "identify/IdentifySession.h"
#include "identify/IdentifyWording.h"

#include <QLocale>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {
// How often news of plugged-in units is looked for while a kept configuration waits.
constexpr int PlugPollMs = 500;

QString shortTime(const QDateTime& utc) {
    return QLocale().toString(utc.toLocalTime(), QLocale::ShortFormat);
}
} // namespace

RestoreOffers::RestoreOffers(const ProgrammerServices& services, TransferCommands& transfers,
                             ProgressRun& run, QWidget* window)
    : QObject(window), m_services(services), m_transfers(transfers), m_run(run), m_window(window) {}

RestoreOffers::~RestoreOffers() = default;

RestoreJournal& RestoreOffers::journal() {
    if (m_services.journal)
        return *m_services.journal;
    if (!m_ownJournal)
        m_ownJournal = std::make_unique<RestoreJournal>();
    return *m_ownJournal;
}

// Listing the units is quick and shows no progress; it gives the event loop no turn, so no
// other command can start halfway.
void RestoreOffers::showProgress(TransferDirection, int, int) {}
void RestoreOffers::processEvents() {}

bool RestoreOffers::askYesNo(const QString& text, const QString& title) {
    return m_services.dialogs.message(m_window, text, title, UserDialogs::Icon::Question,
                                      UserDialogs::Buttons::YesNo) == UserDialogs::Answer::Yes;
}

void RestoreOffers::offerAll() {
    if (journal().pending().isEmpty() || !m_run.hold(this))
        return;
    QList<ListedUnit> units;
    {
        UnitListScope scope(m_services.access);
        DeviceLink link(m_services.access, *this, m_transfers.unitSelector());
        units = ListUnits(m_services.access, link, Serials::Ask);
    }
    m_run.release(this);
    for (const JournalEntry& entry : journal().pending()) {
        const bool attached = std::any_of(units.begin(), units.end(), [&](const ListedUnit& u) {
            return u.serial == entry.serial;
        });
        if (attached)
            offer(entry);
    }
    watchPlugIns();
}

bool RestoreOffers::askForget(const JournalEntry& entry, const QString& title) {
    if (!askYesNo(tr("A configuration of the unit with serial number %1 was kept on this "
                     "computer on %2, but the unit holds one written after it. Putting the old "
                     "one back would undo that, so nothing was written.\n\nForget the old "
                     "configuration?")
                      .arg(entry.serial, shortTime(entry.time)),
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

void RestoreOffers::offer(const JournalEntry& entry) {
    const QString title = tr("Put Configuration Back");
    if (!askYesNo(tr("While its inputs were identified on %2, the configuration of the unit "
                     "with serial number %1 was kept on this computer, and it has not been put "
                     "back yet.\n\nPut it back onto that unit now?")
                      .arg(entry.serial, shortTime(entry.time)),
                  title))
        return;
    IdentifySession::Outcome outcome;
    const bool ran = m_run.run([&](StatusWindow& status) {
        DeviceLink link(m_services.access, status, m_transfers.unitSelector());
        outcome = IdentifySession::restore(m_services.access, link, journal(), entry);
    });
    if (!ran)
        return; // another command runs: the entry stays, offered again later
    if (outcome.stage == IdentifySession::Stage::Stale)
        askForget(entry, title);
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
                .arg(entry.serial, IdentifyWording::describe(outcome)),
            title, UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
}

void RestoreOffers::watchPlugIns() {
    if (journal().pending().isEmpty() || !m_services.plugMonitor)
        return;
    if (!m_plugMonitor)
        m_plugMonitor = m_services.plugMonitor();
    if (!m_plugMonitor || !m_plugMonitor->isWatching())
        return;
    if (!m_plugPoll) {
        m_plugPoll = new QTimer(this);
        m_plugPoll->setInterval(PlugPollMs);
        connect(m_plugPoll, &QTimer::timeout, this, &RestoreOffers::checkPlugIns);
    }
    m_plugPoll->start();
}

void RestoreOffers::checkPlugIns() {
    // The news waits while another command has the units.
    if (!m_run.hold(this))
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
    QList<JournalEntry> offers;
    if (!nodes.isEmpty()) {
        UnitListScope scope(m_services.access);
        DeviceLink link(m_services.access, *this, m_transfers.unitSelector());
        for (const ListedUnit& unit : ListUnits(m_services.access, link, Serials::Ask)) {
            if (!nodes.contains(m_services.access.unitPath(unit.unit)))
                continue;
            if (const auto entry = journal().pendingFor(unit.serialKey(), unit.serial))
                offers << *entry;
        }
    }
    m_run.release(this);
    for (const JournalEntry& entry : offers)
        offer(entry);
    if (journal().pending().isEmpty())
        m_plugPoll->stop();
}
