// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// The serial numbers of units 1 to 4 as read during detection; empty where a unit did not
// open.
using UnitSerials = std::array<QString, 4>;

// The user's choice among several attached units.
class UnitSelector {
public:
    virtual ~UnitSelector() = default;
    // Shown while the serial numbers are being read.
    virtual void showDetecting() = 0;
    // Offers units 1 to `count` (2 to 4) by their serial numbers; returns the chosen unit
    // number, or 0 when the user closed the choice without picking one.
    virtual int SelectMultiples(int count, const UnitSerials& serials) = 0;
};
