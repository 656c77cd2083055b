// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ConfigurationDifferences.h"

#include "model/Modifiers.h"
#include "model/SlotText.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

QString slotText(const KeySlot& slot) {
    return slot.repeat ? QCoreApplication::translate("ConfigurationDifferences", "%1 (repeat)")
                             .arg(SettingText(slot))
                       : SettingText(slot);
}

} // namespace

ConfigurationDifferences ConfigurationDifferences::of(const Configuration& mine,
                                                      const Configuration& other) {
    ConfigurationDifferences d;
    for (int k = 0; k < Configuration::SlotCount; ++k)
        if (!mine.slot(k).sameAssignment(other.slot(k)))
            d.keySlots.append({k, mine.slot(k), other.slot(k)});
    for (const Configuration::Option option : Configuration::Options)
        if (mine.option(option) != other.option(option))
            d.options.append({option, mine.option(option), other.option(option)});
    return d;
}

ConfigurationDifferences ConfigurationDifferences::of(const ConfigImage::Bytes& mine,
                                                      const ConfigImage::Bytes& other) {
    Configuration a, b;
    ConfigImage::apply(a, mine);
    ConfigImage::apply(b, other);
    ConfigurationDifferences d = of(a, b);
    // Any differing byte the slots and options do not account for means nothing a Read
    // would show.
    const QList<int> meant = d.meantLocations();
    for (int location = 1; location <= ConfigImage::Size; ++location) {
        const quint8 x = mine[size_t(location - 1)], y = other[size_t(location - 1)];
        if (x != y && !meant.contains(location))
            d.bytes.append({location, x, y});
    }
    return d;
}

QList<int> ConfigurationDifferences::meantLocations() const {
    QList<int> out;
    for (const Slot& s : keySlots) {
        if (s.mine.keyCode != s.other.keyCode)
            out << ConfigImage::keyLocation(s.slot);
        if (EncodeModifiers(s.mine) != EncodeModifiers(s.other))
            out << ConfigImage::modifierLocation(s.slot);
    }
    if (!options.isEmpty())
        out << ConfigImage::OptionsLocation;
    return out;
}

QList<int> ConfigurationDifferences::locations() const {
    QList<int> out = meantLocations();
    for (const Bytes& b : bytes)
        out << b.location;
    std::sort(out.begin(), out.end());
    return out;
}

QStringList ConfigurationDifferences::lines(int maxLines, bool withBytes) const {
    QStringList lines;
    for (const Slot& s : keySlots)
        lines << QStringLiteral("%1: %2 | %3")
                     .arg(SlotName(s.slot), slotText(s.mine), slotText(s.other));
    for (const Option& o : options)
        lines << QStringLiteral("%1: %2 | %3")
                     .arg(OptionName(o.option), OnOffText(o.mine), OnOffText(o.other));
    if (withBytes)
        for (const Bytes& b : bytes)
            lines << QCoreApplication::translate("ConfigurationDifferences", "Location %1: %2 | %3")
                         .arg(b.location)
                         .arg(b.mine)
                         .arg(b.other);
    if (lines.size() > maxLines) {
        const qsizetype more = lines.size() - maxLines;
        lines.resize(maxLines);
        lines << QCoreApplication::translate("ConfigurationDifferences", "and %n more", nullptr,
                                             int(more));
    }
    return lines;
}
