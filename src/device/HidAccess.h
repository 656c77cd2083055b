// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/DeviceRecord.h"

#include <QString>
#include <QtGlobal>

// The encoders answer to this product identifier; every open passes it.
inline constexpr int DeviceIdentifier = 13904; // 0x3650
inline constexpr int MaxUnits = 4;
inline constexpr int TransferLength = 6; // requests and replies of the data transfers

// Why the last open failed, beside the contract's plain non-zero status.
// Facts only: the window and the tool put them into words of their own.
struct OpenFailure {
    enum class Kind {
        None,
        NoSuchUnit,
        UnitsChanged, // the unit's number now belongs to another device, or to none
        AccessDenied,
        OpenFailed
    };
    Kind kind = Kind::None;
    int unit = 0;
    QString path;        // the device node, where the layer has one
    int systemError = 0; // the errno of the failed open; 0 when the system gave none
};

// Access to the attached encoders. Units are numbered from 1; a status of 0 is success.
// Each caller opens one unit, exchanges requests, then closes it again.
class HidAccess {
public:
    virtual ~HidAccess() = default;

    // Non-zero when there is no such unit (or it cannot be opened).
    virtual int OpenHidDevice(int identifier, int requestLength, int replyLength,
                              DeviceRecord& record, int unit) = 0;
    // Sends the request and waits for the unit's answer. Never writes more than the reply
    // length given at open into `reply`. Non-zero on any I/O failure.
    virtual int WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) = 0;
    virtual int CloseHidDevice(DeviceRecord& record) = 0;

    // Why the calling thread's last open failed.
    virtual OpenFailure lastOpenFailure() const = 0;

    // A command (a write, a read, the start-up check, one command of the tool) numbers the
    // units once, when it begins; every open until it ends uses that numbering, so a unit
    // plugged in meanwhile cannot shift the numbers under the user's choice.
    virtual void beginCommand() {}
    virtual void endCommand() {}
    // Whether `unit` is still the device it was when the command began. Asked before a
    // transfer; it exchanges nothing with the unit.
    virtual bool unitUnchanged(int unit) {
        Q_UNUSED(unit);
        return true;
    }
    // Whether an exchange can take long enough (up to the reply time-out) that the caller
    // should keep its window alive meanwhile.
    virtual bool exchangesMayBlock() const { return false; }
    // Where a unit is found, for people and scripts; empty when the layer cannot tell.
    virtual QString unitPath(int /*unit*/) const { return {}; }
    // The device that a node belongs to now, different each time a device is plugged in, so
    // that news of a plug-in already seen is told from a new one; empty when the layer cannot
    // tell.
    virtual QString nodeDevice(const QString& /*node*/) const { return {}; }
};
