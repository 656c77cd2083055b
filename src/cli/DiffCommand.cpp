// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DiffCommand.h"

#include "cli/ReadCommand.h"

#include "device/DeviceImage.h"
#include "files/ConfigJson.h"
#include "model/Configuration.h"
#include "model/ConfigurationDifferences.h"
#include "model/KeyCodes.h"
#include "model/PanelRole.h"
#include "model/SlotRole.h"
#include "model/SlotText.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

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

// A slot's role and label in one phrase: "Player 1 Button 1 · Jump", or "no role".
QString roleText(const SlotRole& r) {
    return r.isEmpty() ? QCoreApplication::translate("CommandLineTool", "no role") : RoleText(r);
}

// As the JSON document carries them, null for none.
QJsonObject roleJson(const SlotRole& r) {
    return QJsonObject{
        {"role", r.role != PanelRole::None ? QJsonValue(PanelRole::key(r.role)) : QJsonValue()},
        {"userLabel", r.label.isEmpty() ? QJsonValue() : QJsonValue(r.label)}};
}

QString inputName(const QString& path) {
    return path == QLatin1String("-")
               ? QCoreApplication::translate("CommandLineTool", "standard input")
               : QDir::toNativeSeparators(path);
}

// The two sides of a comparison, as the text names them and as the JSON's keys.
struct Sides {
    QString mine, other;
    QString mineKey, otherKey;
};

// What differs, as the text's lines and the JSON's arrays.
struct Report {
    QStringList slotLines, roleLines, optionLines;
    QJsonArray slotChanges, roleChanges, optionChanges;

    QStringList lines() const { return slotLines + roleLines + optionLines; }
};

Report describe(const ConfigurationDifferences& differences, const Sides& s) {
    Report r;
    for (const auto& d : differences.keySlots) {
        r.slotLines << QCoreApplication::translate("CommandLineTool", "%1: %2 %3; %4 %5")
                           .arg(SlotLabel(d.slot), s.mine, slotText(d.mine), s.other,
                                slotText(d.other));
        r.slotChanges.append(QJsonObject{{"slot", d.slot},
                                         {"label", SlotFileLabel(d.slot)},
                                         {s.mineKey, SlotSettingsJson(d.mine)},
                                         {s.otherKey, SlotSettingsJson(d.other)}});
    }
    for (const auto& d : differences.options) {
        r.optionLines << QCoreApplication::translate("CommandLineTool", "%1: %2 %3; %4 %5")
                             .arg(OptionName(d.option), s.mine, OnOffText(d.mine), s.other,
                                  OnOffText(d.other));
        r.optionChanges.append(QJsonObject{{"option", OptionJsonKey(d.option)},
                                           {"label", OptionFileName(d.option)},
                                           {s.mineKey, d.mine},
                                           {s.otherKey, d.other}});
    }
    return r;
}

// Only files hold roles: a unit's comparison says nothing of them.
void describeRoles(Report& r, const Configuration& mine, const Configuration& other,
                   const Sides& s) {
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const SlotRole &a = mine.slotRole(k), &b = other.slotRole(k);
        if (a == b)
            continue;
        r.roleLines << QCoreApplication::translate("CommandLineTool", "%1 (role): %2 %3; %4 %5")
                           .arg(SlotLabel(k), s.mine, roleText(a), s.other, roleText(b));
        r.roleChanges.append(QJsonObject{{"slot", k},
                                         {"label", SlotFileLabel(k)},
                                         {s.mineKey, roleJson(a)},
                                         {s.otherKey, roleJson(b)}});
    }
}

} // namespace

int DiffCommand::run(const ToolOptions& o) {
    Configuration wanted;
    if (const int r = load(o.files[0], wanted))
        return r;
    int unit = 0;
    DeviceImage image;
    if (const int r = ReadCommand(*this).readUnit(o, unit, image))
        return r;

    // The file as the unit would hold it after a write against what the unit holds, as the
    // window's Compare sees them: only what a Read would show counts as a difference.
    const Report report =
        describe(ConfigurationDifferences::of(BuildDeviceImage(wanted).bytes, image.bytes),
                 {tr("file"), tr("unit"), QStringLiteral("file"), QStringLiteral("unit")});
    const QStringList lines = report.lines();
    const QString path = inputName(o.files[0]);
    return answer(o, lines,
                  {{"unit", unit},
                   {"file", path},
                   {"same", lines.isEmpty()},
                   {"slots", report.slotChanges},
                   {"options", report.optionChanges}},
                  lines.isEmpty()
                      ? tr("unit %1: the same as %2\n").arg(unit).arg(path)
                      : tr("unit %1: %n difference(s) from %2\n", nullptr, int(lines.size()))
                            .arg(unit)
                            .arg(path));
}

int DiffCommand::compareFiles(const ToolOptions& o) {
    if (o.unit || !o.serial.isEmpty() || o.emulate >= 0 || o.trace || !o.fault.isEmpty())
        return fail(Usage, tr("diff: two files are compared without a unit: --unit, --serial, "
                              "--emulate, --demo and --trace do not apply (see tarvenpad help "
                              "diff)"));
    Configuration mine, other;
    if (const int r = load(o.files[0], mine))
        return r;
    if (const int r = load(o.files[1], other))
        return r;
    const QString path = inputName(o.files[0]), otherPath = inputName(o.files[1]);
    const Sides sides{path, otherPath, QStringLiteral("file"), QStringLiteral("other")};
    Report report = describe(ConfigurationDifferences::of(mine, other), sides);
    describeRoles(report, mine, other, sides);
    const QStringList lines = report.lines();
    return answer(o, lines,
                  {{"file", path},
                   {"other", otherPath},
                   {"same", lines.isEmpty()},
                   {"slots", report.slotChanges},
                   {"roles", report.roleChanges},
                   {"options", report.optionChanges}},
                  lines.isEmpty() ? tr("%1: the same as %2\n").arg(otherPath, path)
                                  : tr("%1: not the same as %2 (%3 in all)\n")
                                        .arg(otherPath, path, QString::number(lines.size())));
}

int DiffCommand::answer(const ToolOptions& o, const QStringList& lines, const QJsonObject& json,
                        const QString& summary) {
    if (o.json) {
        m_out << QJsonDocument(json).toJson();
    } else {
        for (const QString& line : lines)
            m_out << line << '\n';
        m_out << summary;
    }
    return lines.isEmpty() ? Success : Differs;
}
