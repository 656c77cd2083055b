// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLineTool.h"

#include "cli/CommandLineOptions.h"
#include "cli/StandardStreams.h"
#include "cli/TerminalProgress.h"
#include "cli/TracingAccess.h"
#include "cli/UnitWatch.h"
#include "device/AccessSetup.h"
#include "device/DemoUnits.h"
#include "device/DeviceImage.h"
#include "device/DeviceLink.h"
#include "device/EmulatedAccess.h"
#include "device/PlugMonitor.h"
#include "device/UnitListScope.h"
#include "device/UnitListing.h"
#include "files/ConfigDocument.h"
#include "files/ConfigFile.h"
#include "files/ConfigJson.h"
#include "files/Presets.h"
#include "legend/LegendFile.h"
#include "legend/LegendSheet.h"
#include "model/ConfigImage.h"
#include "model/Configuration.h"
#include "model/ConfigurationDifferences.h"
#include "model/KeyCodes.h"
#include "model/SlotText.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cstring>
#include <thread>
#include <vector>

namespace {

QString yesNo(bool on) {
    return on ? QStringLiteral("x") : QStringLiteral("-");
}

// A location of the image in words: the slot and what it holds.
QString locationName(int location) {
    if (location == ConfigImage::OptionsLocation)
        return QCoreApplication::translate("CommandLineTool", "the options");
    const int slot = ConfigImage::slotAt(location);
    if (slot < 0)
        return QCoreApplication::translate("CommandLineTool", "location %1").arg(location);
    return QCoreApplication::translate("CommandLineTool", "%1 (%2)")
        .arg(SlotLabel(slot), location == ConfigImage::keyLocation(slot)
                                  ? QCoreApplication::translate("CommandLineTool", "key")
                                  : QCoreApplication::translate("CommandLineTool", "modifiers"));
}

} // namespace

// How this user gets access, fitted to how the programs were installed and how the user is
// logged in: each command on a line of its own, to be copied as it is. Built when needed, so
// that it is said in the language the tool runs in.
QString CommandLineTool::accessAdvice(const AccessSetup& setup) {
    QStringList advice;
    for (const AccessSetup::Step step : setup.steps()) {
        switch (step) {
        case AccessSetup::Step::InstallFromBuild:
            advice << QCoreApplication::translate(
                          "CommandLineTool",
                          "The udev rule that gives access is not installed. Install it from "
                          "this build, then unplug the unit and plug it in again:\n%1")
                          .arg(setup.installCommands());
            break;
        case AccessSetup::Step::InstallPackage:
            advice << QCoreApplication::translate(
                "CommandLineTool",
                "The udev rule that gives access is not installed. Install the "
                "tarvenpad-programmer package, which brings it, then unplug the unit and "
                "plug it in again.");
            break;
        case AccessSetup::Step::ReplugAtSeat:
            advice << QCoreApplication::translate(
                "CommandLineTool",
                "The rule gives the user at the seat access: unplug the unit and plug it "
                "in again.");
            break;
        case AccessSetup::Step::JoinPlugdev:
            advice << QCoreApplication::translate(
                          "CommandLineTool",
                          "Over SSH or without a desktop session, access comes from the plugdev "
                          "group. Join it, then log in again:\n%1")
                          .arg(AccessSetup::joinCommand());
            break;
        case AccessSetup::Step::ApplyRuleAgain:
            advice << QCoreApplication::translate(
                          "CommandLineTool",
                          "This user is in plugdev, but the unit was set up before the rule was in "
                          "place. Unplug it and plug it in again, or have udev apply the rule "
                          "now:\n%1")
                          .arg(AccessSetup::applyCommand());
            break;
        }
    }
    return advice.join(QLatin1Char('\n'));
}

namespace {

// How bad an outcome is for --all: a unit left holding something wrong outranks one that
// was left untouched.
int severity(int status) {
    switch (status) {
    case CommandLineTool::Differs:
        return 6;
    case CommandLineTool::IoError:
        return 5;
    case CommandLineTool::AccessDenied:
        return 4;
    case CommandLineTool::NoUnit:
        return 3;
    case CommandLineTool::CannotWrite:
        return 2;
    default:
        return status ? 1 : 0;
    }
}

struct UnitOutcome {
    int status = 0;
    QString message; // what went wrong, or empty
};

// A transfer that found no unit: the access layer may know why.
UnitOutcome notFound(HidAccess& access, const QString& what) {
    const OpenFailure why = access.lastOpenFailure();
    const QString detail = CommandLineTool::failureDetail(why);
    if (why.kind == OpenFailure::Kind::AccessDenied)
        return {CommandLineTool::AccessDenied,
                QCoreApplication::translate("CommandLineTool",
                                            "%1: this user may not open the unit (%2)")
                    .arg(what, detail)};
    return {CommandLineTool::NoUnit,
            detail.isEmpty()
                ? what
                : QCoreApplication::translate("CommandLineTool", "%1 (%2)").arg(what, detail)};
}

// Backs up, writes, reads back and compares one unit. Runs on its own thread for --all.
UnitOutcome writeUnit(HidAccess& access, TerminalProgress& progress, int unit,
                      const DeviceImage& image, const QString& backup) {
    DeviceLink link(access, progress, progress);
    if (!backup.isEmpty()) {
        DeviceImage old;
        const TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, old);
        if (r == TransferResult::DeviceNotFound)
            return notFound(access,
                            QCoreApplication::translate("CommandLineTool",
                                                        "Device Not Found while backing it up; not "
                                                        "written"));
        if (r != TransferResult::Success)
            return {CommandLineTool::IoError,
                    QCoreApplication::translate(
                        "CommandLineTool", "Device I/O Error while backing it up; not written")};
        Configuration config;
        ApplyDeviceImage(config, old);
        // Through the one writer: a failed backup never leaves a damaged file behind.
        const FileResult saved = WriteConfigFile(config, backup, ReaderWait::Wait);
        if (!saved.ok())
            return {
                CommandLineTool::CannotWrite,
                QCoreApplication::translate("CommandLineTool", "cannot write %1: %2; not written")
                    .arg(QDir::toNativeSeparators(backup), saved.reason)};
    }
    TransferResult r = link.SendImageToUnit(DeviceIdentifier, unit, image);
    if (r == TransferResult::DeviceNotFound)
        return notFound(access, QCoreApplication::translate("CommandLineTool", "Device Not Found"));
    if (r == TransferResult::IoError)
        return {CommandLineTool::IoError,
                QCoreApplication::translate(
                    "CommandLineTool", "Device I/O Error while writing; the unit is only partly "
                                       "programmed, write it again")};
    DeviceImage back;
    r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, back);
    if (r != TransferResult::Success)
        return {
            r == TransferResult::DeviceNotFound ? CommandLineTool::NoUnit
                                                : CommandLineTool::IoError,
            r == TransferResult::DeviceNotFound
                ? QCoreApplication::translate(
                      "CommandLineTool", "written, but reading it back failed (Device Not Found)")
                : QCoreApplication::translate(
                      "CommandLineTool", "written, but reading it back failed (Device I/O Error)")};
    // Every byte sent must come back, as the window's Verify After Writing checks it.
    const auto differences = ConfigurationDifferences::of(image.bytes, back.bytes);
    if (differences.sameBytes())
        return {};
    QStringList where;
    for (const int location : differences.locations())
        where << locationName(location);
    return {CommandLineTool::Differs,
            QCoreApplication::translate("CommandLineTool",
                                        "the unit holds something else than was written: %1")
                .arg(where.join(QStringLiteral(", ")))};
}

// One plug-in for `watch`: a unit that holds the image already is only read (every write
// wears its memory); any other is written, read back and compared. Talks to that unit alone.
UnitWatch::Outcome programPlugIn(HidAccess& access, const QString& node, const DeviceImage& image) {
    using Outcome = UnitWatch::Outcome;
    UnitListScope scope(access);
    // Every encoder attached, however many: only the window's choice stops at four.
    int unit = 0;
    for (int n = 1; !unit; ++n) {
        const QString path = access.unitPath(n);
        if (path.isEmpty() && n > MaxUnits)
            break;
        if (path == node)
            unit = n;
    }
    if (!unit)
        return {};       // another device, or gone already
    QTextStream nowhere; // units programmed side by side draw no progress bar
    TerminalProgress quiet(nowhere, false);
    DeviceLink link(access, quiet, quiet);
    const std::optional<ListedUnit> listed = ListUnit(access, link, unit, true);
    if (!listed)
        return {Outcome::Result::Failed,
                {},
                QCoreApplication::translate("CommandLineTool", "Device Not Found")};
    if (!listed->accessible())
        return {
            Outcome::Result::Failed,
            {},
            QCoreApplication::translate("CommandLineTool", "this user may not open the unit (%1)")
                .arg(CommandLineTool::failureDetail(listed->refused))};
    DeviceImage held;
    if (link.ReceiveImageFromUnit(DeviceIdentifier, unit, held) != TransferResult::Success)
        return {Outcome::Result::Failed, listed->serial,
                QCoreApplication::translate("CommandLineTool", "Device I/O Error while reading")};
    if (held == image)
        return {Outcome::Result::AlreadyProgrammed, listed->serial, {}};
    const UnitOutcome written = writeUnit(access, quiet, unit, image, {});
    if (written.status != CommandLineTool::Success)
        return {Outcome::Result::Failed, listed->serial, written.message};
    return {Outcome::Result::Programmed, listed->serial, {}};
}

// The encoders past the four units that a command can name, by their device nodes.
QStringList beyondNamed(const HidAccess& access) {
    QStringList nodes;
    for (int n = MaxUnits + 1; !access.unitPath(n).isEmpty(); ++n)
        nodes << access.unitPath(n);
    return nodes;
}

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

CommandLineTool::CommandLineTool(QTextStream& out, QTextStream& err, AccessFactory hardware,
                                 bool errIsTerminal)
    : m_out(out), m_err(err), m_hardware(std::move(hardware)), m_errIsTerminal(errIsTerminal) {}

QString CommandLineTool::helpText() {
    return CommandLineOptions::helpText();
}

int CommandLineTool::fail(int code, const QString& message) {
    // One line per error, also for the file layer's texts, which are laid out for a message box.
    static const QRegularExpression breaks(QStringLiteral("\\s*\\n\\s*"));
    m_err << "tarvenpad: " << QString(message).replace(breaks, QStringLiteral(" ")) << '\n';
    m_err.flush();
    return code;
}

int CommandLineTool::run(const QStringList& arguments) {
    Options o;
    if (const QString error = CommandLineOptions::parse(arguments, o); !error.isEmpty())
        return fail(Usage, error);
    if (o.version) {
        m_out << "tarvenpad " << TARVENPAD_VERSION << '\n';
        return Success;
    }
    if (o.help || o.command == QLatin1String("help")) {
        const bool asked = o.command == QLatin1String("help") && !o.help; // "help COMMAND"
        const QString topic = asked ? o.files.value(0) : o.command;
        const QString text = CommandLineOptions::commandHelp(topic);
        if (asked && (o.files.size() > 1 || (!topic.isEmpty() && text.isEmpty())))
            return fail(Usage, tr("unknown command '%1' (see tarvenpad --help)")
                                   .arg(o.files.join(QLatin1Char(' '))));
        m_out << (text.isEmpty() || topic == QLatin1String("help") ? helpText() : text);
        return Success;
    }

    const auto expect = [&](int files) { return o.files.size() == files; };
    if (const QString problem = checkOptions(o); !problem.isEmpty())
        return fail(Usage, problem);
    if (o.command == QLatin1String("units") && expect(0))
        return units(o);
    if (o.command == QLatin1String("show") && expect(1))
        return show(o);
    if (o.command == QLatin1String("import") && expect(2))
        return convert(o, false);
    if (o.command == QLatin1String("export") && expect(2))
        return convert(o, true);
    if (o.command == QLatin1String("write") && expect(1))
        return write(o);
    if (o.command == QLatin1String("read") && expect(1) && !o.all)
        return read(o);
    if (o.command == QLatin1String("diff") && expect(1) && !o.all)
        return diff(o);
    if (o.command == QLatin1String("watch") && expect(1))
        return watch(o);
    if (o.command == QLatin1String("legend") && expect(2))
        return legend(o);
    if (o.command == QLatin1String("preset") && expect(o.list ? 0 : 2))
        return preset(o);
    return fail(Usage, tr("wrong arguments for '%1' (see tarvenpad --help)").arg(o.command));
}

QString CommandLineTool::checkOptions(const Options& o) {
    if (o.all && o.unit)
        return tr("--unit and --all exclude each other");
    if (!o.serial.isEmpty() && (o.unit || o.all))
        return tr("--serial names one unit: leave out %1").arg(o.unit ? "--unit" : "--all");
    if (!o.backup.isEmpty() && o.command != QLatin1String("write"))
        return tr("--backup goes with write");
    if (o.fault.isEmpty())
        return {};
    // A fault meant for emulated units must never reach real ones.
    if (o.emulate < 0)
        return tr("--emulate-fault needs --emulate N");
    const bool drop = o.fault == QLatin1String("drop");
    if (!drop && o.failAt < 1)
        return tr("--emulate-fault fail:N needs N of 1 or more");
    if (drop && (o.dropUnit < 1 || o.dropUnit > o.emulate))
        return tr("--emulate-fault drop:%1: there is no emulated unit %1").arg(o.dropUnit);
    if (drop && (o.dropLocation < 1 || o.dropLocation > DeviceImage::Size))
        return tr("--emulate-fault drop: the location runs from 1 to 94");
    return {};
}

std::unique_ptr<HidAccess> CommandLineTool::openAccess(const Options& o) {
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

// Reads the input once, whatever it is (a file, a FIFO, /dev/stdin), and at most
// MaxInputSize bytes of it; a .TPD or a JSON document by its header (ConfigDocument.h).
int CommandLineTool::load(const QString& path, Configuration& config) {
    if (path == QLatin1String("-"))
        return loadInput(config);
    const FileResult r = LoadConfiguration(config, path);
    const QString name = QDir::toNativeSeparators(path);
    switch (r.status) {
    case FileResult::Status::Ok:
        return Success;
    case FileResult::Status::ReadFailed:
        return fail(BadInput, tr("cannot read %1: %2").arg(name, r.reason));
    case FileResult::Status::Rejected:
        return fail(BadInput, tr("%1: %2").arg(name, r.message));
    default: // the message names the file
        return fail(BadInput, r.message);
    }
}

int CommandLineTool::loadInput(Configuration& config) {
    QByteArray bytes;
    if (const QString error = StandardStreams::readInput(bytes); !error.isEmpty())
        return fail(BadInput, error);
    const QString name = tr("standard input");
    const FileResult r = DecodeConfiguration(config, InputBytes{bytes, true}, name);
    if (r.ok())
        return Success;
    if (r.status == FileResult::Status::Rejected)
        return fail(BadInput, tr("%1: %2").arg(name, r.message));
    return fail(BadInput, r.message); // the file layer's texts name the input already
}

// Through the window's writer: a .TPD keeps the tail of an existing file, a JSON document
// replaces it; a failed write leaves the old file as it was and gives CannotWrite.
int CommandLineTool::save(const QString& path, const Configuration& config, bool json) {
    if (path == QLatin1String("-")) {
        const QString error = StandardStreams::writeOutput(m_out, json ? EncodeConfigJson(config)
                                                                       : EncodeConfigFile(config));
        return error.isEmpty() ? Success : fail(CannotWrite, error);
    }
    m_out.flush(); // the file may be standard output
    const FileResult r = json ? WriteConfigJsonFile(config, path, ReaderWait::Wait)
                              : WriteConfigFile(config, path, ReaderWait::Wait);
    if (!r.ok())
        return fail(CannotWrite,
                    tr("cannot write %1: %2").arg(QDir::toNativeSeparators(path), r.reason));
    return Success;
}

QString CommandLineTool::failureDetail(const OpenFailure& why) {
    const QString where = why.path.isEmpty() ? tr("unit %1").arg(why.unit) : why.path;
    switch (why.kind) {
    case OpenFailure::Kind::UnitsChanged:
        return tr("%1 is no longer unit %2: units were plugged in or removed during "
                  "the command")
            .arg(where, QString::number(why.unit));
    case OpenFailure::Kind::AccessDenied:
    case OpenFailure::Kind::OpenFailed:
        return tr("%1: %2").arg(where, why.systemError
                                           ? QString::fromLocal8Bit(std::strerror(why.systemError))
                                           : tr("cannot be opened"));
    case OpenFailure::Kind::None:
    case OpenFailure::Kind::NoSuchUnit:
        break;
    }
    return {};
}

int CommandLineTool::denied(const Attached& unit) {
    // The error on one line as every other; the fix below it, a command to a line.
    const int status = fail(AccessDenied, tr("unit %1 is attached, but this user may not open it "
                                             "(%2).")
                                              .arg(unit.unit)
                                              .arg(failureDetail(unit.refused)));
    m_err << accessAdvice(m_accessSetup ? *m_accessSetup : AccessSetup::probe()) << '\n';
    m_err.flush();
    return status;
}

bool CommandLineTool::leftOut(const HidAccess& access) {
    const QStringList nodes = beyondNamed(access);
    if (nodes.isEmpty())
        return false;
    m_err << "tarvenpad: "
          << tr("warning: %1 left out: commands name units 1 to %2 only; 'tarvenpad watch' "
                "programs every encoder")
                 .arg(nodes.join(QStringLiteral(", ")))
                 .arg(MaxUnits)
          << '\n';
    m_err.flush();
    return true;
}

int CommandLineTool::units(const Options& o) {
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, false);
    DeviceLink link(*access, progress, progress);
    const QList<Attached> found = ListUnits(*access, link, true);
    leftOut(*access);
    if (o.json) {
        // A unit this user may not open is still there; a script must not take it for absent.
        QJsonArray list;
        for (const Attached& u : found)
            list.append(
                QJsonObject{{"unit", u.unit},
                            {"serial", u.accessible() ? QJsonValue(u.serial) : QJsonValue::Null},
                            {"path", access->unitPath(u.unit)},
                            {"access", u.accessible() ? "ok" : "denied"}});
        m_out << QJsonDocument(list).toJson();
    }
    if (found.isEmpty())
        return fail(NoUnit, noUnitFound());
    if (!o.json) {
        for (const Attached& a : found) {
            if (a.accessible())
                m_out << a.unit << ' ' << a.serial << '\n';
            else
                m_out << tr("%1 - not accessible (%2)\n").arg(a.unit).arg(failureDetail(a.refused));
        }
        m_out.flush();
    }
    const auto refused =
        std::find_if(found.begin(), found.end(), [](const Attached& a) { return !a.accessible(); });
    if (refused == found.end())
        return Success;
    // A unit that is there but may not be opened has a status of its own; the JSON already
    // says which one.
    return o.json ? AccessDenied : denied(*refused);
}

int CommandLineTool::show(const Options& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    if (o.json) {
        m_out << EncodeConfigJson(config);
        return Success;
    }
    m_out << tr("%1 %2 %3  Shift Control Alt Repeat\n")
                 .arg(tr("Slot"), -12)
                 .arg(tr("Key"), -16)
                 .arg(tr("Code"), 4);
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const KeySlot& s = config.slot(k);
        // Key names such as "%5" must not meet a later arg(), so they go in on their own.
        m_out << SlotLabel(k).leftJustified(12) << ' '
              << PlainKeyText(KeyCodeName(s.keyCode)).leftJustified(16)
              << tr(" %1  %2 %3 %4 %5\n")
                     .arg(s.keyCode, 4)
                     .arg(yesNo(s.shift), -5)
                     .arg(yesNo(s.control), -7)
                     .arg(yesNo(s.alt), -3)
                     .arg(yesNo(s.repeat));
    }
    m_out << '\n';
    for (const Configuration::Option option : Configuration::Options)
        m_out << QStringLiteral("%1 %2\n")
                     .arg(OptionName(option), -16)
                     .arg(OnOffText(config.option(option)));
    return Success;
}

int CommandLineTool::convert(const Options& o, bool toJson) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    return save(o.files[1], config, toJson);
}

int CommandLineTool::pickUnit(const Options& o, HidAccess& access, DeviceLink& link, Attached& unit,
                              bool serials) {
    const QList<Attached> found = ListUnits(access, link, serials || !o.serial.isEmpty());
    if (found.isEmpty())
        return fail(NoUnit, noUnitFound());
    if (!o.serial.isEmpty()) {
        if (std::none_of(found.begin(), found.end(),
                         [&](const Attached& a) { return a.accessible() && a.serial == o.serial; }))
            leftOut(access); // it may be one of them
        return pickBySerial(o.serial, found, unit);
    }
    const auto numbered = std::find_if(found.begin(), found.end(), [&](const Attached& a) {
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
    const QList<Attached> listed = serials ? found : ListUnits(access, link, true);
    QString list;
    for (const Attached& a : listed)
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
int CommandLineTool::pickBySerial(const QString& serial, const QList<Attached>& found,
                                  Attached& unit) {
    QStringList attached;
    for (const Attached& a : found) {
        if (a.accessible() && a.serial == serial) {
            unit = a;
            return Success;
        }
        attached << (a.accessible() ? a.serial : tr("unit %1 (not accessible)").arg(a.unit));
    }
    return fail(NoUnit, tr("no unit with serial %1 is attached; attached: %2")
                            .arg(serial, attached.join(QStringLiteral(", "))));
}

int CommandLineTool::write(const Options& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const DeviceImage image = BuildDeviceImage(config);
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);

    const bool serials = o.backup.contains(QLatin1String("{serial}"));
    QList<Attached> targets;
    int status = Success;
    if (o.all) {
        targets = ListUnits(*access, link, serials);
        if (targets.isEmpty())
            return fail(NoUnit, tr("no TARVEN-PAD unit found"));
        if (leftOut(*access))
            status = NoUnit; // a unit left as it was is not a success
    } else {
        Attached unit;
        if (const int r = pickUnit(o, *access, link, unit, serials))
            return r;
        targets << unit;
    }

    QStringList backups;
    for (const Attached& t : targets) {
        QString path = o.backup;
        path.replace(QLatin1String("{unit}"), QString::number(t.unit));
        // The serial characters come from the unit: never let them name another folder.
        QString serial = t.serial;
        for (QChar& c : serial)
            if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-'))
                c = QLatin1Char('_');
        path.replace(QLatin1String("{serial}"), serial);
        backups << path;
    }
    if (!o.backup.isEmpty() &&
        QSet<QString>(backups.begin(), backups.end()).size() < backups.size())
        return fail(Usage, tr("--backup %1 gives several units the same file; put "
                              "{unit} or {serial} into it")
                               .arg(o.backup));

    // One worker per unit, each with its own handle: the units take their time side by side.
    std::vector<UnitOutcome> outcomes(size_t(targets.size()));
    if (targets.size() == 1) {
        if (targets[0].accessible())
            outcomes[0] = writeUnit(*access, progress, targets[0].unit, image, backups[0]);
    } else {
        std::vector<std::thread> workers;
        for (int i = 0; i < targets.size(); ++i) {
            if (!targets[i].accessible())
                continue;
            workers.emplace_back([&, i, unit = targets[i].unit, backup = backups[i]] {
                TerminalProgress quiet(m_err, false);
                outcomes[size_t(i)] = writeUnit(*access, quiet, unit, image, backup);
            });
        }
        for (std::thread& worker : workers)
            worker.join();
    }
    progress.finish();

    // With --all, standard output has one line per unit in unit order, failures included, so
    // the report reads the same with 2>&1; a failure is said on standard error as well.
    for (int i = 0; i < targets.size(); ++i) {
        const Attached& t = targets[i];
        const UnitOutcome& outcome = outcomes[size_t(i)];
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
        if (severity(code) > severity(status))
            status = code;
    }
    return status;
}

int CommandLineTool::watch(const Options& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const DeviceImage image = BuildDeviceImage(config);
    QFile log(o.log);
    if (!o.log.isEmpty() && !log.open(QIODevice::WriteOnly | QIODevice::Append))
        return fail(
            CannotWrite,
            tr("cannot write %1: %2").arg(QDir::toNativeSeparators(o.log), log.errorString()));
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
        for (const Attached& a : ListUnits(*lister, link, false))
            attached << lister->unitPath(a.unit);
        attached << beyondNamed(*lister);
    }
    // Each plug-in gets an access of its own, so that its unit numbers are its own command's.
    UnitWatch watching(
        m_out, [&](const QString& node) { return programPlugIn(*openAccess(o), node, image); },
        [&](const QString& node) { return lister->nodeDevice(node); }, o.json,
        log.isOpen() ? &log : nullptr);
    return watching.run(attached, monitor.get()) ? IoError : Success;
}

int CommandLineTool::readUnit(const Options& o, int& unit, DeviceImage& image) {
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);
    Attached chosen;
    if (const int r = pickUnit(o, *access, link, chosen))
        return r;
    unit = chosen.unit;
    const TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, image);
    progress.finish();
    if (r == TransferResult::DeviceNotFound) {
        const UnitOutcome why = notFound(*access, tr("Device Not Found"));
        return fail(why.status, tr("unit %1: %2").arg(unit).arg(why.message));
    }
    if (r != TransferResult::Success)
        return fail(IoError, tr("unit %1: Device I/O Error while reading").arg(unit));
    return Success;
}

int CommandLineTool::read(const Options& o) {
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

int CommandLineTool::diff(const Options& o) {
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

int CommandLineTool::legend(const Options& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const QString input = o.files[0] == QLatin1String("-") ? QString() : o.files[0];
    const LegendSheet sheet(config, input, QDate::currentDate());
    const QPageSize page = LegendSheet::defaultPageSize();
    const QString out = o.files[1];
    if (out == QLatin1String("-")) {
        const QString error =
            StandardStreams::writeOutput(m_out, RenderLegend(sheet, LegendFormat::Pdf, page));
        return error.isEmpty() ? Success : fail(CannotWrite, error);
    }
    if (!LegendFormatOf(out))
        return fail(
            Usage,
            tr("%1: a legend is written as .pdf, .svg or .png").arg(QDir::toNativeSeparators(out)));
    m_out.flush(); // the file may be standard output
    const FileResult r = WriteLegend(sheet, out, page, ReaderWait::Wait);
    if (!r.ok())
        return fail(CannotWrite,
                    tr("cannot write %1: %2").arg(QDir::toNativeSeparators(out), r.reason));
    return Success;
}

int CommandLineTool::preset(const Options& o) {
    if (o.list) {
        for (const QString& name : PresetNames())
            m_out << PresetKey(name).leftJustified(24) << ' ' << PresetTitle(name) << '\n';
        return Success;
    }
    const QString name = FindPreset(o.files[0]);
    if (name.isEmpty())
        return fail(Usage,
                    tr("there is no preset '%1' (see tarvenpad preset --list)").arg(o.files[0]));
    Configuration config;
    if (const FileResult r = LoadPreset(config, name); !r.ok())
        return fail(BadInput, r.message);
    return save(o.files[1], config,
                o.files[1].endsWith(QLatin1String(".json"), Qt::CaseInsensitive));
}
