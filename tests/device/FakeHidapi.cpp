// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeHidapi.h"

#include <hidapi.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

struct hid_device_ {
    int index;
};

namespace fakehid {
State& state() {
    static State s;
    return s;
}
void reset() {
    state() = State{};
}
int dataReportsWritten() {
    int n = 0;
    for (const auto& d : state().devices)
        for (const QByteArray& r : d.written)
            n += r.size() > 1 && quint8(r[1]) != 0x84;
    return n;
}
} // namespace fakehid

using fakehid::state;

namespace {
// Units are written from several threads at once; the fake takes one call at a time.
std::recursive_mutex callMutex;
// Calls on hidapi's process-wide state that were under way at once (counted before the fake
// takes its own lock).
std::atomic<int> inLibrary{0};
std::atomic<int> overlaps{0};
struct LibraryCall {
    LibraryCall() { overlaps += inLibrary++ > 0; }
    ~LibraryCall() { --inLibrary; }
    LibraryCall(const LibraryCall&) = delete;
    LibraryCall& operator=(const LibraryCall&) = delete;
};
} // namespace

std::unique_lock<std::recursive_mutex> fakehid::lock() {
    return std::unique_lock(callMutex);
}

int fakehid::libraryOverlaps() {
    return overlaps.exchange(0);
}

extern "C" {

int hid_init(void) {
    LibraryCall call;
    std::lock_guard lock(callMutex);
    ++state().initCalls;
    return 0;
}

int hid_exit(void) {
    LibraryCall call;
    std::lock_guard lock(callMutex);
    ++state().exitCalls;
    return 0;
}

struct hid_device_info* hid_enumerate(unsigned short vendor, unsigned short product) {
    LibraryCall call;
    std::lock_guard lock(callMutex);
    state().enumerations.append({vendor, product});
    if (state().beforeEnumerate)
        state().beforeEnumerate(int(state().enumerations.size()));
    hid_device_info* head = nullptr;
    hid_device_info** tail = &head;
    for (const auto& d : state().devices) {
        if (d.unplugged || (vendor && d.vendor != vendor) || (product && d.product != product))
            continue;
        auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
        info->path = strdup(d.path.toLocal8Bit().constData());
        info->vendor_id = d.vendor;
        info->product_id = d.product;
        info->usage_page = d.usagePage;
        info->interface_number = d.interface;
        auto* serial =
            static_cast<wchar_t*>(std::calloc(size_t(d.serial.size() + 1), sizeof(wchar_t)));
        d.serial.toWCharArray(serial);
        info->serial_number = serial;
        *tail = info;
        tail = &info->next;
    }
    return head;
}

void hid_free_enumeration(struct hid_device_info* devs) {
    while (devs) {
        hid_device_info* next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs);
        devs = next;
    }
}

hid_device* hid_open_path(const char* path) {
    LibraryCall call;
    std::lock_guard lock(callMutex);
    for (int i = 0; i < state().devices.size(); ++i) {
        const auto& d = state().devices[i];
        if (d.unplugged || d.path != QString::fromLocal8Bit(path))
            continue;
        if (d.openErrno) {
            errno = d.openErrno;
            return nullptr;
        }
        ++state().openHandles;
        return new hid_device_{i};
    }
    errno = ENOENT;
    return nullptr;
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
    std::lock_guard lock(callMutex);
    auto& d = state().devices[dev->index];
    if (d.unplugged)
        return -1;
    const QByteArray report(reinterpret_cast<const char*>(data), qsizetype(length));
    d.written.append(report);
    if (d.respond)
        d.pending.append(d.respond(report));
    return int(length);
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int milliseconds) {
    std::lock_guard lock(callMutex);
    auto& d = state().devices[dev->index];
    if (d.unplugged)
        return -1;
    if (milliseconds != 0)
        state().readTimeouts.append(milliseconds);
    if (d.pending.isEmpty())
        return 0; // as if the wait ran out
    const QByteArray report = d.pending.takeFirst();
    const size_t n = std::min(length, size_t(report.size()));
    std::memcpy(data, report.constData(), n);
    return int(n);
}

void hid_close(hid_device* dev) {
    std::lock_guard lock(callMutex);
    --state().openHandles;
    delete dev;
}

} // extern "C"
