// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSysfs.h"

#include <QDir>
#include <QFile>

void FakeSysfs::attach(const QString& node, const QString& port, int devnum) {
    const QString usb = m_dir.filePath("devices/usb1/" + port);
    const QString hid = usb + "/" + port + ":1.0/0003:1234:3650." + node;
    QDir().mkpath(hid);
    QFile number(usb + "/devnum");
    if (number.open(QIODevice::WriteOnly | QIODevice::Truncate))
        number.write(QByteArray::number(devnum) + '\n');
    const QString classDir = m_dir.filePath("class/hidraw/" + node);
    QDir().mkpath(classDir);
    QFile::remove(classDir + "/device");
    QFile::link(hid, classDir + "/device");
}

void FakeSysfs::detach(const QString& node) {
    QDir(m_dir.filePath("class/hidraw/" + node)).removeRecursively();
}
