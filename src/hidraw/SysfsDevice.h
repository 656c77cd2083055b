// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The devices sysfs shows above a hidraw node: its HID device and, on USB, the USB device that
// HID device's interface belongs to. Both the unit's identity across plug-ins and the search
// for its keyboard nodes start from here, so that they agree on what "the unit" is.
class SysfsDevice {
public:
    // `sysRoot` is where the kernel's device tree is read from ("/sys"; tests give a fake).
    // Outside sysfs (not a hidraw node, no such node) everything is empty.
    static SysfsDevice of(const QString& hidrawNode, const QString& sysRoot);

    // The HID device (class/hidrawN/device, resolved).
    QString hid() const { return m_hid; }
    // The USB device: only when the HID device's parent is a USB interface (it has a
    // bInterfaceNumber) and that one's parent has a devnum. Empty off USB (uhid, Bluetooth).
    QString usb() const { return m_usb; }
    // The USB device's number, new each time it is plugged in; empty off USB.
    QString devnum() const { return m_devnum; }
    // What all of the unit's interfaces lie below: the USB device, or off USB the HID device
    // itself. Walking further up would reach a hub or an adapter, and other devices with it.
    QString owner() const { return m_usb.isEmpty() ? m_hid : m_usb; }

private:
    QString m_hid;
    QString m_usb;
    QString m_devnum;
};
