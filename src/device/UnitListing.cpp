// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/UnitListing.h"

#include "device/DeviceLink.h"
#include "device/DeviceRecord.h"
#include "device/FormatSerial.h"
#include "device/HidAccess.h"

QString ListedUnit::serialKey() const {
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(serialBytes.data()), int(serialBytes.size()))
            .toHex());
}

std::optional<ListedUnit> ListUnit(HidAccess& access, DeviceLink& link, int unit, Serials serials) {
    DeviceRecord record;
    if (access.OpenHidDevice(DeviceIdentifier, TransferLength, TransferLength, record, unit) != 0) {
        const OpenFailure why = access.lastOpenFailure();
        if (why.kind == OpenFailure::Kind::AccessDenied)
            return ListedUnit{unit, {}, why};
        return std::nullopt;
    }
    ListedUnit listed{unit, {}, {}};
    if (serials == Serials::Ask) {
        listed.serialBytes = link.RequestSerial(record);
        listed.serial = FormatSerial(listed.serialBytes);
    }
    access.CloseHidDevice(record);
    return listed;
}

QList<ListedUnit> ListUnits(HidAccess& access, DeviceLink& link, Serials serials) {
    QList<ListedUnit> found;
    for (int unit = 1; unit <= MaxUnits; ++unit)
        if (const auto listed = ListUnit(access, link, unit, serials))
            found.append(*listed);
    return found;
}
