// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSysfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QByteArray FakeSysfs::encoderDescriptor() {
    return QByteArray::fromHex("0600ff 0901 a101 1500 26ff00 7508 9505 8501 0902 8102"
                               "8502 0901 8102 0901 9102 c0");
}

QByteArray FakeSysfs::keyboardDescriptor() {
    return QByteArray::fromHex("0501 0906 a101 0507 19e0 29e7 1500 2501 7501 9508 8102 9501"
                               "7508 8101 9505 7501 0508 1901 2905 9102 9501 7503 9101 9506"
                               "7508 1500 2565 0507 1900 2965 8100 c0");
}

void FakeSysfs::attach(const QString& node, const QString& port, int devnum,
                       const QByteArray& descriptor) {
    const QString usb = m_dir.filePath("devices/usb1/" + port);
    const QString hid = usb + "/" + port + ":1.0/0003:1234:3650." + node;
    QDir().mkpath(hid);
    QFile number(usb + "/devnum");
    if (number.open(QIODevice::WriteOnly | QIODevice::Truncate))
        number.write(QByteArray::number(devnum) + '\n');
    QFile(usb + "/" + port + ":1.0/bInterfaceNumber").open(QIODevice::WriteOnly);
    QFile report(hid + "/report_descriptor");
    if (report.open(QIODevice::WriteOnly | QIODevice::Truncate))
        report.write(descriptor);
    const QString classDir = m_dir.filePath("class/hidraw/" + node);
    QDir().mkpath(classDir);
    QFile::remove(classDir + "/device");
    QFile::link(hid, classDir + "/device");
}

void FakeSysfs::detach(const QString& node) {
    QDir(m_dir.filePath("class/hidraw/" + node)).removeRecursively();
}

void FakeSysfs::addInput(const QString& node, const QString& event, const QByteArray& keys) {
    const QString input =
        QFileInfo(m_dir.filePath("class/hidraw/" + node + "/device")).canonicalFilePath() +
        "/input/input" + event.mid(5);
    QDir().mkpath(input + "/capabilities");
    QDir().mkpath(input + "/" + event);
    QFile key(input + "/capabilities/key");
    if (key.open(QIODevice::WriteOnly))
        key.write(keys + '\n');
    QDir().mkpath(m_dir.filePath("class/input"));
    QFile::link(input + "/" + event, m_dir.filePath("class/input/" + event));
}
