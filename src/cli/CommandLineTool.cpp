#include "CommandLineTool.h"

#include "CommandLineOptions.h"
#include "ConfigFile.h"
#include "ConfigJson.h"
#include "Configuration.h"
#include "DeviceImage.h"
#include "DeviceLink.h"
#include "DeviceRecord.h"
#include "EmulatedAccess.h"
#include "FormatSerial.h"
#include "KeyCodes.h"
#include "StandardStreams.h"
#include "TerminalProgress.h"
#include "TracingAccess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

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

// The five AUX options as `show` and `diff` name them, and as the JSON document does.
struct OptionRow {
    const char* key;
    const char* label;
    bool AuxOptions::*member;
};
const OptionRow OptionRows[] = {{"reverseX", "Reverse X Axis", &AuxOptions::reverseX},
                                {"reverseY", "Reverse Y Axis", &AuxOptions::reverseY},
                                {"activeHigh", "Active High", &AuxOptions::activeHigh},
                                {"rotaryOnAux", "Rotary-5 on AUX", &AuxOptions::rotaryOnAux},
                                {"relayOnAux", "Relay-8 on AUX", &AuxOptions::relayOnAux}};

// A slot in one phrase: "Esc (41) Control Repeat".
QString slotText(const KeySlot& s) {
    const QString name = PlainKeyText(KeyCodeName(s.keyCode));
    QString text = name.isEmpty() ? QStringLiteral("key %1").arg(s.keyCode)
                                  : QStringLiteral("%1 (%2)").arg(name).arg(s.keyCode);
    const std::pair<const char*, bool> flags[] = {
        {"Shift", s.shift}, {"Control", s.control}, {"Alt", s.alt}, {"Repeat", s.repeat}};
    for (const auto& [flag, on] : flags)
        if (on)
            text += QLatin1Char(' ') + QLatin1String(flag);
    return text;
}

bool sameSlot(const KeySlot& a, const KeySlot& b) {
    return a.keyCode == b.keyCode && a.shift == b.shift && a.control == b.control &&
           a.alt == b.alt && a.repeat == b.repeat;
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
            return fail(Usage, QStringLiteral("unknown command '%1' (see tarvenpad --help)")
                                   .arg(o.files.join(QLatin1Char(' '))));
        m_out << (text.isEmpty() || topic == QLatin1String("help") ? helpText() : text);
        return Success;
    }
    if (!o.backup.isEmpty())
        return fail(Usage, QStringLiteral("--backup is not available in this version"));

    const auto expect = [&](int files) { return o.files.size() == files; };
    if (o.all && o.unit)
        return fail(Usage, QStringLiteral("--unit and --all exclude each other"));
    if (o.command == QLatin1String("units") && expect(0))
        return o.json ? unitsJson(o) : units(o);
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

int CommandLineTool::load(const QString& path, Configuration& config) {
    if (path == QLatin1String("-"))
        return loadInput(config);
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

int CommandLineTool::loadInput(Configuration& config) {
    QByteArray bytes;
    if (const QString error = StandardStreams::readInput(bytes); !error.isEmpty())
        return fail(BadInput, error);
    const QString name = QStringLiteral("standard input");
    const FileResult r = bytes.trimmed().startsWith('{') ? ConfigFromJson(config, bytes)
                                                         : DecodeConfigFile(config, bytes, name);
    if (r.ok())
        return Success;
    if (bytes.trimmed().startsWith('{'))
        return fail(BadInput, QStringLiteral("%1: %2").arg(name, r.message));
    if (r.status == FileResult::Status::Rejected)
        return fail(BadInput, name + QStringLiteral(": not a configuration file (unknown header)"));
    return fail(BadInput, r.message); // the file layer's texts name the input already
}

int CommandLineTool::save(const QString& path, const QByteArray& bytes) {
    if (path == QLatin1String("-")) {
        const QString error = StandardStreams::writeOutput(m_out, bytes);
        return error.isEmpty() ? Success : fail(CannotWrite, error);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(CannotWrite, QStringLiteral("cannot write %1: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString()));
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
        m_out << QJsonDocument(ConfigToJson(config)).toJson(QJsonDocument::Indented);
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
    m_out << '\n';
    for (const OptionRow& row : OptionRows)
        m_out << QStringLiteral("%1 %2\n")
                     .arg(QString::fromLatin1(row.label), -16)
                     .arg(config.aux().*row.member ? "on" : "off");
    return Success;
}

int CommandLineTool::convert(const Options& o, bool toJson) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    return save(o.files[1],
                toJson ? QJsonDocument(ConfigToJson(config)).toJson() : EncodeConfigFile(config));
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
        list += QStringLiteral("%1unit %2, serial %3")
                    .arg(list.isEmpty() ? "" : "; ")
                    .arg(found[i])
                    .arg(serials[i]);
    return fail(Usage, QStringLiteral("%1 units are attached; choose one with --unit N%2: %3")
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
    QByteArray bytes = EncodeConfigFile(config);
    if (const int w = save(o.files[0], bytes))
        return w;
    if (o.files[0] == QLatin1String("-"))
        return Success;
    m_out << QStringLiteral("unit %1: read into %2\n")
                 .arg(unit)
                 .arg(QDir::toNativeSeparators(o.files[0]));
    return Success;
}

int CommandLineTool::unitsJson(const Options& o) {
    auto access = openAccess(o);
    TerminalProgress progress(m_err, false);
    DeviceLink link(*access, progress, progress);
    QJsonArray list;
    for (int unit = 1; unit <= MaxUnits; ++unit) {
        DeviceRecord record;
        const bool opened = access->OpenHidDevice(DeviceIdentifier, TransferLength, TransferLength,
                                                  record, unit) == 0;
        // A unit this user may not open is still there; a script must not take it for absent.
        if (!opened && access->lastOpenFailure().kind != OpenFailure::Kind::AccessDenied)
            continue;
        QJsonObject entry{{"unit", unit},
                          {"serial", QJsonValue::Null},
                          {"path", access->unitPath(unit)},
                          {"access", opened ? "ok" : "denied"}};
        if (opened) {
            entry[QStringLiteral("serial")] = FormatSerial(link.RequestSerial(record));
            access->CloseHidDevice(record);
        }
        list.append(entry);
    }
    m_out << QJsonDocument(list).toJson();
    if (list.isEmpty())
        return fail(NoUnit, QStringLiteral("no TARVEN-PAD unit found; plug one in (and see the "
                                           "README on access rights)"));
    return Success;
}

int CommandLineTool::diff(const Options& o) {
    Configuration wanted;
    if (const int r = load(o.files[0], wanted))
        return r;
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

    // The file as the unit would hold it after a write, so that only what a write would change
    // counts as a difference.
    Configuration file, held;
    ApplyDeviceImage(file, BuildDeviceImage(wanted));
    ApplyDeviceImage(held, image);
    const QJsonArray fileSlots = ConfigToJson(file).value(QStringLiteral("slots")).toArray();
    const QJsonArray unitSlots = ConfigToJson(held).value(QStringLiteral("slots")).toArray();
    const auto settings = [](QJsonObject slot) {
        slot.remove(QStringLiteral("slot"));
        slot.remove(QStringLiteral("label"));
        return slot;
    };

    QStringList lines;
    QJsonArray slotChanges, optionChanges;
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        if (sameSlot(file.slot(k), held.slot(k)))
            continue;
        lines << QStringLiteral("%1: file %2; unit %3")
                     .arg(SlotLabel(k), slotText(file.slot(k)), slotText(held.slot(k)));
        slotChanges.append(QJsonObject{{"slot", k},
                                       {"label", SlotLabel(k)},
                                       {"file", settings(fileSlots[k].toObject())},
                                       {"unit", settings(unitSlots[k].toObject())}});
    }
    for (const OptionRow& row : OptionRows) {
        const bool a = file.aux().*row.member, b = held.aux().*row.member;
        if (a == b)
            continue;
        lines << QStringLiteral("%1: file %2; unit %3")
                     .arg(QLatin1String(row.label), a ? "on" : "off", b ? "on" : "off");
        optionChanges.append(
            QJsonObject{{"option", row.key}, {"label", row.label}, {"file", a}, {"unit", b}});
    }

    const QString path = o.files[0] == QLatin1String("-") ? QStringLiteral("standard input")
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
        m_out << (lines.isEmpty() ? QStringLiteral("unit %1: the same as %2\n").arg(unit).arg(path)
                                  : QStringLiteral("unit %1: %2 difference%3 from %4\n")
                                        .arg(unit)
                                        .arg(lines.size())
                                        .arg(lines.size() > 1 ? "s" : "")
                                        .arg(path));
    }
    return lines.isEmpty() ? Success : Differs;
}
