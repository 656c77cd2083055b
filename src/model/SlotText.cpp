// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SlotText.h"

#include "model/Configuration.h"
#include "model/KeyCodes.h"
#include "model/KeySlot.h"
#include "model/SlotRole.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// The words of the labels, marked for translation and kept in English for the files.
const char* const InputWords = QT_TRANSLATE_NOOP("SlotText", "Input %1");
const char* const RotaryNameWords = QT_TRANSLATE_NOOP("SlotText", "Rotary %1%2");
const char* const RotaryLabelWords = QT_TRANSLATE_NOOP("SlotText", "Rotary  %1%2");

QString words(const char* text, bool translated) {
    return translated ? QCoreApplication::translate("SlotText", text) : QString::fromLatin1(text);
}

QString slotText(int slot, const char* rotaryWords, bool translated) {
    if (Configuration::isInputSlot(slot))
        return words(InputWords, translated).arg(slot + 1);
    const int j = slot - Configuration::InputCount;
    return words(rotaryWords, translated).arg(j / 2 + 1).arg(QLatin1Char(j % 2 ? 'B' : 'A'));
}

const char* optionWords(Configuration::Option option) {
    using Option = Configuration::Option;
    switch (option) {
    case Option::ReverseX:
        return QT_TRANSLATE_NOOP("SlotText", "Reverse X Axis");
    case Option::ReverseY:
        return QT_TRANSLATE_NOOP("SlotText", "Reverse Y Axis");
    case Option::ActiveHigh:
        return QT_TRANSLATE_NOOP("SlotText", "Active High");
    case Option::RotaryOnAux:
        return QT_TRANSLATE_NOOP("SlotText", "Rotary-5 on AUX");
    case Option::RelayOnAux:
        break;
    }
    return QT_TRANSLATE_NOOP("SlotText", "Relay-8 on AUX");
}

} // namespace

QString SlotName(int slot) {
    return slotText(slot, RotaryNameWords, true);
}

QString SlotLabel(int slot) {
    return slotText(slot, RotaryLabelWords, true);
}

QString SlotFileLabel(int slot) {
    return slotText(slot, RotaryLabelWords, false);
}

QString FlagName(Configuration::Flag flag) {
    using Flag = Configuration::Flag;
    switch (flag) {
    case Flag::Control:
        return QCoreApplication::translate("SlotText", "Control");
    case Flag::Shift:
        return QCoreApplication::translate("SlotText", "Shift");
    case Flag::Alt:
        return QCoreApplication::translate("SlotText", "Alt");
    case Flag::Repeat:
        break;
    }
    return QCoreApplication::translate("SlotText", "Repeat");
}

QString OnOffText(bool on) {
    return on ? QCoreApplication::translate("SlotText", "on")
              : QCoreApplication::translate("SlotText", "off");
}

QString AssignmentText(const KeySlot& slot) {
    // No key, nothing sent: the modifiers ticked beside it send nothing either.
    if (slot.keyCode == 0)
        return KeyCodeName(0);
    return SettingText(slot);
}

QString SettingText(const KeySlot& slot) {
    QStringList parts;
    if (slot.control)
        parts << FlagName(Configuration::Flag::Control);
    if (slot.shift)
        parts << FlagName(Configuration::Flag::Shift);
    if (slot.alt)
        parts << FlagName(Configuration::Flag::Alt);
    const QString name = KeyCodeName(slot.keyCode);
    parts << (name.isEmpty() ? QCoreApplication::translate("SlotText", "code %1").arg(slot.keyCode)
                             : PlainKeyText(name));
    return parts.join(QStringLiteral(" + "));
}

QString OptionName(Configuration::Option option) {
    return words(optionWords(option), true);
}

QString OptionFileName(Configuration::Option option) {
    return words(optionWords(option), false);
}

QString RoleText(const SlotRole& role) {
    QStringList parts;
    if (role.role != PanelRole::None)
        parts << PanelRole::name(role.role);
    if (!role.label.isEmpty())
        parts << role.label;
    return parts.join(QStringLiteral(" \u00b7 "));
}

QString SlotNameWithRole(const Configuration& config, int slot) {
    const SlotRole& r = config.slotRole(slot);
    const QString what = r.role != PanelRole::None ? PanelRole::name(r.role) : r.label;
    return what.isEmpty() ? SlotName(slot) : SlotName(slot) + QStringLiteral(" \u00b7 ") + what;
}
