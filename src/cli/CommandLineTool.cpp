#include "CommandLineTool.h"

#include "ConfigDocument.h"
#include "ConfigFile.h"
#include "ConfigJson.h"
#include "Configuration.h"
#include "DeviceLink.h"
#include "EmulatedAccess.h"
#include "KeyCodes.h"
#include "TerminalProgress.h"
#include "TracingAccess.h"

#include <QDir>

struct CommandLineTool::Options {
    QString command;
    QStringList files;
    int emulate = -1; // -1: the real encoders
    int unit = 0;
    bool all = false;
    bool json = false;
    bool trace = false;
    int failAt = 0;   // emulated units: the exchange that fails
    int dropUnit = 0; // emulated units: the unit that loses a location
    int dropLocation = 0;
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
        "  units                    list the attached units: number and serial number\n"
        "  show FILE [--json]       print the configuration in FILE (.TPD or JSON)\n"
        "  import FILE.json OUT.TPD write the configuration of a JSON document as a .TPD file\n"
        "  export FILE.TPD OUT.json write the configuration of a .TPD file as JSON\n"
        "  write FILE [--unit N | --all]\n"
        "                           write FILE (.TPD or JSON) into a unit, read it back and\n"
        "                           compare; with several units attached, name one or use --all\n"
        "  read OUT.TPD [--unit N]  read a unit's configuration into a .TPD file\n"
        "\n"
        "Options:\n"
        "  --unit N      the unit to use (1 to 4), as listed by 'units'\n"
        "  --all         write every attached unit in turn\n"
        "  --json        with show: print the JSON document instead of a table\n"
        "  --emulate N   use N emulated units in their factory state instead of hardware\n"
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
        "  7  the configuration read back from a unit differs from what was written\n");
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
        } else if (a == QLatin1String("--unit")) {
            if (!number(o.unit, 1, MaxUnits))
                return fail(Usage, QStringLiteral("--unit takes a unit number from 1 to 4"));
        } else if (a == QLatin1String("--emulate-fault")) {
            // For testing scripts against faulty units: "fail:N" or "drop:UNIT:LOCATION".
            const QStringList parts =
                i + 1 < arguments.size() ? arguments[++i].split(':') : QStringList();
            bool ok1 = false, ok2 = true;
            if (parts.size() == 2 && parts[0] == QLatin1String("fail")) {
                o.failAt = parts[1].toInt(&ok1);
            } else if (parts.size() == 3 && parts[0] == QLatin1String("drop")) {
                o.dropUnit = parts[1].toInt(&ok1);
                o.dropLocation = parts[2].toInt(&ok2);
            }
            if (!ok1 || !ok2)
                return fail(Usage,
                            QStringLiteral("--emulate-fault takes fail:N or drop:UNIT:LOCATION"));
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
    if (o.all && o.unit)
        return fail(Usage, QStringLiteral("--unit and --all exclude each other"));
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

std::unique_ptr<HidAccess> CommandLineTool::openAccess(const Options& o) {
    std::unique_ptr<HidAccess> access;
    if (o.emulate >= 0) {
        auto emulated = std::make_unique<EmulatedAccess>(o.emulate);
        emulated->failExchangeAt(o.failAt);
        if (o.dropUnit >= 1 && o.dropUnit <= MaxUnits)
            emulated->unit(o.dropUnit).droppedLocations.insert(o.dropLocation);
        access = std::move(emulated);
    } else
        access = m_hardware();
    if (!o.trace)
        return access;
    m_inner = std::move(access);
    return std::make_unique<TracingAccess>(*m_inner, m_err);
}

// Reads the input once, whatever it is (a file, a FIFO, /dev/stdin), and at most
// MaxInputSize bytes of it; a .TPD or a JSON document by its header (ConfigDocument.h).
int CommandLineTool::load(const QString& path, Configuration& config) {
    const FileResult r = LoadConfiguration(config, path);
    const QString name = QDir::toNativeSeparators(path);
    switch (r.status) {
    case FileResult::Status::Ok:
        return Success;
    case FileResult::Status::ReadFailed:
        return fail(BadInput, QStringLiteral("cannot read %1: %2").arg(name, r.reason));
    case FileResult::Status::Rejected:
        return fail(BadInput, QStringLiteral("%1: %2").arg(name, r.message));
    default: // the message names the file
        return fail(BadInput, r.message);
    }
}

// Through the window's writer: a .TPD keeps the tail of an existing file, a JSON document
// replaces it; a failed write leaves the old file as it was and gives CannotWrite.
int CommandLineTool::save(const QString& path, const Configuration& config, bool json) {
    m_out.flush(); // the file may be standard output
    const FileResult r = json ? WriteConfigJsonFile(config, path, ReaderWait::Wait)
                              : WriteConfigFile(config, path, ReaderWait::Wait);
    if (!r.ok())
        return fail(
            CannotWrite,
            QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), r.reason));
    return Success;
}

QList<int> CommandLineTool::attachedUnits(HidAccess& access, DeviceLink& link,
                                          QStringList* serials) {
    QList<int> found;
    for (int unit = 1; unit <= MaxUnits; ++unit) {
        DeviceRecord record;
        if (access.OpenHidDevice(DeviceIdentifier, TransferLength, TransferLength, record, unit) !=
            0)
            continue;
        found << unit;
        if (serials)
            *serials << FormatSerial(link.RequestSerial(record));
        access.CloseHidDevice(record);
    }
    return found;
}

int CommandLineTool::units(const Options& o) {
    auto access = openAccess(o);
    TerminalProgress progress(m_err, false);
    DeviceLink link(*access, progress, progress);
    QStringList serials;
    const QList<int> found = attachedUnits(*access, link, &serials);
    if (found.isEmpty())
        return fail(NoUnit, QStringLiteral("no TARVEN-PAD unit found; plug one in (and see the "
                                           "README on access rights)"));
    for (int i = 0; i < found.size(); ++i)
        m_out << found[i] << ' ' << serials[i] << '\n';
    return Success;
}

int CommandLineTool::show(const Options& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    if (o.json) {
        m_out << EncodeConfigJson(config);
        return Success;
    }
    m_out << QStringLiteral("%1 %2 %3  Shift Control Alt Repeat\n")
                 .arg(QStringLiteral("Slot"), -12)
                 .arg(QStringLiteral("Key"), -16)
                 .arg(QStringLiteral("Code"), 4);
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const KeySlot& s = config.slot(k);
        m_out << QStringLiteral("%1 %2 %3  %4 %5 %6 %7\n")
                     .arg(SlotLabel(k), -12)
                     .arg(PlainKeyText(KeyCodeName(s.keyCode)), -16)
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
    return save(o.files[1], config, toJson);
}

int CommandLineTool::pickUnit(const Options& o, HidAccess& access, DeviceLink& link, int& unit) {
    const QList<int> found = attachedUnits(access, link, nullptr);
    if (found.isEmpty())
        return fail(NoUnit, QStringLiteral("no TARVEN-PAD unit found; plug one in (and see the "
                                           "README on access rights)"));
    if (o.unit) {
        if (!found.contains(o.unit))
            return fail(NoUnit, QStringLiteral("unit %1 is not attached").arg(o.unit));
        unit = o.unit;
        return Success;
    }
    if (found.size() == 1) {
        unit = found[0];
        return Success;
    }
    // Only a refusal needs the serial numbers, to tell the units apart.
    QStringList serials;
    attachedUnits(access, link, &serials);
    QString list;
    for (int i = 0; i < found.size(); ++i)
        list += QStringLiteral("\n  unit %1, serial %2").arg(found[i]).arg(serials[i]);
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
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);

    QList<int> targets;
    if (o.all) {
        targets = attachedUnits(*access, link, nullptr);
        if (targets.isEmpty())
            return fail(NoUnit, QStringLiteral("no TARVEN-PAD unit found"));
    } else {
        int unit = 0;
        if (const int r = pickUnit(o, *access, link, unit))
            return r;
        targets << unit;
    }

    int status = Success;
    for (int unit : targets) {
        const auto report = [&](int code, const QString& message) {
            progress.finish();
            fail(code, QStringLiteral("unit %1: %2").arg(unit).arg(message));
            if (status == Success)
                status = code;
        };
        TransferResult r = link.SendImageToUnit(DeviceIdentifier, unit, image);
        if (r == TransferResult::DeviceNotFound) {
            report(NoUnit, QStringLiteral("Device Not Found"));
            continue;
        }
        if (r == TransferResult::IoError) {
            report(IoError, QStringLiteral("Device I/O Error while writing; the unit is only "
                                           "partly programmed, write it again"));
            continue;
        }
        DeviceImage back;
        r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, back);
        if (r != TransferResult::Success) {
            report(r == TransferResult::DeviceNotFound ? NoUnit : IoError,
                   QStringLiteral("written, but reading it back failed (Device %1)")
                       .arg(r == TransferResult::DeviceNotFound ? "Not Found" : "I/O Error"));
            continue;
        }
        QStringList differences;
        for (int location = 1; location <= DeviceImage::Size; ++location)
            if (back.at(location) != image.at(location))
                differences << locationName(location);
        progress.finish();
        if (!differences.isEmpty()) {
            report(Differs, QStringLiteral("the unit holds something else than was written: %1")
                                .arg(differences.join(QStringLiteral(", "))));
            continue;
        }
        m_out << QStringLiteral("unit %1: programmed and verified\n").arg(unit);
    }
    return status;
}

int CommandLineTool::read(const Options& o) {
    auto access = openAccess(o);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);
    int unit = 0;
    if (const int r = pickUnit(o, *access, link, unit))
        return r;
    DeviceImage image;
    const TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, image);
    progress.finish();
    if (r == TransferResult::DeviceNotFound)
        return fail(NoUnit, QStringLiteral("unit %1: Device Not Found").arg(unit));
    if (r != TransferResult::Success)
        return fail(IoError, QStringLiteral("unit %1: Device I/O Error while reading").arg(unit));
    Configuration config;
    ApplyDeviceImage(config, image);
    if (const int w = save(o.files[0], config, false))
        return w;
    m_out << QStringLiteral("unit %1: read into %2\n")
                 .arg(unit)
                 .arg(QDir::toNativeSeparators(o.files[0]));
    return Success;
}
