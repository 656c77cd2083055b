// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceLink.h"

#include "device/HidAccess.h"
#include "device/ProgressSink.h"
#include "device/Protocol.h"
#include "device/UnitSelector.h"

#include <array>
#include <chrono>
#include <future>

using namespace Protocol;

DeviceLink::DeviceLink(HidAccess& access, ProgressSink& progress, UnitSelector& selector)
    : m_access(access), m_progress(progress), m_selector(selector) {}

// One request and its answer. Where the access layer may wait for a unit that does not
// answer, the exchange runs beside the caller, which keeps processing events meanwhile.
int DeviceLink::exchange(DeviceRecord& record, const quint8* request, quint8* reply) {
    if (!m_access.exchangesMayBlock())
        return m_access.WriteHidDevice(record, request, reply);
    auto result = std::async(std::launch::async,
                             [&] { return m_access.WriteHidDevice(record, request, reply); });
    constexpr auto EventInterval = std::chrono::milliseconds(20);
    while (result.wait_for(EventInterval) != std::future_status::ready)
        m_progress.processEvents();
    return result.get();
}

SerialBytes DeviceLink::RequestSerial(DeviceRecord& record) {
    std::array<quint8, SerialBufferLength> request{};
    std::array<quint8, SerialBufferLength> reply{};
    request[0] = ReportId;
    request[1] = SerialCommand;
    // A failed exchange is not reported: the reply simply stays zero.
    exchange(record, request.data(), reply.data());
    return {reply[0], reply[1], reply[2], reply[3]};
}

QString DeviceLink::readSerialText(DeviceRecord& record) {
    const QString text = FormatSerial(RequestSerial(record));
    m_access.CloseHidDevice(record);
    return text;
}

int DeviceLink::ChooseUnit(int identifier) {
    m_progress.processEvents();
    DeviceRecord record;
    const auto open = [&](int unit) {
        record = DeviceRecord{};
        return m_access.OpenHidDevice(identifier, TransferLength, TransferLength, record, unit) ==
               0;
    };
    // Without a unit 2 there is nothing to choose; the transfer's own open tells whether
    // unit 1 is there at all.
    if (!open(2))
        return 1;

    m_selector.showDetecting();
    m_progress.processEvents();
    UnitSerials serials;
    serials[1] = readSerialText(record);
    if (open(1))
        serials[0] = readSerialText(record);
    int count = 2;
    if (open(3)) {
        serials[2] = readSerialText(record);
        count = 3;
        // Units are numbered without gaps, so a missing unit 3 means there is no unit 4.
        if (open(4)) {
            serials[3] = readSerialText(record);
            count = 4;
        }
    }

    const int choice = m_selector.SelectMultiples(count, serials);
    m_progress.processEvents();
    return choice;
}

TransferResult DeviceLink::SendImage(int identifier, const DeviceImage& image) {
    const int unit = ChooseUnit(identifier);
    if (unit == 0)
        return TransferResult::Cancelled;
    return SendImageToUnit(identifier, unit, image);
}

TransferResult DeviceLink::SendImageToUnit(int identifier, int unit, const DeviceImage& image) {
    DeviceImage sent = image;
    return transfer(identifier, unit, TransferDirection::Writing, sent);
}

TransferResult DeviceLink::ReceiveImage(int identifier, DeviceImage& image) {
    image = DeviceImage{};
    const int unit = ChooseUnit(identifier);
    if (unit == 0)
        return TransferResult::Cancelled;
    return ReceiveImageFromUnit(identifier, unit, image);
}

TransferResult DeviceLink::ReceiveImageFromUnit(int identifier, int unit, DeviceImage& image) {
    image = DeviceImage{};
    return transfer(identifier, unit, TransferDirection::Reading, image);
}

TransferResult DeviceLink::transfer(int identifier, int unit, TransferDirection direction,
                                    DeviceImage& image) {
    // A unit plugged in or pulled out since the choice can shift the numbers: rather no
    // transfer than one to a unit the user did not pick.
    if (!m_access.unitUnchanged(unit))
        return TransferResult::DeviceNotFound;
    DeviceRecord record;
    if (m_access.OpenHidDevice(identifier, TransferLength, TransferLength, record, unit) != 0)
        return TransferResult::DeviceNotFound;

    const bool writing = direction == TransferDirection::Writing;
    TransferResult result = TransferResult::Success;
    std::array<quint8, TransferLength> request{};
    std::array<quint8, TransferLength> reply{};
    for (int location = 1; location <= DeviceImage::Size; ++location) {
        m_progress.showProgress(direction, location, DeviceImage::Size);
        m_progress.processEvents();
        if (writing)
            request = {ReportId, StoreCommand, 0, quint8(location), image.at(location), 0};
        else
            request = {ReportId, FetchCommand, 0, quint8(location), 0, 0};
        reply = {};
        if (exchange(record, request.data(), reply.data()) != 0) {
            result = TransferResult::IoError;
            break;
        }
        if (!writing)
            image.set(location, reply[4]);
        m_progress.processEvents();
    }
    if (writing && result == TransferResult::Success) {
        // The closing write tells the unit that the whole image has arrived.
        request = {ReportId, StoreCommand, 0, ClosingLocation, ClosingValue, 0};
        if (exchange(record, request.data(), reply.data()) != 0)
            result = TransferResult::IoError;
    }
    m_access.CloseHidDevice(record);
    return result;
}
