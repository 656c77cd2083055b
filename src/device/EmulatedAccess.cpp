// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/EmulatedAccess.h"

#include "device/Protocol.h"

#include <cerrno>
#include <thread>

namespace {
constexpr quint32 RecordMagic = 0x54504144; // "TPAD"
}

EmulatedAccess::EmulatedAccess(int attached) {
    for (int i = 0; i < MaxUnits; ++i) {
        m_units[i].attached = i < attached;
        m_units[i].serial = {'0', '0', '0', static_cast<unsigned char>('1' + i)};
    }
}

void EmulatedAccess::setAttached(const QList<int>& numbers) {
    for (int i = 0; i < MaxUnits; ++i)
        m_units[i].attached = numbers.contains(i + 1);
}

OpenFailure EmulatedAccess::lastOpenFailure() const {
    std::lock_guard lock(m_mutex);
    return m_lastFailure;
}

int EmulatedAccess::openUnits() const {
    std::lock_guard lock(m_mutex);
    return int(std::count(m_open.begin(), m_open.end(), true));
}

int EmulatedAccess::OpenHidDevice(int identifier, int requestLength, int replyLength,
                                  DeviceRecord& record, int unit) {
    std::lock_guard lock(m_mutex);
    const bool exists = identifier == DeviceIdentifier && unit >= 1 && unit <= MaxUnits &&
                        m_units[unit - 1].attached;
    if (!exists || m_units[unit - 1].openFails || m_open[unit - 1]) {
        const bool denied = exists && m_units[unit - 1].accessDenied;
        m_lastFailure = {!exists  ? OpenFailure::Kind::NoSuchUnit
                         : denied ? OpenFailure::Kind::AccessDenied
                                  : OpenFailure::Kind::OpenFailed,
                         unit,
                         {},
                         denied ? EACCES : 0};
        m_events.append({Event::Kind::OpenFailed, unit, {}, {}});
        return 1;
    }
    m_lastFailure = {};
    m_open[unit - 1] = true;
    record = DeviceRecord{};
    record.words[0] = RecordMagic;
    record.words[1] = quint32(unit);
    record.words[2] = quint32(requestLength);
    record.words[3] = quint32(replyLength);
    m_events.append({Event::Kind::Open, unit, {}, {}});
    return 0;
}

void EmulatedAccess::wait() const {
    if (m_delay.count() <= 0)
        return;
    // Sleep most of the way, then spin: a plain sleep overshoots by far more than a real
    // exchange varies, which would blur the transfer benchmark.
    const auto deadline = std::chrono::steady_clock::now() + m_delay;
    if (m_delay > std::chrono::microseconds(300))
        std::this_thread::sleep_for(m_delay - std::chrono::microseconds(200));
    while (std::chrono::steady_clock::now() < deadline) {
    }
}

int EmulatedAccess::WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) {
    const int unit = int(record.words[1]);
    if (record.words[0] != RecordMagic || unit < 1 || unit > MaxUnits)
        return 1;
    // The wait is the bus's time, which units spend side by side.
    wait();
    std::lock_guard lock(m_mutex);
    if (!m_open[unit - 1])
        return 1;
    const int requestLength = int(record.words[2]);
    const int replyLength = int(record.words[3]);
    Event event{Event::Kind::Exchange,
                unit,
                QByteArray(reinterpret_cast<const char*>(request), requestLength),
                {}};
    if (m_failAt > 0 && ++m_exchangeCount == m_failAt) {
        event.kind = Event::Kind::FailedExchange;
        m_events.append(event);
        return 2;
    }

    EmulatedUnit& u = m_units[unit - 1];
    QByteArray answer(replyLength, '\0');
    const int location = request[3];
    using namespace Protocol;
    if (request[0] == ReportId && request[1] == StoreCommand) {
        if (location == ClosingLocation && request[4] == ClosingValue)
            ++u.closingWrites;
        else if (location >= 1 && location <= DeviceImage::Size &&
                 !u.droppedLocations.count(location))
            u.memory.set(location, request[4]);
    } else if (request[0] == ReportId && request[1] == FetchCommand) {
        if (location >= 1 && location <= DeviceImage::Size && replyLength > 4)
            answer[4] = char(u.memory.at(location));
    } else if (request[0] == ReportId && request[1] == SerialCommand) {
        for (int i = 0; i < 4 && i < replyLength; ++i)
            answer[i] = char(u.serial[i]);
    }
    std::copy(answer.begin(), answer.end(), reply);
    event.reply = answer;
    m_events.append(event);
    return 0;
}

int EmulatedAccess::CloseHidDevice(DeviceRecord& record) {
    std::lock_guard lock(m_mutex);
    const int unit = int(record.words[1]);
    if (record.words[0] != RecordMagic || unit < 1 || unit > MaxUnits || !m_open[unit - 1])
        return 1;
    m_open[unit - 1] = false;
    m_events.append({Event::Kind::Close, unit, {}, {}});
    return 0;
}
