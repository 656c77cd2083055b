// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RestoreCommand.h"

#include "cli/UnitIdentify.h"
#include "cli/UnitProgramming.h"
#include "files/RestoreJournal.h"
#include "identify/IdentifySession.h"
#include "identify/IdentifyWording.h"

int RestoreCommand::restored(int unit, const JournalEntry& entry,
                             const IdentifySession::Outcome& outcome) {
    int code = Success;
    if (outcome.ok())
        m_out << tr("unit %1 (serial %2): its own configuration is back, read back equal\n")
                     .arg(unit)
                     .arg(entry.serial);
    else if (outcome.stage == IdentifySession::Stage::Journal)
        code = fail(CannotWrite, tr("unit %1 (serial %2): its own configuration is back, read "
                                    "back equal, but the journal that kept it cannot forget it: "
                                    "%3")
                                     .arg(unit)
                                     .arg(entry.serial, outcome.reason));
    else {
        code = fail(UnitIdentify::status(outcome),
                    tr("unit %1 (serial %2): %3")
                        .arg(unit)
                        .arg(entry.serial, IdentifyWording::describe(outcome)));
        if (outcome.stage == IdentifySession::Stage::Stale)
            m_err << "tarvenpad: "
                  << tr("if the unit's configuration is the one to keep, forget the old one "
                        "with: %1")
                         .arg(UnitIdentify::forgetHint(entry.serial))
                  << '\n';
    }
    m_out.flush();
    m_err.flush();
    return code;
}

int RestoreCommand::forget(RestoreJournal& journal, const QList<JournalEntry>& entries) {
    int status = Success;
    for (const JournalEntry& entry : entries) {
        if (const FileResult r = journal.remove(entry); !r.ok())
            status = UnitProgramming::worse(
                status, fail(CannotWrite, tr("cannot forget the configuration kept "
                                             "for serial %1 (%2: %3)")
                                              .arg(entry.serial, r.message, r.reason)));
        else
            m_out << tr("serial %1: the configuration kept since %2 is forgotten\n")
                         .arg(entry.serial, entry.time.toLocalTime().toString("yyyy-MM-dd HH:mm"));
    }
    m_out.flush();
    return status;
}

int RestoreCommand::run(const ToolOptions& o) {
    RestoreJournal journal;
    QList<JournalEntry> entries = journal.pending();
    if (!o.serial.isEmpty())
        entries.removeIf([&](const JournalEntry& e) { return e.serial != o.serial; });
    if (entries.isEmpty()) {
        m_out << (o.serial.isEmpty() ? tr("nothing to restore\n")
                                     : tr("nothing to restore for serial %1\n").arg(o.serial));
        return Success;
    }
    if (o.forget)
        return forget(journal, entries);
    UnitContext c = openContext(o);
    const QList<ListedUnit> found = ListUnits(*c.access, c.link, Serials::Ask);
    // A unit this user may not open may be the one an entry is for.
    const auto refused = std::find_if(found.begin(), found.end(),
                                      [](const ListedUnit& a) { return !a.accessible(); });
    int status = Success;
    for (const JournalEntry& entry : entries) {
        const auto attached = std::find_if(found.begin(), found.end(), [&](const ListedUnit& a) {
            return a.accessible() && a.serial == entry.serial;
        });
        int code = Success;
        if (attached == found.end()) {
            code =
                refused != found.end()
                    ? denied(*refused)
                    : fail(NoUnit, tr("the unit with serial %1 is not attached; plug it in "
                                      "and run '%2' again")
                                       .arg(entry.serial, UnitIdentify::restoreHint(entry.serial)));
        } else {
            const IdentifySession::Outcome outcome =
                IdentifySession::restore(*c.access, c.link, journal, entry);
            c.progress.finish();
            code = restored(attached->unit, entry, outcome);
        }
        status = UnitProgramming::worse(status, code);
    }
    return status;
}
