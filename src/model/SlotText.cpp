// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SlotText.h"

#include "model/Configuration.h"
#include "model/KeyCodes.h"
#include "model/KeySlot.h"

#include <QCoreApplication>
#include <QStringList>

QString SlotName(int slot) {
    if (Configuration::isInputSlot(slot))
        return QCoreApplication::translate("SlotText", "Input %1").arg(slot + 1);
    const int j = slot - Configuration::InputCount;
    return QCoreApplication::translate("SlotText", "Rotary %1%2")
        .arg(j / 2 + 1)
        .arg(QLatin1Char(j % 2 ? 'B' : 'A'));
}

QString SlotLabel(int slot) {
    if (Configuration::isInputSlot(slot))
        return SlotName(slot);
    const int j = slot - Configuration::InputCount;
    return QCoreApplication::translate("SlotText", "Rotary  %1%2")
        .arg(j / 2 + 1)
        .arg(QLatin1Char(j % 2 ? 'B' : 'A'));
}

QString SlotFileLabel(int slot) {
    if (Configuration::isInputSlot(slot))
        return QStringLiteral("Input %1").arg(slot + 1);
    const int j = slot - Configuration::InputCount;
    return QStringLiteral("Rotary  %1%2").arg(j / 2 + 1).arg(QLatin1Char(j % 2 ? 'B' : 'A'));
}

QString AssignmentText(const KeySlot& slot) {
    QStringList parts;
    if (slot.control)
        parts << QCoreApplication::translate("SlotText", "Control");
    if (slot.shift)
        parts << QCoreApplication::translate("SlotText", "Shift");
    if (slot.alt)
        parts << QCoreApplication::translate("SlotText", "Alt");
    const QString name = KeyCodeName(slot.keyCode);
    parts << (name.isEmpty() ? QCoreApplication::translate("SlotText", "code %1").arg(slot.keyCode)
                             : PlainKeyText(name));
    return parts.join(QStringLiteral(" + "));
}

QString OptionName(Configuration::Option option) {
    using Option = Configuration::Option;
    switch (option) {
    case Option::ReverseX:
        return QCoreApplication::translate("SlotText", "Reverse X Axis");
    case Option::ReverseY:
        return QCoreApplication::translate("SlotText", "Reverse Y Axis");
    case Option::ActiveHigh:
        return QCoreApplication::translate("SlotText", "Active High");
    case Option::RotaryOnAux:
        return QCoreApplication::translate("SlotText", "Rotary-5 on AUX");
    case Option::RelayOnAux:
        break;
    }
    return QCoreApplication::translate("SlotText", "Relay-8 on AUX");
}
