// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/DeviceImage.h"
#include "device/FormatSerial.h"
#include "device/ProgressSink.h"
#include "device/TransferResult.h"

#include <QString>

class HidAccess;
class ProgressSink;
class UnitSelector;
struct DeviceRecord;

// Moves a whole configuration image to or from one unit, one location per exchange, after
// letting the user choose the unit. Every unit it opens is closed before it returns.
class DeviceLink {
public:
    DeviceLink(HidAccess& access, ProgressSink& progress, UnitSelector& selector);

    // The unit to use: 1 when unit 2 does not answer, otherwise the user's choice among the
    // units found; 0 when the user closed the choice.
    int ChooseUnit(int identifier);
    // The four serial characters of an open unit; zeros when the exchange fails.
    SerialBytes RequestSerial(DeviceRecord& record);

    TransferResult SendImage(int identifier, const DeviceImage& image);
    TransferResult ReceiveImage(int identifier, DeviceImage& image);
    // The same with a unit already chosen, for callers that know which unit they want.
    TransferResult SendImageToUnit(int identifier, int unit, const DeviceImage& image);
    TransferResult ReceiveImageFromUnit(int identifier, int unit, DeviceImage& image);

private:
    QString readSerialText(DeviceRecord& record);
    int exchange(DeviceRecord& record, const quint8* request, quint8* reply);
    // Opens the unit, moves the image one location per exchange (and closes a write), then
    // closes the unit: the image is read from when writing and filled when reading.
    TransferResult transfer(int identifier, int unit, TransferDirection direction,
                            DeviceImage& image);

    HidAccess& m_access;
    ProgressSink& m_progress;
    UnitSelector& m_selector;
};
