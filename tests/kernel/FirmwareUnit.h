// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// One unit inside the VM: our firmware on a USB gadget of dummy_hcd (or on uhid), seen by the
// kernel as a plugged-in device. Its memory and request log are files the tests read.
class FirmwareUnit {
public:
    // `serial` is the unit's four serial characters; `options` go to the firmware as they are
    // (faults, --keyboard, --no-out-endpoint, --transport uhid, --foreign).
    FirmwareUnit(int controller, const QString& serial, const QStringList& options = {},
                 const QByteArray& memory = {});
    ~FirmwareUnit();
    FirmwareUnit(const FirmwareUnit&) = delete;
    FirmwareUnit& operator=(const FirmwareUnit&) = delete;

    // Waits until the firmware runs and udev has handled the unit's hidraw node.
    bool plugged();
    // The hidraw node of the unit's request interface, or (a device that is no unit) the
    // node it has; empty before the kernel has one.
    QString node() const;
    // The input event nodes of its keyboard interface (--keyboard, --foreign): those below its
    // USB device (its HID device, off USB).
    QStringList eventNodes() const;
    QByteArray memory() const;
    // The logged requests, without their times: "store 1 8", "close", "fetch 3", "serial".
    QStringList requests() const;
    // The log's lines with their times in milliseconds.
    QList<QPair<double, QString>> timedRequests() const;
    // Pulls the unit out (for good): the gadget leaves the bus, the firmware ends.
    void unplug();
    // Plugs a unit that pulled itself out (--unplug-at) in again.
    void replug();
    // Presses slot `slot` (0 to 45) of a unit with a keyboard interface (--keyboard or
    // --foreign): the firmware sends the key its memory holds for the slot, then the release,
    // and logs "press <slot>".
    bool press(int slot);
    // The unit's serial number as the programmer shows it.
    QString serialText() const;

private:
    QString m_serial;
    QString m_name;
    QString m_dir;
    QProcess m_firmware;
};

// Waits until udev has handled every event so far.
void settleUdev();

// A configuration image as a unit holds it (locations 1 to 94), valid as the program writes
// it: an input slot repeats or has modifiers, never both; location 94 is 0.
QByteArray randomImage(quint32 seed);
// The .TPD file of an image: header 'A', locations 1 to 93, every byte XORed with 'K'.
QByteArray tpdFile(const QByteArray& image);
