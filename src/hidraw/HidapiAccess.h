// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidAccess.h"

#include <QList>
#include <QStringList>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

struct hid_device_;

// The encoders attached to this computer, through hidapi's hidraw backend: on USB, and on any
// other bus a HID device can come by (Bluetooth, uhid). Units are the hidraw nodes with the
// encoder's product identifier, one per physical device, numbered by a natural sort of their
// device paths.
// Requests go out as output reports whose first byte is the report ID (2); the unit answers
// with an input report of the same ID, whose bytes after the ID become the reply.
// Units may be used from several threads at once, one thread per open unit.
class HidapiAccess : public HidAccess {
public:
    // One attached unit: its hidraw path and the USB device behind it, as sysfs names it
    // (with the device's bus number, which changes when it is plugged in again).
    struct Unit {
        QString path;
        QString device;
        bool operator==(const Unit&) const = default;
    };

    // `sysfsRoot` is where the kernel's device tree is read from ("/sys"; tests give a fake).
    explicit HidapiAccess(const QString& sysfsRoot);
    ~HidapiAccess() override;
    HidapiAccess(const HidapiAccess&) = delete;
    HidapiAccess& operator=(const HidapiAccess&) = delete;

    // The attached units as they are now, unit 1 first.
    QList<Unit> listUnits(int identifier) const;
    QStringList unitPaths(int identifier) const;

    int OpenHidDevice(int identifier, int requestLength, int replyLength, DeviceRecord& record,
                      int unit) override;
    int WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) override;
    int CloseHidDevice(DeviceRecord& record) override;
    OpenFailure lastOpenFailure() const override;

    void beginCommand() override;
    void endCommand() override;
    bool unitUnchanged(int unit) override;
    QString unitPath(int unit) const override;
    QString nodeDevice(const QString& node) const override { return physicalDevice(node); }
    bool exchangesMayBlock() const override { return true; }

private:
    struct Handle; // an open hid_device, closed when its last user lets go of it
    struct OpenUnit {
        std::shared_ptr<Handle> device;
        int requestLength;
        int replyLength;
        bool stuck = false; // a request of ours is still blocked in the kernel
    };
    bool sendRequest(OpenUnit& unit, const quint8* request);
    OpenUnit* find(const DeviceRecord& record);
    void setFailure(OpenFailure failure);
    // The command's numbering while one runs, otherwise the units as they are now.
    QList<Unit> currentUnits(int identifier) const;
    QString physicalDevice(const QString& path) const;
    bool encoderNode(const QString& path) const;

    const QString m_sysfsRoot;
    bool m_initialised = false;
    mutable std::mutex m_mutex; // guards everything below
    quint32 m_nextHandle = 1;
    std::map<quint32, OpenUnit> m_units;
    std::map<std::thread::id, OpenFailure> m_failures;
    int m_commandDepth = 0;
    std::optional<QList<Unit>> m_commandUnits;
};
