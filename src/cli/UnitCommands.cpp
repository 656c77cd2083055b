// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitCommands.h"

#include "cli/AccessAdvice.h"
#include "cli/DiffCommand.h"
#include "cli/IdentifyCommand.h"
#include "cli/ReadCommand.h"
#include "cli/RestoreCommand.h"
#include "cli/TracingAccess.h"
#include "cli/UnitIdentify.h"
#include "cli/UnitProgramming.h"
#include "cli/UnitsCommand.h"
#include "cli/WatchCommand.h"
#include "cli/WriteCommand.h"
#include "device/AccessSetup.h"
#include "device/DemoUnits.h"
#include "device/DeviceImage.h"
#include "device/DeviceLink.h"
#include "device/EmulatedAccess.h"
#include "files/RestoreJournal.h"

QString UnitCommands::noUnitFound() {
    return tr("no TARVEN-PAD unit found; plug one in (and see ACCESS in tarvenpad(1))");
}

std::unique_ptr<HidAccess> UnitCommands::openAccess(const ToolOptions& o) {
    std::unique_ptr<HidAccess> access;
    if (o.emulate >= 0) {
        auto emulated = std::make_unique<EmulatedAccess>(o.emulate);
        if (o.demo)
            SetUpDemoUnits(*emulated);
        emulated->failExchangeAt(o.failAt);
        if (o.dropUnit >= 1)
            emulated->unit(o.dropUnit).droppedLocations.insert(o.dropLocation);
        access = std::move(emulated);
    } else
        access = m_hardware();
    if (!o.trace)
        return access;
    return std::make_unique<TracingAccess>(std::move(access), m_err);
}

UnitContext UnitCommands::openContext(const ToolOptions& o, Progress progress) {
    return UnitContext(openAccess(o), m_err, progress == Progress::Shown && m_errIsTerminal);
}

int UnitCommands::denied(const ListedUnit& unit) {
    // The error on one line as every other; the fix below it, a command to a line.
    const int status = fail(AccessDenied, tr("unit %1 is attached, but this user may not open it "
                                             "(%2).")
                                              .arg(unit.unit)
                                              .arg(UnitProgramming::failureDetail(unit.refused)));
    m_err << AccessAdvice::forUnit(m_accessSetup ? *m_accessSetup : AccessSetup::probe()) << '\n';
    m_err.flush();
    return status;
}

QList<ListedUnit> UnitCommands::warnLeftOut(HidAccess& access, DeviceLink& link) {
    QList<ListedUnit> beyond;
    QStringList named;
    // By serial number, which the user can read on the unit; the node alone says nothing.
    for (int n = MaxUnits + 1; !access.unitPath(n).isEmpty(); ++n) {
        const std::optional<ListedUnit> listed = ListUnit(access, link, n, Serials::Ask);
        if (!listed)
            continue;
        beyond << *listed;
        named << (listed->accessible() && listed->serialReadable()
                      ? tr("serial %1 (%2)").arg(listed->serial, access.unitPath(n))
                      : access.unitPath(n));
    }
    if (named.isEmpty())
        return beyond;
    m_err << "tarvenpad: "
          << tr("warning: %1 left out: commands name units 1 to %2 only; 'tarvenpad watch' "
                "programs every encoder")
                 .arg(named.join(QStringLiteral(", ")))
                 .arg(MaxUnits)
          << '\n';
    m_err.flush();
    return beyond;
}

int UnitCommands::pickUnit(const ToolOptions& o, HidAccess& access, DeviceLink& link,
                           ListedUnit& unit, bool serials) {
    const QList<ListedUnit> found =
        ListUnits(access, link, serials || !o.serial.isEmpty() ? Serials::Ask : Serials::Skip);
    if (found.isEmpty())
        return fail(NoUnit, noUnitFound());
    if (!o.serial.isEmpty()) {
        if (std::none_of(found.begin(), found.end(), [&](const ListedUnit& a) {
                return a.accessible() && a.serial == o.serial;
            }))
            warnLeftOut(access, link); // it may be one of them
        return pickBySerial(o.serial, found, unit);
    }
    const auto numbered = std::find_if(found.begin(), found.end(), [&](const ListedUnit& a) {
        return a.unit == (o.unit ? o.unit : found[0].unit);
    });
    if (o.unit && numbered == found.end())
        return fail(NoUnit, tr("unit %1 is not attached").arg(o.unit));
    // A unit this user may not open still counts: writing the other one unasked would be a
    // guess.
    if (o.unit || found.size() == 1) {
        unit = *numbered;
        return unit.accessible() ? Success : denied(unit);
    }
    // Only a refusal needs the serial numbers, to tell the units apart.
    const QList<ListedUnit> listed = serials ? found : ListUnits(access, link, Serials::Ask);
    QString list;
    for (const ListedUnit& a : listed)
        list += (list.isEmpty() ? QString() : tr("; ")) +
                (a.accessible() ? tr("unit %1, serial %2").arg(a.unit).arg(a.serial)
                                : tr("unit %1, not accessible").arg(a.unit));
    return fail(Usage,
                tr("%1 units are attached; choose one with --unit N%2: %3")
                    .arg(found.size())
                    .arg(o.command == QLatin1String("write") ? tr(" or all with --all") : QString())
                    .arg(list));
}

// The serial number names a unit whatever the order of the bus; one that is not attached is
// named with those that are.
int UnitCommands::pickBySerial(const QString& serial, const QList<ListedUnit>& found,
                               ListedUnit& unit) {
    QStringList attached;
    for (const ListedUnit& a : found) {
        if (a.accessible() && a.serial == serial) {
            unit = a;
            return Success;
        }
        attached << (a.accessible() ? a.serial : tr("unit %1 (not accessible)").arg(a.unit));
    }
    return fail(NoUnit, tr("no unit with serial %1 is attached; attached: %2")
                            .arg(serial, attached.join(QStringLiteral(", "))));
}

void UnitCommands::notePending() {
    for (const JournalEntry& entry : RestoreJournal().pending())
        m_err << "tarvenpad: "
              << tr("the unit with serial %1 has not had its own configuration put back since "
                    "%2; put it back with: %3")
                     .arg(entry.serial, entry.time.toLocalTime().toString("yyyy-MM-dd HH:mm"),
                          UnitIdentify::restoreHint(entry.serial))
              << '\n';
    m_err.flush();
}

// Each command runs on a copy of what the commands share; the pending-journal notice is said
// here, before or after the command as it needs, never by a command's body.
int UnitCommands::units(const ToolOptions& o) {
    notePending();
    return UnitsCommand(*this).run(o);
}

int UnitCommands::write(const ToolOptions& o) {
    // Said after the write, which forgets what identify kept of the units it programs.
    const int status = WriteCommand(*this).run(o);
    notePending();
    return status;
}

int UnitCommands::read(const ToolOptions& o) {
    notePending();
    return ReadCommand(*this).run(o);
}

int UnitCommands::diff(const ToolOptions& o) {
    if (o.files.size() > 1) // two files, and no unit to say anything of
        return DiffCommand(*this).compareFiles(o);
    notePending();
    return DiffCommand(*this).run(o);
}

int UnitCommands::watch(const ToolOptions& o) {
    notePending();
    return WatchCommand(*this).run(o);
}

int UnitCommands::identify(const ToolOptions& o) {
    notePending();
    return IdentifyCommand(*this).run(o);
}

int UnitCommands::restore(const ToolOptions& o) {
    return RestoreCommand(*this).run(o);
}
