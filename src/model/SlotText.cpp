// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SlotText.h"

#include "model/Configuration.h"
#include "model/KeyCodes.h"
#include "model/KeySlot.h"

#include <QStringList>

QString SlotName(int slot) {
    if (Configuration::isInputSlot(slot))
        return QStringLiteral("Input %1").arg(slot + 1);
    const int j = slot - Configuration::InputCount;
    return QStringLiteral("Rotary %1%2").arg(j / 2 + 1).arg(QLatin1Char(j % 2 ? 'B' : 'A'));
}

QString SlotLabel(int slot) {
    if (Configuration::isInputSlot(slot))
        return SlotName(slot);
    const int j = slot - Configuration::InputCount;
    return QStringLiteral("Rotary  %1%2").arg(j / 2 + 1).arg(QLatin1Char(j % 2 ? 'B' : 'A'));
}

QString AssignmentText(const KeySlot& slot) {
    QStringList parts;
    if (slot.control)
        parts << QStringLiteral("Control");
    if (slot.shift)
        parts << QStringLiteral("Shift");
    if (slot.alt)
        parts << QStringLiteral("Alt");
    const QString name = KeyCodeName(slot.keyCode);
    parts << (name.isEmpty() ? QStringLiteral("code %1").arg(slot.keyCode) : PlainKeyText(name));
    return parts.join(QStringLiteral(" + "));
}

QString OptionName(Configuration::Option option) {
    using Option = Configuration::Option;
    switch (option) {
    case Option::ReverseX:
        return QStringLiteral("Reverse X Axis");
    case Option::ReverseY:
        return QStringLiteral("Reverse Y Axis");
    case Option::ActiveHigh:
        return QStringLiteral("Active High");
    case Option::RotaryOnAux:
        return QStringLiteral("Rotary-5 on AUX");
    case Option::RelayOnAux:
        break;
    }
    return QStringLiteral("Relay-8 on AUX");
}
