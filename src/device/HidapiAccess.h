#pragma once

#include "HidAccess.h"

#include <QStringList>
#include <map>

struct hid_device_;

// The encoders on the USB bus, through hidapi's hidraw backend. Units are the HID interfaces
// with the encoder's product identifier, numbered by a natural sort of their device paths.
// Requests go out as output reports whose first byte is the report ID (2); the unit answers
// with an input report of the same ID, whose bytes after the ID become the reply.
class HidapiAccess : public HidAccess {
public:
    HidapiAccess();
    ~HidapiAccess() override;
    HidapiAccess(const HidapiAccess&) = delete;
    HidapiAccess& operator=(const HidapiAccess&) = delete;

    // The device paths of the attached units, unit 1 first.
    QStringList unitPaths(int identifier) const;

    int OpenHidDevice(int identifier, int requestLength, int replyLength, DeviceRecord& record,
                      int unit) override;
    int WriteHidDevice(DeviceRecord& record, const quint8* request, quint8* reply) override;
    int CloseHidDevice(DeviceRecord& record) override;
    OpenFailure lastOpenFailure() const override { return m_lastFailure; }
    QString unitPath(int unit) const override;

private:
    struct OpenUnit {
        hid_device_* device;
        int requestLength;
        int replyLength;
    };
    OpenUnit* find(const DeviceRecord& record);

    bool m_initialised = false;
    quint32 m_nextHandle = 1;
    std::map<quint32, OpenUnit> m_units;
    OpenFailure m_lastFailure;
};
