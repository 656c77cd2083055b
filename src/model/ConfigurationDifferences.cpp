// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ConfigurationDifferences.h"

#include "model/Configuration.h"
#include "model/SlotText.h"

#include <QCoreApplication>

namespace {

QString slotText(const KeySlot& slot) {
    return slot.repeat ? QCoreApplication::translate("ConfigurationDifferences", "%1 (repeat)")
                             .arg(AssignmentText(slot))
                       : AssignmentText(slot);
}

QString onOff(bool on) {
    return on ? QCoreApplication::translate("ConfigurationDifferences", "on")
              : QCoreApplication::translate("ConfigurationDifferences", "off");
}

} // namespace

QStringList ConfigurationDifferences(const Configuration& mine, const Configuration& unit,
                                     int maxLines) {
    QStringList lines;
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const KeySlot& a = mine.slot(k);
        const KeySlot& b = unit.slot(k);
        // The blank key text of a reset slot is not something a unit can hold.
        if (a.keyCode != b.keyCode || a.control != b.control || a.shift != b.shift ||
            a.alt != b.alt || a.repeat != b.repeat)
            lines << QStringLiteral("%1: %2 | %3").arg(SlotName(k), slotText(a), slotText(b));
    }
    for (const Configuration::Option option : Configuration::Options) {
        if (mine.option(option) != unit.option(option))
            lines << QStringLiteral("%1: %2 | %3")
                         .arg(OptionName(option), onOff(mine.option(option)),
                              onOff(unit.option(option)));
    }
    if (lines.size() > maxLines) {
        const qsizetype more = lines.size() - maxLines;
        lines.resize(maxLines);
        lines << QCoreApplication::translate("ConfigurationDifferences", "and %1 more").arg(more);
    }
    return lines;
}
