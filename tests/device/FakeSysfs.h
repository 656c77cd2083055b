// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A sysfs tree in a temporary folder with just what the access layer reads: for each hidraw
// node the link to its HID device (with its report descriptor), below a USB interface and a
// USB device with a devnum.
class FakeSysfs {
public:
    // An encoder's vendor interface: output report 2 of five bytes takes the requests.
    static QByteArray encoderDescriptor();
    // A boot keyboard: no output report 2, so not an encoder whatever its product number.
    static QByteArray keyboardDescriptor();

    QString root() const { return m_dir.path(); }
    // hidrawN belongs to the USB device in `port` (such as "1-2"), numbered `devnum`.
    void attach(const QString& node, const QString& port, int devnum,
                const QByteArray& descriptor = encoderDescriptor());
    void detach(const QString& node);
    // An input device below hidrawN's HID device with the event node `event` ("event4"),
    // whose key capabilities are `keys` as sysfs words them ("" for none).
    void addInput(const QString& node, const QString& event, const QByteArray& keys);

private:
    QTemporaryDir m_dir;
};
