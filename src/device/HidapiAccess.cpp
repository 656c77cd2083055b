#include "HidapiAccess.h"

#include <hidapi.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr quint32 RecordMagic = 0x48494441; // "HIDA"
constexpr quint8 ReportId = 2;
constexpr int ReportBufferSize = 65;
constexpr int MaxStaleReports = 64;
// A unit that has not answered within this time is taken as gone.
constexpr int ReplyTimeoutMs = 1000;

// The USB device a hidraw node belongs to, so that the interfaces of one encoder count as
// one unit. Outside sysfs (or without a hidraw path) every path stands for itself.
QString physicalDevice(const hid_device_info* info) {
    const QString path = QString::fromLocal8Bit(info->path);
    const QString node = QFileInfo(path).fileName();
    if (node.startsWith(QLatin1String("hidraw"))) {
        // /sys/class/hidraw/hidrawN/device is the HID device; its parent the USB interface,
        // and that one's parent the USB device.
        const QString hid =
            QFileInfo(QStringLiteral("/sys/class/hidraw/%1/device").arg(node)).canonicalFilePath();
        if (!hid.isEmpty()) {
            QDir dir(hid);
            if (dir.cdUp() && dir.cdUp())
                return dir.absolutePath();
        }
    }
    if (info->serial_number && info->serial_number[0])
        return QStringLiteral("%1:%2:%3")
            .arg(info->vendor_id)
            .arg(info->product_id)
            .arg(QString::fromWCharArray(info->serial_number));
    return path;
}

// "hidraw2" before "hidraw10": runs of digits compare by their value.
bool naturalLess(const QString& a, const QString& b) {
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const qulonglong x = a.mid(i, ei - i).toULongLong();
            const qulonglong y = b.mid(j, ej - j).toULongLong();
            if (x != y)
                return x < y;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

} // namespace

HidapiAccess::HidapiAccess() {
    m_initialised = hid_init() == 0;
}

HidapiAccess::~HidapiAccess() {
    for (auto& [handle, unit] : m_units)
        hid_close(unit.device);
    if (m_initialised)
        hid_exit();
}

QStringList HidapiAccess::unitPaths(int identifier) const {
    if (!m_initialised)
        return {};
    struct Candidate {
        QString path;
        bool vendorPage;
        int interface;
    };
    QMap<QString, Candidate> chosen; // per physical device
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* info = all; info; info = info->next) {
        if (info->product_id != identifier || !info->path)
            continue;
        const Candidate c{QString::fromLocal8Bit(info->path), info->usage_page >= 0xFF00,
                          info->interface_number};
        const QString device = physicalDevice(info);
        auto it = chosen.find(device);
        // Prefer the vendor-defined interface, then the lowest interface number.
        if (it == chosen.end())
            chosen.insert(device, c);
        else if ((c.vendorPage && !it->vendorPage) ||
                 (c.vendorPage == it->vendorPage && c.interface < it->interface))
            *it = c;
    }
    hid_free_enumeration(all);

    QStringList paths;
    for (const Candidate& c : chosen)
        if (!paths.contains(c.path))
            paths.append(c.path);
    std::sort(paths.begin(), paths.end(), naturalLess);
    return paths;
}

QString HidapiAccess::unitPath(int unit) const {
    return unitPaths(DeviceIdentifier).value(unit - 1);
}

int HidapiAccess::OpenHidDevice(int identifier, int requestLength, int replyLength,
                                DeviceRecord& record, int unit) {
    m_lastFailure = {OpenFailure::Kind::NoSuchUnit, {}};
    const QStringList paths = unitPaths(identifier);
    if (unit < 1 || unit > paths.size())
        return 1;
    const QByteArray path = paths.at(unit - 1).toLocal8Bit();
    errno = 0;
    hid_device* device = hid_open_path(path.constData());
    if (!device) {
        const int error = errno;
        const bool denied = error == EACCES || error == EPERM;
        m_lastFailure.kind =
            denied ? OpenFailure::Kind::AccessDenied : OpenFailure::Kind::OpenFailed;
        m_lastFailure.detail = QStringLiteral("%1: %2").arg(
            QString::fromLocal8Bit(path), error ? QString::fromLocal8Bit(std::strerror(error))
                                                : QStringLiteral("cannot be opened"));
        return 1;
    }
    m_lastFailure = {};
    const quint32 handle = m_nextHandle++;
    m_units[handle] = {device, std::clamp(requestLength, 1, ReportBufferSize),
                       std::clamp(replyLength, 0, ReportBufferSize - 1)};
    record = DeviceRecord{};
    record.words[0] = RecordMagic;
    record.words[1] = handle;
    return 0;
}

HidapiAccess::OpenUnit* HidapiAccess::find(const DeviceRecord& record) {
    if (record.words[0] != RecordMagic)
        return nullptr;
    auto it = m_units.find(record.words[1]);
    return it == m_units.end() ? nullptr : &it->second;
}

int HidapiAccess::WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) {
    OpenUnit* unit = find(record);
    if (!unit)
        return 1;
    unsigned char buffer[ReportBufferSize];

    // Answers to an earlier, abandoned exchange must not be taken for this one's.
    for (int i = 0; i < MaxStaleReports; ++i) {
        const int n = hid_read_timeout(unit->device, buffer, sizeof buffer, 0);
        if (n < 0)
            return 2;
        if (n == 0)
            break;
    }
    if (hid_write(unit->device, request, size_t(unit->requestLength)) < 0)
        return 2;

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ReplyTimeoutMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return 2; // the unit stopped answering
        const int n = hid_read_timeout(unit->device, buffer, sizeof buffer, int(left));
        if (n <= 0)
            return 2; // unplugged, or nothing within the time
        if (buffer[0] != ReportId)
            continue;
        const int length = std::min(n - 1, unit->replyLength);
        std::memcpy(reply, buffer + 1, size_t(std::max(length, 0)));
        return 0;
    }
}

int HidapiAccess::CloseHidDevice(DeviceRecord& record) {
    OpenUnit* unit = find(record);
    if (!unit)
        return 1;
    hid_close(unit->device);
    m_units.erase(record.words[1]);
    record = DeviceRecord{};
    return 0;
}
