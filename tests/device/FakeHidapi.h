// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tests' own hidapi: the hid_* functions that HidapiAccess calls, over scripted devices.

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <mutex>

namespace fakehid {

struct Device {
    QString path;
    unsigned short vendor = 0x1234;
    unsigned short product = 0x3650;
    unsigned short usagePage = 1;
    int interface = 0;
    QString serial;
    int openErrno = 0;         // non-zero: hid_open_path fails with this errno
    QList<QByteArray> pending; // input reports waiting to be read
    // The device's answer to a written report: the input reports it queues.
    std::function<QList<QByteArray>(const QByteArray&)> respond;
    bool unplugged = false; // gone: not listed, not openable, every transfer fails
    QList<QByteArray> written;
};

struct State {
    QList<Device> devices;
    int initCalls = 0;
    int exitCalls = 0;
    int openHandles = 0;
    QList<int> readTimeouts;             // the waits asked for by blocking reads
    QList<QPair<int, int>> enumerations; // the vendor and product filter of each enumeration
    // Runs before each enumeration with its number (1 for the first): a hot-plug at a chosen
    // moment.
    std::function<void(int)> beforeEnumerate;
};

State& state();
void reset();
// The reports written to every device that were not serial-number requests.
int dataReportsWritten();
// Holds off every hid_* call, so that a test can change the devices while units are in use.
std::unique_lock<std::recursive_mutex> lock();
// How many calls on hidapi's process-wide state overlapped another since the last look.
int libraryOverlaps();

} // namespace fakehid
