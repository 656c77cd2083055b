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

} // namespace

QStringList ConfigurationDifferences(const Configuration& mine, const Configuration& unit,
                                     int maxLines) {
    QStringList lines;
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const KeySlot& a = mine.slot(k);
        const KeySlot& b = unit.slot(k);
        if (!a.sameAssignment(b))
            lines << QStringLiteral("%1: %2 | %3").arg(SlotName(k), slotText(a), slotText(b));
    }
    for (const Configuration::Option option : Configuration::Options) {
        if (mine.option(option) != unit.option(option))
            lines << QStringLiteral("%1: %2 | %3")
                         .arg(OptionName(option), OnOffText(mine.option(option)),
                              OnOffText(unit.option(option)));
    }
    if (lines.size() > maxLines) {
        const qsizetype more = lines.size() - maxLines;
        lines.resize(maxLines);
        lines << QCoreApplication::translate("ConfigurationDifferences", "and %1 more").arg(more);
    }
    return lines;
}
