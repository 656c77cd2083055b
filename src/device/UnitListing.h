// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class DeviceLink;
class HidAccess;

// An attached unit as a command lists it.
struct ListedUnit {
    int unit = 0;
    QString serial; // empty unless asked for, or when the unit may not be opened
    QString denied; // the path and the system's reason when this user may not open it
};

// Every unit that is attached, in unit order. A unit this user may not open is listed too, so
// that it is never mistaken for an absent one. With `serials`, each open unit is asked for its
// serial number.
QList<ListedUnit> ListUnits(HidAccess& access, DeviceLink& link, bool serials);
