// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw/SysfsDevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

SysfsDevice SysfsDevice::of(const QString& hidrawNode, const QString& sysRoot) {
    SysfsDevice device;
    const QString name = QFileInfo(hidrawNode).fileName();
    if (!name.startsWith(QLatin1String("hidraw")))
        return device;
    device.m_hid = QFileInfo(sysRoot + QStringLiteral("/class/hidraw/%1/device").arg(name))
                       .canonicalFilePath();
    if (device.m_hid.isEmpty())
        return device;
    // On USB the HID device's parent is the interface and that one's parent the USB device.
    QDir dir(device.m_hid);
    if (!dir.cdUp() || !QFileInfo::exists(dir.filePath(QStringLiteral("bInterfaceNumber"))) ||
        !dir.cdUp())
        return device;
    QFile devnum(dir.filePath(QStringLiteral("devnum")));
    if (!devnum.open(QIODevice::ReadOnly))
        return device;
    device.m_usb = dir.absolutePath();
    device.m_devnum = QString::fromLatin1(devnum.readAll().trimmed());
    return device;
}
