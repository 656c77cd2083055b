// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A sysfs tree in a temporary folder with just what the access layer reads: for each hidraw
// node the link to its HID device, below a USB interface and a USB device with a devnum.
class FakeSysfs {
public:
    QString root() const { return m_dir.path(); }
    // hidrawN belongs to the USB device in `port` (such as "1-2"), numbered `devnum`.
    void attach(const QString& node, const QString& port, int devnum);
    void detach(const QString& node);

private:
    QTemporaryDir m_dir;
};
