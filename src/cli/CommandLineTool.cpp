#include "CommandLineTool.h"

#include "ConfigFile.h"
#include "ConfigJson.h"
#include "Configuration.h"
#include "DemoUnits.h"
#include "DeviceLink.h"
#include "EmulatedAccess.h"
#include "KeyCodes.h"
#include "TerminalProgress.h"
#include "TracingAccess.h"
#include "UnitListScope.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSet>
#include <thread>
#include <vector>

struct CommandLineTool::Options {
    QString command;
    QStringList files;
    int emulate = -1;  // -1: the real encoders
    bool demo = false; // the demo programmer's two units instead
    int unit = 0;
    bool all = false;
    bool json = false;
    bool trace = false;
    QString fault;    // --emulate-fault: "fail" or "drop"
    int failAt = 0;   // emulated units: the exchange that fails
    int dropUnit = 0; // emulated units: the unit that loses a location
    int dropLocation = 0;
    QString backup; // write: where each unit's configuration goes first
};

// An attached unit as listed at the start of a command.
struct CommandLineTool::Attached {
    int unit = 0;
    QString serial;
    QString denied; // the path and the system's reason when this user may not open it
};

namespace {

QString yesNo(bool on) {
    return on ? QStringLiteral("x") : QStringLiteral("-");
}

// A location of the image in words: the slot and what it holds.
QString locationName(int location) {
    if (location == 93)
        return QStringLiteral("the options");
    if (location == 94)
        return QStringLiteral("location 94");
    const int slot = (location - 1) / 2;
    return QStringLiteral("%1 (%2)").arg(SlotLabel(slot), location % 2 ? QStringLiteral("modifiers")
                                                                       : QStringLiteral("key"));
}

const QString UdevFix = QStringLiteral(
    "Install the udev rule that comes with tarvenpad, then unplug the unit and plug it in "
    "again:\n"
    "  sudo cp udev/70-tarvenpad.rules /etc/udev/rules.d/\n"
    "  sudo udevadm control --reload-rules\n"
    "  sudo udevadm trigger --subsystem-match=hidraw\n"
    "The rule gives the user at the seat access (uaccess) and the plugdev group too "
    "(GROUP=\"plugdev\", MODE=\"0660\"); over SSH or without a desktop session, join that "
    "group and log in again:\n"
    "  sudo usermod -aG plugdev $USER");

// How bad an outcome is for --all: a unit left holding something wrong outranks one that
// was left untouched.
int severity(int status) {
    switch (status) {
    case 7:
        return 6;
    case 6:
        return 5;
    case 8:
        return 4;
    case 5:
        return 3;
    case 4:
        return 2;
    default:
        return status ? 1 : 0;
    }
}

struct UnitOutcome {
    int status = 0;
    QString message; // what went wrong, or empty
};

QString storeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("cannot write %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

// A transfer that found no unit: the access layer may know why.
UnitOutcome notFound(HidAccess& access, const QString& what) {
    const OpenFailure why = access.lastOpenFailure();
    if (why.kind == OpenFailure::Kind::AccessDenied)
        return {8,
                QStringLiteral("%1: this user may not open the unit (%2)").arg(what, why.detail)};
    return {5, why.detail.isEmpty() ? what : QStringLiteral("%1 (%2)").arg(what, why.detail)};
}

// Backs up, writes, reads back and compares one unit. Runs on its own thread for --all.
UnitOutcome writeUnit(HidAccess& access, TerminalProgress& progress, int unit,
                      const DeviceImage& image, const QString& backup) {
    DeviceLink link(access, progress, progress);
    if (!backup.isEmpty()) {
        DeviceImage old;
        const TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, old);
        if (r == TransferResult::DeviceNotFound)
            return notFound(access, QStringLiteral("Device Not Found while backing it up; not "
                                                   "written"));
        if (r != TransferResult::Success)
            return {6, QStringLiteral("Device I/O Error while backing it up; not written")};
        Configuration config;
        ApplyDeviceImage(config, old);
        const QString error = storeFile(backup, EncodeConfigFile(config));
        if (!error.isEmpty())
            return {4, error + QStringLiteral("; not written")};
    }
    TransferResult r = link.SendImageToUnit(DeviceIdentifier, unit, image);
    if (r == TransferResult::DeviceNotFound)
        return notFound(access, QStringLiteral("Device Not Found"));
    if (r == TransferResult::IoError)
        return {6, QStringLiteral("Device I/O Error while writing; the unit is only partly "
                                  "programmed, write it again")};
    DeviceImage back;
    r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, back);
    if (r != TransferResult::Success)
        return {r == TransferResult::DeviceNotFound ? 5 : 6,
                QStringLiteral("written, but reading it back failed (Device %1)")
                    .arg(r == TransferResult::DeviceNotFound ? "Not Found" : "I/O Error")};
    QStringList differences;
    for (int location = 1; location <= DeviceImage::Size; ++location)
        if (back.at(location) != image.at(location))
            differences << locationName(location);
    if (!differences.isEmpty())
        return {7, QStringLiteral("the unit holds something else than was written: %1")
                       .arg(differences.join(QStringLiteral(", ")))};
    return {};
}

} // namespace

CommandLineTool::CommandLineTool(QTextStream& out, QTextStream& err, AccessFactory hardware,
                                 bool errIsTerminal)
    : m_out(out), m_err(err), m_hardware(std::move(hardware)), m_errIsTerminal(errIsTerminal) {}

QString CommandLineTool::helpText() {
    return QStringLiteral(
        "Usage: tarvenpad COMMAND [ARGUMENTS] [OPTIONS]\n"
        "\n"
        "Programs TARVEN-PAD keyboard encoders and converts their configuration files.\n"
        "\n"
        "Commands:\n"
        "  units                    list the attached units: number and serial number, or\n"
        "                           '-' and the reason when this user may not open one\n"
        "  show FILE [--json]       print the configuration in FILE (.TPD or JSON)\n"
        "  import FILE.json OUT.TPD write the configuration of a JSON document as a .TPD file\n"
        "  export FILE.TPD OUT.json write the configuration of a .TPD file as JSON\n"
        "  write FILE [--unit N | --all] [--backup PATTERN]\n"
        "                           write FILE (.TPD or JSON) into a unit, read it back and\n"
        "                           compare; with several units attached, name one or use --all\n"
        "  read OUT.TPD [--unit N]  read a unit's configuration into a .TPD file\n"
        "\n"
        "Options:\n"
        "  --unit N      the unit to use (1 to 4), as listed by 'units'\n"
        "  --all         write every attached unit, all at the same time\n"
        "  --backup PATTERN\n"
        "                with write: first read each unit into the .TPD file PATTERN, with\n"
        "                {unit} and {serial} replaced; a unit whose backup fails is not written\n"
        "  --json        with show: print the JSON document instead of a table\n"
        "  --emulate N   use N emulated units in their factory state instead of hardware\n"
        "  --demo        use the demo programmer's two emulated units (serials 4172 and\n"
        "                12935); unit 1 holds its sample configuration\n"
        "  --trace       print every exchange with a unit to standard error: the unit, then\n"
        "                the request and the reply bytes in hex\n"
        "  --emulate-fault fail:N | drop:UNIT:LOCATION\n"
        "                with --emulate: the N-th exchange fails, or the unit loses what is\n"
        "                written to LOCATION (1 to 94); for testing scripts\n"
        "  -h, --help    print this help\n"
        "\n"
        "Exit status:\n"
        "  0  success\n"
        "  2  wrong usage (also: several units attached and none chosen)\n"
        "  3  a file that cannot be read or is not a configuration\n"
        "  4  a file that cannot be written\n"
        "  5  no unit found\n"
        "  6  an I/O error while talking to a unit\n"
        "  7  the configuration read back from a unit differs from what was written\n"
        "  8  a unit is attached but this user may not open it (see the udev rule)\n"
        "With --all the worst outcome wins: 7, then 6, 8, 5 and 4.\n");
}

int CommandLineTool::fail(int code, const QString& message) {
    m_err << "tarvenpad: " << message << '\n';
    m_err.flush();
    return code;
}

int CommandLineTool::run(const QStringList& arguments) {
    Options o;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const auto number = [&](int& target, int low, int high) {
            bool ok = false;
            const int v = i + 1 < arguments.size() ? arguments[i + 1].toInt(&ok) : 0;
            if (!ok || v < low || v > high)
                return false;
            target = v;
            ++i;
            return true;
        };
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            m_out << helpText();
            return Success;
        } else if (a == QLatin1String("--emulate")) {
            if (!number(o.emulate, 0, MaxUnits))
                return fail(Usage, QStringLiteral("--emulate takes a number of units from 0 to 4"));
        } else if (a == QLatin1String("--demo")) {
            o.demo = true;
            o.emulate = 2;
        } else if (a == QLatin1String("--unit")) {
            if (!number(o.unit, 1, MaxUnits))
                return fail(Usage, QStringLiteral("--unit takes a unit number from 1 to 4"));
        } else if (a == QLatin1String("--emulate-fault")) {
            // For testing scripts against faulty units: "fail:N" or "drop:UNIT:LOCATION".
            const QStringList parts =
                i + 1 < arguments.size() ? arguments[++i].split(':') : QStringList();
            bool ok1 = false, ok2 = true;
            o.fault = parts.value(0);
            if (parts.size() == 2 && parts[0] == QLatin1String("fail")) {
                o.failAt = parts[1].toInt(&ok1);
            } else if (parts.size() == 3 && parts[0] == QLatin1String("drop")) {
                o.dropUnit = parts[1].toInt(&ok1);
                o.dropLocation = parts[2].toInt(&ok2);
            }
            if (!ok1 || !ok2)
                return fail(Usage,
                            QStringLiteral("--emulate-fault takes fail:N or drop:UNIT:LOCATION"));
        } else if (a == QLatin1String("--backup")) {
            o.backup = i + 1 < arguments.size() ? arguments[++i] : QString();
            if (o.backup.isEmpty())
                return fail(Usage, QStringLiteral("--backup takes a file name pattern"));
        } else if (a == QLatin1String("--all")) {
            o.all = true;
        } else if (a == QLatin1String("--json")) {
            o.json = true;
        } else if (a == QLatin1String("--trace")) {
            o.trace = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return fail(Usage, QStringLiteral("unknown option %1 (see tarvenpad --help)").arg(a));
        } else if (o.command.isEmpty()) {
            o.command = a;
        } else {
            o.files << a;
        }
    }

    const auto expect = [&](int files) { return o.files.size() == files; };
    if (o.command.isEmpty())
        return fail(Usage, QStringLiteral("no command given (see tarvenpad --help)"));
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
    const QStringList known{"units", "show", "import", "export", "write", "read"};
    if (!known.contains(o.command))
        return fail(Usage,
                    QStringLiteral("unknown command '%1' (see tarvenpad --help)").arg(o.command));
    return fail(Usage,
                QStringLiteral("wrong arguments for '%1' (see tarvenpad --help)").arg(o.command));
}

QString CommandLineTool::checkOptions(const Options& o) {
    if (o.all && o.unit)
        return QStringLiteral("--unit and --all exclude each other");
    if (!o.backup.isEmpty() && o.command != QLatin1String("write"))
        return QStringLiteral("--backup goes with write");
    if (o.fault.isEmpty())
        return {};
    // A fault meant for emulated units must never reach real ones.
    if (o.emulate < 0)
        return QStringLiteral("--emulate-fault needs --emulate N");
    const bool drop = o.fault == QLatin1String("drop");
    if (!drop && o.failAt < 1)
        return QStringLiteral("--emulate-fault fail:N needs N of 1 or more");
    if (drop && (o.dropUnit < 1 || o.dropUnit > o.emulate))
        return QStringLiteral("--emulate-fault drop:%1: there is no emulated unit %1")
            .arg(o.dropUnit);
    if (drop && (o.dropLocation < 1 || o.dropLocation > DeviceImage::Size))
        return QStringLiteral("--emulate-fault drop: the location runs from 1 to 94");
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
    m_inner = std::move(access);
    return std::make_unique<TracingAccess>(*m_inner, m_err);
}

int CommandLineTool::load(const QString& path, Configuration& config) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray start = file.peek(64).trimmed();
        if (start.startsWith('{')) {
            const FileResult r = ConfigFromJson(config, file.readAll());
            return r.ok() ? Success
                          : fail(BadInput, QStringLiteral("%1: %2").arg(
                                               QDir::toNativeSeparators(path), r.message));
        }
    }
    const FileResult r = ReadConfigFile(config, path);
    if (r.ok())
        return Success;
    if (r.status == FileResult::Status::Rejected)
        return fail(BadInput, QStringLiteral("%1: not a configuration file (unknown header)")
                                  .arg(QDir::toNativeSeparators(path)));
    return fail(BadInput, r.message);
}

int CommandLineTool::save(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(CannotWrite, QStringLiteral("cannot write %1: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString()));
    return Success;
}

QList<CommandLineTool::Attached> CommandLineTool::attachedUnits(HidAccess& access, DeviceLink& link,
                                                                bool serials) {
    QList<Attached> found;
    for (int unit = 1; unit <= MaxUnits; ++unit) {
        DeviceRecord record;
        if (access.OpenHidDevice(DeviceIdentifier, TransferLength, TransferLength, record, unit) !=
            0) {
            // Present but not ours to open: listed, so that it is not mistaken for absent.
            const OpenFailure why = access.lastOpenFailure();
            if (why.kind == OpenFailure::Kind::AccessDenied)
                found.append({unit, {}, why.detail});
            continue;
        }
        found.append({unit, serials ? FormatSerial(link.RequestSerial(record)) : QString(), {}});
        access.CloseHidDevice(record);
    }
    return found;
}

int CommandLineTool::denied(const Attached& unit) {
    return fail(AccessDenied,
                QStringLiteral("unit %1 is attached, but this user may not open it (%2).\n%3")
                    .arg(unit.unit)
                    .arg(unit.denied, UdevFix));
}

int CommandLineTool::units(const Options& o) {
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, false);
    DeviceLink link(*access, progress, progress);
    const QList<Attached> found = attachedUnits(*access, link, true);
    if (found.isEmpty())
        return fail(NoUnit, QStringLiteral("no TARVEN-PAD unit found; plug one in (and see the "
                                           "README on access rights)"));
    const Attached* refused = nullptr;
    for (const Attached& a : found) {
        if (a.denied.isEmpty()) {
            m_out << a.unit << ' ' << a.serial << '\n';
        } else {
            m_out << a.unit << " - not accessible (" << a.denied << ")\n";
            refused = refused ? refused : &a;
        }
    }
    m_out.flush();
    return refused ? denied(*refused) : Success;
}

int CommandLineTool::show(const Options& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    if (o.json) {
        m_out << QJsonDocument(ConfigToJson(config)).toJson(QJsonDocument::Indented);
        return Success;
    }
    m_out << QStringLiteral("%1 %2 %3  Shift Control Alt Repeat\n")
                 .arg(QStringLiteral("Slot"), -12)
                 .arg(QStringLiteral("Key"), -16)
                 .arg(QStringLiteral("Code"), 4);
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const KeySlot& s = config.slot(k);
        // Key names such as "%5" must not meet a later arg(), so they go in on their own.
        m_out << SlotLabel(k).leftJustified(12) << ' '
              << PlainKeyText(KeyCodeName(s.keyCode)).leftJustified(16)
              << QStringLiteral(" %1  %2 %3 %4 %5\n")
                     .arg(s.keyCode, 4)
                     .arg(yesNo(s.shift), -5)
                     .arg(yesNo(s.control), -7)
                     .arg(yesNo(s.alt), -3)
                     .arg(yesNo(s.repeat));
    }
    const AuxOptions& a = config.aux();
    const std::pair<const char*, bool> options[] = {{"Reverse X Axis", a.reverseX},
                                                    {"Reverse Y Axis", a.reverseY},
                                                    {"Active High", a.activeHigh},
                                                    {"Rotary-5 on AUX", a.rotaryOnAux},
                                                    {"Relay-8 on AUX", a.relayOnAux}};
    m_out << '\n';
    for (const auto& [name, on] : options)
        m_out
            << QStringLiteral("%1 %2\n").arg(QString::fromLatin1(name), -16).arg(on ? "on" : "off");
    return Success;
}

int CommandLineTool::convert(const Options& o, bool toJson) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    return save(o.files[1],
                toJson ? QJsonDocument(ConfigToJson(config)).toJson() : EncodeConfigFile(config));
}

int CommandLineTool::pickUnit(const Options& o, HidAccess& access, DeviceLink& link, Attached& unit,
                              bool serials) {
    const QList<Attached> found = attachedUnits(access, link, serials);
    if (found.isEmpty())
        return fail(NoUnit, QStringLiteral("no TARVEN-PAD unit found; plug one in (and see the "
                                           "README on access rights)"));
    const auto numbered = std::find_if(found.begin(), found.end(), [&](const Attached& a) {
        return a.unit == (o.unit ? o.unit : found[0].unit);
    });
    if (o.unit && numbered == found.end())
        return fail(NoUnit, QStringLiteral("unit %1 is not attached").arg(o.unit));
    // A unit this user may not open still counts: writing the other one unasked would be a
    // guess.
    if (o.unit || found.size() == 1) {
        unit = *numbered;
        return unit.denied.isEmpty() ? Success : denied(unit);
    }
    // Only a refusal needs the serial numbers, to tell the units apart.
    const QList<Attached> listed = serials ? found : attachedUnits(access, link, true);
    QString list;
    for (const Attached& a : listed)
        list += a.denied.isEmpty()
                    ? QStringLiteral("\n  unit %1, serial %2").arg(a.unit).arg(a.serial)
                    : QStringLiteral("\n  unit %1, not accessible").arg(a.unit);
    return fail(Usage, QStringLiteral("%1 units are attached; choose one with --unit N%2:%3")
                           .arg(found.size())
                           .arg(o.command == QLatin1String("write") ? " or all with --all" : "")
                           .arg(list));
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
    if (o.all) {
        targets = attachedUnits(*access, link, serials);
        if (targets.isEmpty())
            return fail(NoUnit, QStringLiteral("no TARVEN-PAD unit found"));
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
        return fail(Usage, QStringLiteral("--backup %1 gives several units the same file; put "
                                          "{unit} or {serial} into it")
                               .arg(o.backup));

    // One worker per unit, each with its own handle: the units take their time side by side.
    std::vector<UnitOutcome> outcomes(size_t(targets.size()));
    if (targets.size() == 1) {
        if (targets[0].denied.isEmpty())
            outcomes[0] = writeUnit(*access, progress, targets[0].unit, image, backups[0]);
    } else {
        std::vector<std::thread> workers;
        for (int i = 0; i < targets.size(); ++i) {
            if (!targets[i].denied.isEmpty())
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

    int status = Success;
    for (int i = 0; i < targets.size(); ++i) {
        int code = outcomes[size_t(i)].status;
        if (!targets[i].denied.isEmpty())
            code = denied(targets[i]);
        else if (code != Success)
            fail(code, QStringLiteral("unit %1: %2")
                           .arg(targets[i].unit)
                           .arg(outcomes[size_t(i)].message));
        else
            m_out << QStringLiteral("unit %1: programmed and verified\n").arg(targets[i].unit);
        if (severity(code) > severity(status))
            status = code;
    }
    return status;
}

int CommandLineTool::read(const Options& o) {
    auto access = openAccess(o);
    UnitListScope scope(*access);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);
    Attached chosen;
    if (const int r = pickUnit(o, *access, link, chosen))
        return r;
    const int unit = chosen.unit;
    DeviceImage image;
    const TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, image);
    progress.finish();
    if (r == TransferResult::DeviceNotFound) {
        const UnitOutcome why = notFound(*access, QStringLiteral("Device Not Found"));
        return fail(why.status, QStringLiteral("unit %1: %2").arg(unit).arg(why.message));
    }
    if (r != TransferResult::Success)
        return fail(IoError, QStringLiteral("unit %1: Device I/O Error while reading").arg(unit));
    Configuration config;
    ApplyDeviceImage(config, image);
    QByteArray bytes = EncodeConfigFile(config);
    if (const int w = save(o.files[0], bytes))
        return w;
    m_out << QStringLiteral("unit %1: read into %2\n")
                 .arg(unit)
                 .arg(QDir::toNativeSeparators(o.files[0]));
    return Success;
}
