// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/FormatSerial.h"
#include "device/HidAccess.h"

#include <QList>
#include <QString>
#include <optional>

class DeviceLink;

// An attached unit as a command lists it.
struct ListedUnit {
    int unit = 0;
    QString serial;            // empty unless asked for, or when the unit may not be opened
    OpenFailure refused;       // why this user may not open it; Kind::None when the unit opened
    SerialBytes serialBytes{}; // as the unit sent them: two serials may format alike

    bool accessible() const { return refused.kind == OpenFailure::Kind::None; }
    // A failed serial request leaves the reply zero: no serial starts with a zero byte.
    bool serialReadable() const { return serialBytes[0] != 0; }
    // Tells every two serial numbers apart, which their formatted text does not.
    QString serialKey() const;
};

// Whether a listing asks each unit it can open for its serial number, which costs an exchange.
enum class Serials { Skip, Ask };

// Every unit that is attached, in unit order. A unit this user may not open is listed too, so
// that it is never mistaken for an absent one.
QList<ListedUnit> ListUnits(HidAccess& access, DeviceLink& link, Serials serials);
// One unit as ListUnits lists it; std::nullopt when it is not attached. Talks to that unit
// alone, so other units can be in the middle of a transfer meanwhile.
std::optional<ListedUnit> ListUnit(HidAccess& access, DeviceLink& link, int unit, Serials serials);
