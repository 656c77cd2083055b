// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ConfigImage.h"
#include "model/Configuration.h"
#include "model/KeySlot.h"

#include <QList>
#include <QStringList>

// What differs between two configurations, as data: the one comparison behind the window's
// Compare and Verify, the tool's diff and the check after the tool's write, each of which
// only puts it into its own words. "Mine" is this configuration, the file or what was
// written; "other" is the unit or what was read back.
class ConfigurationDifferences {
public:
    struct Slot {
        int slot;
        KeySlot mine;
        KeySlot other;
    };
    struct Option {
        Configuration::Option option;
        bool mine;
        bool other;
    };
    // A location whose bytes differ although what they mean does not: a modifier byte the
    // input-slot rule reads alike, an options byte's unused bits, the spare location.
    struct Bytes {
        int location;
        quint8 mine;
        quint8 other;
    };

    // What the two mean: slots and options.
    static ConfigurationDifferences of(const Configuration& mine, const Configuration& other);
    // Two images, each taken as a load applies it, so that what they mean differs only where
    // a Read would show it; every other differing byte is listed as Bytes.
    static ConfigurationDifferences of(const ConfigImage::Bytes& mine,
                                       const ConfigImage::Bytes& other);

    // Nothing a Read would show differs.
    bool sameMeaning() const { return keySlots.isEmpty() && options.isEmpty(); }
    // Not a byte differs.
    bool sameBytes() const { return sameMeaning() && bytes.isEmpty(); }
    // Every location whose bytes differ, in order.
    QList<int> locations() const;

    // One line per slot, option and, `withBytes`, location, "Input 7: Shift + A | Esc" (mine
    // first), in that order. Past `maxLines` the rest is summed up as "and N more". Empty
    // when there is nothing to say.
    QStringList lines(int maxLines = 12, bool withBytes = false) const;

    QList<Slot> keySlots;
    QList<Option> options;
    QList<Bytes> bytes;

private:
    // The locations of the slots' and options' bytes that differ with what they mean.
    QList<int> meantLocations() const;
};
