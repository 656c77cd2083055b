// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitCommands.h"

#include "cli/AccessAdvice.h"
#include "cli/TerminalProgress.h"
#include "cli/TracingAccess.h"
#include "cli/UnitIdentify.h"
#include "cli/UnitProgramming.h"
#include "cli/UnitWatch.h"
#include "device/AccessSetup.h"
#include "device/DemoUnits.h"
#include "device/DeviceImage.h"
#include "device/DeviceLink.h"
#include "device/EmulatedAccess.h"
#include "device/PlugMonitor.h"
#include "device/UnitListScope.h"
#include "files/ConfigJson.h"
#include "files/RestoreJournal.h"
#include "identify/IdentifySession.h"
#include "model/Configuration.h"
#include "model/ConfigurationDifferences.h"
#include "model/KeyCodes.h"
#include "model/SlotText.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// The encoders past the four units that a command can name, by their device nodes.
// A slot in one phrase: "Esc (41) Control Repeat".
QString slotText(const KeySlot& s) {
    const QString name = PlainKeyText(KeyCodeName(s.keyCode));
    QString text =
        name.isEmpty()
            ? QCoreApplication::translate("CommandLineTool", "key %1").arg(s.keyCode)
            : QCoreApplication::translate("CommandLineTool", "%1 (%2)").arg(name).arg(s.keyCode);
    using Flag = Configuration::Flag;
    const std::pair<Flag, bool> flags[] = {{Flag::Shift, s.shift},
                                           {Flag::Control, s.control},
                                           {Flag::Alt, s.alt},
                                           {Flag::Repeat, s.repeat}};
    for (const auto& [flag, on] : flags)
        if (on)
            text += QLatin1Char(' ') + FlagName(flag);
    return text;
}

// Said by every command that looks for units and finds none.
QString noUnitFound() {
    return QCoreApplication::translate(
        "CommandLineTool",
        "no TARVEN-PAD unit found; plug one in (and see the README on access rights)");
}

} // namespace

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
        const std::optional<ListedUnit> listed = ListUnit(access, link, n, true);
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

int UnitCommands::units(const ToolOptions& o) {
    notePending();
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, false);
    DeviceLink link(*access, progress, progress);
    const QList<ListedUnit> found = ListUnits(*access, link, true);
    const QList<ListedUnit> beyond = warnLeftOut(*access, link);
    if (o.json) {
        // A unit this user may not open is still there; a script must not take it for absent.
        // One past unit 4 has no number a command takes.
        QJsonArray list;
        for (const ListedUnit& u : found + beyond)
            list.append(
                QJsonObject{{"unit", u.unit <= MaxUnits ? QJsonValue(u.unit) : QJsonValue::Null},
                            {"serial", u.accessible() ? QJsonValue(u.serial) : QJsonValue::Null},
                            {"path", access->unitPath(u.unit)},
                            {"access", u.unit > MaxUnits ? "leftOut"
                                       : u.accessible()  ? "ok"
                                                         : "denied"}});
        m_out << QJsonDocument(list).toJson();
    }
    if (found.isEmpty())
        return fail(NoUnit, noUnitFound());
    if (!o.json) {
        for (const ListedUnit& a : found) {
            if (a.accessible())
                m_out << a.unit << ' ' << a.serial << '\n';
            else
                m_out << tr("%1 - not accessible (%2)\n")
                             .arg(a.unit)
                             .arg(UnitProgramming::failureDetail(a.refused));
        }
        m_out.flush();
    }
    const auto refused = std::find_if(found.begin(), found.end(),
                                      [](const ListedUnit& a) { return !a.accessible(); });
    if (refused == found.end())
        return Success;
    // A unit that is there but may not be opened has a status of its own; the JSON already
    // says which one.
    return o.json ? AccessDenied : denied(*refused);
}

int UnitCommands::pickUnit(const ToolOptions& o, HidAccess& access, DeviceLink& link,
                           ListedUnit& unit, bool serials) {
    const QList<ListedUnit> found = ListUnits(access, link, serials || !o.serial.isEmpty());
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
    const QList<ListedUnit> listed = serials ? found : ListUnits(access, link, true);
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

int UnitCommands::write(const ToolOptions& o) {
    // Said after the write, which forgets what identify kept of the units it programs.
    const int status = writeUnits(o);
    notePending();
    return status;
}

int UnitCommands::writeUnits(const ToolOptions& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const DeviceImage image = BuildDeviceImage(config);
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);

    const bool serials = o.backup.contains(QLatin1String("{serial}"));
    QList<ListedUnit> targets;
    // A unit left as it was is not a success.
    const bool skipped = o.all && !warnLeftOut(*access, link).isEmpty();
    if (o.all) {
        targets = ListUnits(*access, link, serials);
        if (targets.isEmpty())
            return fail(NoUnit, tr("no TARVEN-PAD unit found"));
    } else {
        ListedUnit unit;
        if (const int r = pickUnit(o, *access, link, unit, serials))
            return r;
        targets << unit;
    }
    const std::optional<QStringList> backups = backupPaths(o.backup, targets);
    if (!backups)
        return fail(Usage, tr("--backup %1 gives several units the same file; put "
                              "{unit} or {serial} into it")
                               .arg(o.backup));

    // One worker per unit, each with its own handle: the units take their time side by side.
    std::vector<UnitProgramming::Outcome> outcomes(size_t(targets.size()));
    if (targets.size() == 1) {
        if (targets[0].accessible())
            outcomes[0] =
                UnitProgramming::program(*access, progress, targets[0].unit, image, backups->at(0));
    } else {
        std::vector<std::thread> workers;
        for (int i = 0; i < targets.size(); ++i) {
            if (!targets[i].accessible())
                continue;
            workers.emplace_back([&, i, unit = targets[i].unit, backup = backups->at(i)] {
                TerminalProgress quiet(m_err, false);
                outcomes[size_t(i)] = UnitProgramming::program(*access, quiet, unit, image, backup);
            });
        }
        for (std::thread& worker : workers)
            worker.join();
    }
    progress.finish();
    const int status = report(o, targets, outcomes);
    return skipped ? UnitProgramming::worse(status, NoUnit) : status;
}

std::optional<QStringList> UnitCommands::backupPaths(const QString& pattern,
                                                     const QList<ListedUnit>& targets) {
    QStringList backups;
    for (const ListedUnit& t : targets) {
        QString path = pattern;
        path.replace(QLatin1String("{unit}"), QString::number(t.unit));
        // The serial characters come from the unit: never let them name another folder.
        QString serial = t.serial;
        for (QChar& c : serial)
            if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-'))
                c = QLatin1Char('_');
        path.replace(QLatin1String("{serial}"), serial);
        backups << path;
    }
    if (!pattern.isEmpty() && QSet<QString>(backups.begin(), backups.end()).size() < backups.size())
        return std::nullopt;
    return backups;
}

int UnitCommands::report(const ToolOptions& o, const QList<ListedUnit>& targets,
                         const std::vector<UnitProgramming::Outcome>& outcomes) {
    // With --all, standard output has one line per unit in unit order, failures included, so
    // the report reads the same with 2>&1; a failure is said on standard error as well.
    int status = Success;
    for (int i = 0; i < targets.size(); ++i) {
        const ListedUnit& t = targets[i];
        const UnitProgramming::Outcome& outcome = outcomes[size_t(i)];
        const QString message = !t.accessible()             ? tr("this user may not open it")
                                : outcome.status == Success ? tr("programmed and verified")
                                                            : outcome.message;
        if (o.all || (t.accessible() && outcome.status == Success)) {
            m_out << tr("unit %1: %2\n").arg(t.unit).arg(message);
            m_out.flush();
        }
        int code = outcome.status;
        if (!t.accessible())
            code = denied(t);
        else if (code != Success)
            fail(code, tr("unit %1: %2").arg(t.unit).arg(outcome.message));
        status = UnitProgramming::worse(status, code);
    }
    return status;
}

int UnitCommands::watch(const ToolOptions& o) {
    notePending();
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const DeviceImage image = BuildDeviceImage(config);
    QFile log(o.log);
    if (!o.log.isEmpty() && !log.open(QIODevice::WriteOnly | QIODevice::Append))
        return fail(CannotWrite, tr("cannot write the log to %1: %2")
                                     .arg(QDir::toNativeSeparators(o.log), log.errorString()));
    // Listening starts before the attached units are listed, so that none falls in between.
    std::unique_ptr<PlugMonitor> monitor = o.emulate < 0 && m_monitor ? m_monitor() : nullptr;
    if (monitor && !monitor->isWatching())
        return fail(IoError, tr("cannot watch for units: udevd, which announces each device "
                                "plugged in, is not running or cannot be reached"));
    // Every encoder attached now, beyond the four a command can name too.
    QStringList attached;
    auto lister = openAccess(o);
    {
        UnitListScope scope(*lister);
        TerminalProgress quiet(m_err, false);
        DeviceLink link(*lister, quiet, quiet);
        for (const ListedUnit& a : ListUnits(*lister, link, false))
            attached << lister->unitPath(a.unit);
        for (int n = MaxUnits + 1; !lister->unitPath(n).isEmpty(); ++n)
            attached << lister->unitPath(n);
    }
    // Each plug-in gets an access of its own, so that its unit numbers are its own command's.
    UnitWatch watching(
        m_out,
        [&](const QString& node) {
            return UnitProgramming::programPlugIn(*openAccess(o), node, image);
        },
        [&](const QString& node) { return lister->nodeDevice(node); }, o.json,
        log.isOpen() ? &log : nullptr);
    return watching.run(attached, monitor.get()) ? IoError : Success;
}

int UnitCommands::readUnit(const ToolOptions& o, int& unit, DeviceImage& image) {
    notePending();
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);
    ListedUnit chosen;
    if (const int r = pickUnit(o, *access, link, chosen))
        return r;
    unit = chosen.unit;
    const TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, image);
    progress.finish();
    if (r == TransferResult::DeviceNotFound) {
        const UnitProgramming::Outcome why =
            UnitProgramming::notFound(*access, tr("Device Not Found"));
        return fail(why.status, tr("unit %1: %2").arg(unit).arg(why.message));
    }
    if (r != TransferResult::Success)
        return fail(IoError, tr("unit %1: Device I/O Error while reading").arg(unit));
    return Success;
}

int UnitCommands::read(const ToolOptions& o) {
    int unit = 0;
    DeviceImage image;
    if (const int r = readUnit(o, unit, image))
        return r;
    Configuration config;
    ApplyDeviceImage(config, image);
    if (const int w = save(o.files[0], config, false))
        return w;
    if (o.files[0] == QLatin1String("-"))
        return Success;
    m_out << tr("unit %1: read into %2\n").arg(unit).arg(QDir::toNativeSeparators(o.files[0]));
    return Success;
}

int UnitCommands::diff(const ToolOptions& o) {
    Configuration wanted;
    if (const int r = load(o.files[0], wanted))
        return r;
    int unit = 0;
    DeviceImage image;
    if (const int r = readUnit(o, unit, image))
        return r;

    // The file as the unit would hold it after a write against what the unit holds, as the
    // window's Compare sees them: only what a Read would show counts as a difference.
    const auto differences =
        ConfigurationDifferences::of(BuildDeviceImage(wanted).bytes, image.bytes);
    QStringList lines;
    QJsonArray slotChanges, optionChanges;
    for (const auto& d : differences.keySlots) {
        lines << tr("%1: file %2; unit %3")
                     .arg(SlotLabel(d.slot), slotText(d.mine), slotText(d.other));
        slotChanges.append(QJsonObject{{"slot", d.slot},
                                       {"label", SlotFileLabel(d.slot)},
                                       {"file", SlotSettingsJson(d.mine)},
                                       {"unit", SlotSettingsJson(d.other)}});
    }
    for (const auto& d : differences.options) {
        lines << tr("%1: file %2; unit %3")
                     .arg(OptionName(d.option), OnOffText(d.mine), OnOffText(d.other));
        optionChanges.append(QJsonObject{{"option", OptionJsonKey(d.option)},
                                         {"label", OptionFileName(d.option)},
                                         {"file", d.mine},
                                         {"unit", d.other}});
    }

    const QString path = o.files[0] == QLatin1String("-") ? tr("standard input")
                                                          : QDir::toNativeSeparators(o.files[0]);
    if (o.json) {
        m_out << QJsonDocument(QJsonObject{{"unit", unit},
                                           {"file", path},
                                           {"same", lines.isEmpty()},
                                           {"slots", slotChanges},
                                           {"options", optionChanges}})
                     .toJson();
    } else {
        for (const QString& line : lines)
            m_out << line << '\n';
        if (lines.isEmpty())
            m_out << tr("unit %1: the same as %2\n").arg(unit).arg(path);
        else
            m_out << tr("unit %1: %n difference(s) from %2\n", nullptr, int(lines.size()))
                         .arg(unit)
                         .arg(path);
    }
    return lines.isEmpty() ? Success : Differs;
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

int UnitCommands::keyboardFailure(int unit, const KeyPressSource::Failure& failure) {
    using Kind = KeyPressSource::Failure::Kind;
    const QString reason = QString::fromLocal8Bit(std::strerror(failure.systemError));
    switch (failure.kind) {
    case Kind::AccessDenied:
        fail(AccessDenied, tr("unit %1 is attached, but this user may not read its keyboard "
                              "(%2: %3).")
                               .arg(unit)
                               .arg(failure.node, reason));
        m_err << AccessAdvice::forKeyboard(m_accessSetup ? *m_accessSetup : AccessSetup::probe())
              << '\n';
        m_err.flush();
        return AccessDenied;
    case Kind::Busy:
        return fail(IoError, tr("unit %1: its keyboard (%2) is taken by another program, such "
                                "as another identify; end that one first")
                                 .arg(unit)
                                 .arg(failure.node));
    case Kind::OpenFailed:
        return fail(
            IoError,
            tr("unit %1: cannot open its keyboard (%2: %3)").arg(unit).arg(failure.node, reason));
    default:
        return fail(IoError, tr("unit %1 shows this computer no keyboard whose presses could be "
                                "read (no input event node with letter keys belongs to it)")
                                 .arg(unit));
    }
}

int UnitCommands::identify(const ToolOptions& o) {
    notePending();
    if (o.emulate >= 0)
        return fail(Usage, tr("identify reads the presses from a unit's keyboard, which emulated "
                              "units do not have: plug a unit in and leave out --emulate and "
                              "--demo"));
    auto access = openAccess(o);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);
    ListedUnit chosen;
    std::unique_ptr<KeyPressSource> source;
    {
        UnitListScope scope(*access);
        if (const int r = pickUnit(o, *access, link, chosen, true))
            return r;
        // The keyboard is opened before anything is written: a unit whose presses cannot be
        // read is left as it is.
        KeyPressSource::Failure failure;
        failure.kind = KeyPressSource::Failure::Kind::NoKeyboard;
        if (m_keySource)
            source = m_keySource(access->unitPath(chosen.unit), failure);
        if (!source)
            return keyboardFailure(chosen.unit, failure);
    }
    RestoreJournal journal;
    IdentifySession session(*access, link, journal);
    return UnitIdentify(m_out, m_err, session, progress, o.json).run(chosen.unit, *source);
}

int UnitCommands::restore(const ToolOptions& o) {
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
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);
    const QList<ListedUnit> found = ListUnits(*access, link, true);
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
                IdentifySession::restore(*access, link, journal, entry);
            progress.finish();
            code = restored(attached->unit, entry, outcome);
        }
        status = UnitProgramming::worse(status, code);
    }
    return status;
}

int UnitCommands::restored(int unit, const JournalEntry& entry,
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
                                     .arg(entry.serial, outcome.detail));
    else {
        code = fail(UnitIdentify::status(outcome),
                    tr("unit %1 (serial %2): %3")
                        .arg(unit)
                        .arg(entry.serial, UnitIdentify::describe(outcome)));
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

int UnitCommands::forget(RestoreJournal& journal, const QList<JournalEntry>& entries) {
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
