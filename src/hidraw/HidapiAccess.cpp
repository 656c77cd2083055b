// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw/HidapiAccess.h"

#include "descriptor/ReportDescriptor.h"
#include "device/Protocol.h"
#include "hidraw/SysfsDevice.h"

#include <hidapi.h>

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr quint32 RecordMagic = 0x48494441; // "HIDA"
constexpr int ReportBufferSize = 65;
constexpr int MaxStaleReports = 64;
// A unit that has not answered within this time is taken as gone.
constexpr int ReplyTimeoutMs = 1000;

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

// hidapi's own state (its set-up, the error string of calls made without a device, the locale
// set-up of enumeration) exists once per process, whatever the number of HidapiAccess
// instances and threads: it is set up for as long as any instance lives, and the calls that
// touch it take turns. Reads and writes on an open device touch only that device and stay
// parallel.
std::mutex libraryMutex;
int libraryUsers = 0;
bool libraryReady = false;

} // namespace

struct HidapiAccess::Handle {
    explicit Handle(hid_device* d) : device(d) {}
    ~Handle() {
        std::lock_guard lock(libraryMutex);
        hid_close(device);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    hid_device* const device;
};

HidapiAccess::HidapiAccess(const QString& sysfsRoot) : m_sysfsRoot(sysfsRoot) {
    std::lock_guard lock(libraryMutex);
    ++libraryUsers;
    if (!libraryReady)
        libraryReady = hid_init() == 0;
    m_initialised = libraryReady;
}

HidapiAccess::~HidapiAccess() {
    m_units.clear();
    std::lock_guard lock(libraryMutex);
    if (--libraryUsers == 0 && libraryReady) {
        hid_exit();
        libraryReady = false;
    }
}

// The device a hidraw node belongs to, so that the interfaces of one encoder count as one
// unit and a node taken over by another device is noticed. On USB that is the USB device
// with its devnum, new each time it is plugged in; off USB (Bluetooth, uhid) the HID device
// itself, whose name carries a sequence number that is new each time it appears. Empty
// outside sysfs.
QString HidapiAccess::physicalDevice(const QString& path) const {
    const SysfsDevice device = SysfsDevice::of(path, m_sysfsRoot);
    if (device.usb().isEmpty())
        return device.hid();
    return device.usb() + QLatin1Char('#') + device.devnum();
}

// Whether the node's report descriptor is an encoder's. A node whose descriptor cannot be read
// (no sysfs) is given the benefit of the doubt: the open and the first exchange decide.
bool HidapiAccess::encoderNode(const QString& path) const {
    QFile descriptor(m_sysfsRoot + QStringLiteral("/class/hidraw/%1/device/report_descriptor")
                                       .arg(QFileInfo(path).fileName()));
    if (!descriptor.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = descriptor.read(4096);
    return ReportDescriptor::isEncoder(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       std::size_t(bytes.size()));
}

QList<HidapiAccess::Unit> HidapiAccess::listUnits(int identifier) const {
    if (!m_initialised)
        return {};
    struct Candidate {
        Unit unit;
        bool vendorPage;
        int interface;
    };
    QMap<QString, Candidate> chosen; // per physical device
    std::unique_lock lock(libraryMutex);
    hid_device_info* all = hid_enumerate(0, quint16(identifier));
    for (const hid_device_info* info = all; info; info = info->next) {
        if (info->product_id != identifier || !info->path)
            continue;
        const QString path = QString::fromLocal8Bit(info->path);
        if (!encoderNode(path))
            continue;
        QString device = physicalDevice(path);
        QString key = device;
        if (key.isEmpty() && info->serial_number && info->serial_number[0])
            key = QStringLiteral("%1:%2:%3")
                      .arg(info->vendor_id)
                      .arg(info->product_id)
                      .arg(QString::fromWCharArray(info->serial_number));
        if (key.isEmpty())
            key = path;
        const Candidate c{{path, device}, info->usage_page >= 0xFF00, info->interface_number};
        auto it = chosen.find(key);
        // Prefer the vendor-defined interface, then the lowest interface number.
        if (it == chosen.end())
            chosen.insert(key, c);
        else if ((c.vendorPage && !it->vendorPage) ||
                 (c.vendorPage == it->vendorPage && c.interface < it->interface))
            *it = c;
    }
    hid_free_enumeration(all);
    lock.unlock();

    QList<Unit> units;
    for (const Candidate& c : chosen)
        if (std::none_of(units.begin(), units.end(),
                         [&](const Unit& u) { return u.path == c.unit.path; }))
            units.append(c.unit);
    std::sort(units.begin(), units.end(),
              [](const Unit& a, const Unit& b) { return naturalLess(a.path, b.path); });
    return units;
}

QStringList HidapiAccess::unitPaths(int identifier) const {
    QStringList paths;
    for (const Unit& u : listUnits(identifier))
        paths << u.path;
    return paths;
}

void HidapiAccess::beginCommand() {
    const QList<Unit> units = listUnits(DeviceIdentifier);
    std::lock_guard lock(m_mutex);
    if (m_commandDepth++ == 0)
        m_commandUnits = units;
}

void HidapiAccess::endCommand() {
    std::lock_guard lock(m_mutex);
    if (m_commandDepth > 0 && --m_commandDepth == 0)
        m_commandUnits.reset();
}

bool HidapiAccess::unitUnchanged(int unit) {
    std::optional<QList<Unit>> listed;
    {
        std::lock_guard lock(m_mutex);
        listed = m_commandUnits;
    }
    if (!listed || unit < 1 || unit > listed->size())
        return true; // nothing to compare with; the open decides
    // The same node on the same device, wherever the others went: a unit pulled out beside it
    // moves it in the list but does not make it another unit.
    const Unit& then = listed->at(unit - 1);
    if (listUnits(DeviceIdentifier).contains(then))
        return true;
    setFailure({OpenFailure::Kind::UnitsChanged, unit, then.path, 0});
    return false;
}

void HidapiAccess::setFailure(OpenFailure failure) {
    std::lock_guard lock(m_mutex);
    m_failures[std::this_thread::get_id()] = std::move(failure);
}

OpenFailure HidapiAccess::lastOpenFailure() const {
    std::lock_guard lock(m_mutex);
    const auto it = m_failures.find(std::this_thread::get_id());
    return it == m_failures.end() ? OpenFailure{} : it->second;
}

QList<HidapiAccess::Unit> HidapiAccess::currentUnits(int identifier) const {
    {
        std::lock_guard lock(m_mutex);
        if (identifier == DeviceIdentifier && m_commandUnits)
            return *m_commandUnits;
    }
    return listUnits(identifier);
}

QString HidapiAccess::unitPath(int unit) const {
    const QList<Unit> units = currentUnits(DeviceIdentifier);
    return unit >= 1 && unit <= units.size() ? units.at(unit - 1).path : QString();
}

int HidapiAccess::OpenHidDevice(int identifier, int requestLength, int replyLength,
                                DeviceRecord& record, int unit) {
    const QList<Unit> units = currentUnits(identifier);
    if (unit < 1 || unit > units.size()) {
        setFailure({OpenFailure::Kind::NoSuchUnit, unit, {}, 0});
        return 1;
    }
    const QByteArray path = units.at(unit - 1).path.toLocal8Bit();
    hid_device* device = nullptr;
    int error = 0;
    {
        std::lock_guard lock(libraryMutex);
        errno = 0;
        device = hid_open_path(path.constData());
        error = errno;
    }
    if (!device) {
        const bool denied = error == EACCES || error == EPERM;
        setFailure({denied ? OpenFailure::Kind::AccessDenied : OpenFailure::Kind::OpenFailed, unit,
                    QString::fromLocal8Bit(path), error});
        return 1;
    }
    setFailure({});
    std::lock_guard lock(m_mutex);
    const quint32 handle = m_nextHandle++;
    m_units[handle] = {std::make_shared<Handle>(device),
                       std::clamp(requestLength, 1, ReportBufferSize),
                       std::clamp(replyLength, 0, ReportBufferSize - 1)};
    record = DeviceRecord{};
    record.words[0] = RecordMagic;
    record.words[1] = handle;
    return 0;
}

HidapiAccess::OpenUnit* HidapiAccess::find(const DeviceRecord& record) {
    std::lock_guard lock(m_mutex);
    if (record.words[0] != RecordMagic)
        return nullptr;
    auto it = m_units.find(record.words[1]);
    return it == m_units.end() ? nullptr : &it->second;
}

// hid_write can block for the kernel's whole USB time-out (five seconds) when a unit takes
// no requests. It runs on a thread of its own, so that the exchange still ends within the
// reply time-out; a write that is still blocked then keeps the device open until the kernel
// gives it back, and the unit takes no more requests meanwhile.
bool HidapiAccess::sendRequest(OpenUnit& unit, const quint8* request) {
    if (unit.stuck)
        return false;
    struct Outcome {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<int> written;
    };
    auto outcome = std::make_shared<Outcome>();
    std::thread([outcome, device = unit.device,
                 bytes = std::vector<quint8>(request, request + unit.requestLength)]() mutable {
        const int n = hid_write(device->device, bytes.data(), bytes.size());
        device.reset(); // before the caller can go on to close it
        std::lock_guard lock(outcome->mutex);
        outcome->written = n;
        outcome->done.notify_all();
    }).detach();
    std::unique_lock lock(outcome->mutex);
    if (!outcome->done.wait_for(lock, std::chrono::milliseconds(ReplyTimeoutMs),
                                [&] { return outcome->written.has_value(); })) {
        unit.stuck = true;
        return false;
    }
    return *outcome->written >= 0;
}

int HidapiAccess::WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) {
    OpenUnit* unit = find(record);
    if (!unit)
        return 1;
    hid_device* device = unit->device->device;
    unsigned char buffer[ReportBufferSize];

    // Answers to an earlier, abandoned exchange must not be taken for this one's.
    for (int i = 0; i < MaxStaleReports && !unit->stuck; ++i) {
        const int n = hid_read_timeout(device, buffer, sizeof buffer, 0);
        if (n < 0)
            return 2;
        if (n == 0)
            break;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ReplyTimeoutMs);
    if (!sendRequest(*unit, request))
        return 2;

    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return 2; // the unit stopped answering
        const int n = hid_read_timeout(device, buffer, sizeof buffer, int(left));
        if (n <= 0)
            return 2; // unplugged, or nothing within the time
        // Other reports the unit may send, and reports too short to hold an answer, are not
        // the answer.
        if (buffer[0] != Protocol::ReportId || n - 1 < Protocol::PayloadBytes)
            continue;
        const int length = std::min(n - 1, unit->replyLength);
        std::memcpy(reply, buffer + 1, size_t(std::max(length, 0)));
        return 0;
    }
}

int HidapiAccess::CloseHidDevice(DeviceRecord& record) {
    std::shared_ptr<Handle> device;
    {
        std::lock_guard lock(m_mutex);
        const auto it =
            record.words[0] == RecordMagic ? m_units.find(record.words[1]) : m_units.end();
        if (it == m_units.end())
            return 1;
        device = std::move(it->second.device);
        m_units.erase(it);
    }
    // Closed here unless a blocked write still holds it; then that write's thread closes it.
    device.reset();
    record = DeviceRecord{};
    return 0;
}
