// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidAccess.h"

#include <QMap>
#include <QTextStream>
#include <memory>
#include <mutex>

// Passes every call on to another access layer and prints each exchange on one line: the
// unit, then the request and the reply bytes as two-digit lower-case hex.
class TracingAccess : public HidAccess {
public:
    TracingAccess(std::unique_ptr<HidAccess> inner, QTextStream& out);

    int OpenHidDevice(int identifier, int requestLength, int replyLength, DeviceRecord& record,
                      int unit) override;
    int WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) override;
    int CloseHidDevice(DeviceRecord& record) override;
    OpenFailure lastOpenFailure() const override { return m_inner->lastOpenFailure(); }
    void beginCommand() override { m_inner->beginCommand(); }
    void endCommand() override { m_inner->endCommand(); }
    bool unitUnchanged(int unit) override { return m_inner->unitUnchanged(unit); }
    QString unitPath(int unit) const override { return m_inner->unitPath(unit); }
    QString nodeDevice(const QString& node) const override { return m_inner->nodeDevice(node); }
    bool exchangesMayBlock() const override { return m_inner->exchangesMayBlock(); }

private:
    struct Opened {
        int unit;
        int requestLength;
        int replyLength;
    };
    static QByteArray key(const DeviceRecord& record);

    std::unique_ptr<HidAccess> m_inner;
    QTextStream& m_out;
    std::mutex m_mutex; // m_open; units are written in parallel
    QMap<QByteArray, Opened> m_open;
};
