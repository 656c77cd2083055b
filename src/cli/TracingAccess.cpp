// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TracingAccess.h"

#include <QCoreApplication>

TracingAccess::TracingAccess(std::unique_ptr<HidAccess> inner, QTextStream& out)
    : m_inner(std::move(inner)), m_out(out) {}

QByteArray TracingAccess::key(const DeviceRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(record.words), sizeof record.words);
}

int TracingAccess::OpenHidDevice(int identifier, int requestLength, int replyLength,
                                 DeviceRecord& record, int unit) {
    const int status = m_inner->OpenHidDevice(identifier, requestLength, replyLength, record, unit);
    QMutexLocker lock(&m_mutex);
    if (status == 0)
        m_open.insert(key(record), {unit, requestLength, replyLength});
    return status;
}

int TracingAccess::WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) {
    QMutexLocker lock(&m_mutex);
    const Opened opened = m_open.value(key(record), {0, 6, 6});
    lock.unlock();
    const int status = m_inner->WriteHidDevice(record, request, reply);
    lock.relock();
    const auto hex = [](const quint8* bytes, int n) {
        return QByteArray(reinterpret_cast<const char*>(bytes), n).toHex(' ');
    };
    m_out << opened.unit << ' ' << hex(request, opened.requestLength) << ' '
          << hex(reply, opened.replyLength);
    if (status != 0)
        m_out << ' ' << QCoreApplication::translate("TracingAccess", "failed");
    m_out << '\n';
    m_out.flush();
    return status;
}

int TracingAccess::CloseHidDevice(DeviceRecord& record) {
    QMutexLocker lock(&m_mutex);
    m_open.remove(key(record));
    lock.unlock();
    return m_inner->CloseHidDevice(record);
}
