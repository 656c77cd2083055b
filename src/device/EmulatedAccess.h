// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/EmulatedUnit.h"
#include "device/HidAccess.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <chrono>
#include <mutex>

// Encoders that live in this process: the demo's and the tests' device. They answer the
// store (0x81), fetch (0x82) and serial (0x84) requests like the real ones, and record
// every open, exchange and close so tests can check what went over the wire. With several
// units written at once, "the n-th exchange" counts the exchanges of all units together.
class EmulatedAccess : public HidAccess {
public:
    struct Event {
        enum class Kind { Open, OpenFailed, Exchange, FailedExchange, Close };
        Kind kind;
        int unit;
        QByteArray request; // exchanges only: the 6 request bytes
        QByteArray reply;   // exchanges only: the reply bytes written
    };

    // `attached` units numbered from 1, with serial characters "0001", "0002", ...
    explicit EmulatedAccess(int attached = 1);

    EmulatedUnit& unit(int number) { return m_units.at(number - 1); }
    // Which unit numbers answer, for instance {1, 2, 4}.
    void setAttached(const QList<int>& numbers);
    // The n-th exchange from now (counting from 1) fails; 0 for never.
    void failExchangeAt(int n) {
        m_failAt = n;
        m_exchangeCount = 0;
    }
    // Each exchange takes this long, like the real bus.
    void setExchangeDelay(std::chrono::microseconds delay) { m_delay = delay; }

    const QList<Event>& events() const { return m_events; }
    void clearEvents() { m_events.clear(); }
    int openUnits() const;

    int OpenHidDevice(int identifier, int requestLength, int replyLength, DeviceRecord& record,
                      int unit) override;
    int WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) override;
    int CloseHidDevice(DeviceRecord& record) override;
    OpenFailure lastOpenFailure() const override;
    QString unitPath(int unit) const override {
        return unit >= 1 && unit <= MaxUnits ? QStringLiteral("emulated:%1").arg(unit) : QString();
    }

private:
    void wait() const;

    mutable std::mutex m_mutex; // units are written in parallel, one thread each
    std::array<EmulatedUnit, MaxUnits> m_units;
    std::array<bool, MaxUnits> m_open{};
    QList<Event> m_events;
    OpenFailure m_lastFailure;
    int m_failAt = 0;
    int m_exchangeCount = 0;
    std::chrono::microseconds m_delay{0};
};
