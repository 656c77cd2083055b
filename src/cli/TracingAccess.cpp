// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TracingAccess.h"

#include <QCoreApplication>
#include <map>
#include <mutex>

namespace {

// Every access of the process that traces to a stream, one per unit plugged in under `watch`,
// takes this stream's one lock, so that lines never run into each other.
std::mutex& streamLock(const QTextStream* stream) {
    static std::mutex mapMutex;
    static std::map<const QTextStream*, std::mutex> locks;
    std::lock_guard lock(mapMutex);
    return locks[stream];
}

} // namespace

TracingAccess::TracingAccess(std::unique_ptr<HidAccess> inner, QTextStream& out)
    : m_inner(std::move(inner)), m_out(out) {}

QByteArray TracingAccess::key(const DeviceRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(record.words), sizeof record.words);
}

int TracingAccess::OpenHidDevice(int identifier, int requestLength, int replyLength,
                                 DeviceRecord& record, int unit) {
    const int status = m_inner->OpenHidDevice(identifier, requestLength, replyLength, record, unit);
    std::unique_lock lock(m_mutex);
    if (status == 0)
        m_open.insert(key(record), {unit, requestLength, replyLength});
    return status;
}

int TracingAccess::WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) {
    std::unique_lock lock(m_mutex);
    const Opened opened = m_open.value(key(record), {0, 6, 6});
    lock.unlock();
    const int status = m_inner->WriteHidDevice(record, request, reply);
    const auto hex = [](const quint8* bytes, int n) {
        return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), n).toHex(' '));
    };
    QString line = QString::number(opened.unit) + QLatin1Char(' ') +
                   hex(request, opened.requestLength) + QLatin1Char(' ') +
                   hex(reply, opened.replyLength);
    if (status != 0)
        line += QLatin1Char(' ') + QCoreApplication::translate("TracingAccess", "failed");
    line += QLatin1Char('\n');
    std::lock_guard streamLocked(streamLock(&m_out));
    m_out << line;
    m_out.flush();
    return status;
}

int TracingAccess::CloseHidDevice(DeviceRecord& record) {
    std::unique_lock lock(m_mutex);
    m_open.remove(key(record));
    lock.unlock();
    return m_inner->CloseHidDevice(record);
}
