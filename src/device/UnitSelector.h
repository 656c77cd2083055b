// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// The user's choice among several attached units.
class UnitSelector {
public:
    virtual ~UnitSelector() = default;
    // Shown while the serial numbers are being read.
    virtual void showDetecting() = 0;
    // Offers `count` units (2 to 4) with their button captions; returns the chosen unit
    // number, or 0 when the user closed the choice without picking one.
    virtual int SelectMultiples(int count, const std::array<QString, 4>& captions,
                                const QString& label) = 0;
};
