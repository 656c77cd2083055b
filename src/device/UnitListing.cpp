// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/UnitListing.h"

#include "device/DeviceLink.h"
#include "device/DeviceRecord.h"
#include "device/FormatSerial.h"
#include "device/HidAccess.h"

QList<ListedUnit> ListUnits(HidAccess& access, DeviceLink& link, bool serials) {
    QList<ListedUnit> found;
    for (int unit = 1; unit <= MaxUnits; ++unit) {
        DeviceRecord record;
        if (access.OpenHidDevice(DeviceIdentifier, TransferLength, TransferLength, record, unit) !=
            0) {
            const OpenFailure why = access.lastOpenFailure();
            if (why.kind == OpenFailure::Kind::AccessDenied)
                found.append({unit, {}, why});
            continue;
        }
        found.append({unit, serials ? FormatSerial(link.RequestSerial(record)) : QString(), {}});
        access.CloseHidDevice(record);
    }
    return found;
}
