// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DiffCommand.h"

#include "cli/ReadCommand.h"

#include "device/DeviceImage.h"
#include "files/ConfigJson.h"
#include "model/Configuration.h"
#include "model/ConfigurationDifferences.h"
#include "model/KeyCodes.h"
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
