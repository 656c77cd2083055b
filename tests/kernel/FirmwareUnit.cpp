// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirmwareUnit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void settleUdev() {
    QProcess::execute(QStringLiteral("udevadm"), {QStringLiteral("settle"), "--timeout=20"});
}

FirmwareUnit::FirmwareUnit(int controller, const QString& serial, const QStringList& options,
                           const QByteArray& memory)
    : m_serial(serial), m_name(QStringLiteral("unit%1").arg(controller)),
      m_dir(QStringLiteral("/tmp/units/%1").arg(m_name)) {
    QDir(m_dir).removeRecursively();
    QDir().mkpath(m_dir);
    if (!memory.isEmpty()) {
        QFile f(m_dir + "/memory");
        if (f.open(QIODevice::WriteOnly))
            f.write(memory);
    }
    m_firmware.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{"--udc",    QStringLiteral("dummy_udc.%1").arg(controller),
                          "--name",   m_name,
                          "--serial", serial,
                          "--memory", m_dir + "/memory",
                          "--log",    m_dir + "/log"};
    if (options.contains("--keyboard") || options.contains("--foreign"))
        arguments << "--press" << m_dir + "/press";
    m_firmware.start(QStringLiteral(FIRMWARE), arguments + options);
}

FirmwareUnit::~FirmwareUnit() {
    unplug();
}

bool FirmwareUnit::plugged() {
    if (!m_firmware.waitForReadyRead(20000) || !m_firmware.readLine().startsWith("ready"))
        return false;
    QElapsedTimer t;
    t.start();
    while (node().isEmpty() && t.elapsed() < 20000)
        QThread::msleep(50);
    settleUdev();
    return !node().isEmpty();
}

QString FirmwareUnit::node() const {
    // The kernel gives a HID device the USB serial string (or uhid's) as its uniq.
    const QString uniq = QStringLiteral("HID_UNIQ=%1\n").arg(m_serial);
    const QDir hidraw(QStringLiteral("/sys/class/hidraw"));
    QString any;
    for (const QString& n : hidraw.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString device = hidraw.filePath(n) + "/device/";
        if (!readAll(device + "uevent").contains(uniq.toLatin1()))
            continue;
        if (readAll(device + "report_descriptor").startsWith(QByteArray("\x06\x00\xFF", 3)))
            return "/dev/" + n;
        any = "/dev/" + n;
    }
    return any;
}

QStringList FirmwareUnit::eventNodes() const {
    const QString hidraw = node();
    if (hidraw.isEmpty())
        return {};
    QDir device(QFileInfo("/sys/class/hidraw/" + QFileInfo(hidraw).fileName() + "/device")
                    .canonicalFilePath());
    if (QFileInfo::exists(device.filePath("../bInterfaceNumber")))
        device.setPath(device.filePath("../.."));
    const QString below = device.canonicalPath() + '/';
    QStringList nodes;
    const QDir input(QStringLiteral("/sys/class/input"));
    for (const QString& n : input.entryList({"event*"}, QDir::Dirs | QDir::System))
        if (QFileInfo(input.filePath(n)).canonicalFilePath().startsWith(below))
            nodes << "/dev/input/" + n;
    return nodes;
}

QByteArray FirmwareUnit::memory() const {
    return readAll(m_dir + "/memory");
}

QList<QPair<double, QString>> FirmwareUnit::timedRequests() const {
    QList<QPair<double, QString>> lines;
    for (const QByteArray& line : readAll(m_dir + "/log").split('\n')) {
        const int space = line.indexOf(' ');
        if (space > 0)
            lines.append({line.left(space).toDouble(), QString::fromLatin1(line.mid(space + 1))});
    }
    return lines;
}

QStringList FirmwareUnit::requests() const {
    QStringList texts;
    for (const auto& [ms, text] : timedRequests())
        texts << text;
    return texts;
}

void FirmwareUnit::unplug() {
    if (m_firmware.state() == QProcess::NotRunning)
        return;
    m_firmware.terminate();
    if (!m_firmware.waitForFinished(10000))
        m_firmware.kill();
    m_firmware.waitForFinished(5000);
    settleUdev();
}

void FirmwareUnit::replug() {
    ::kill(pid_t(m_firmware.processId()), SIGUSR1);
}

bool FirmwareUnit::press(int slot) {
    // Without blocking: a firmware that has ended leaves a FIFO with no reader.
    const int fd = ::open(qPrintable(m_dir + "/press"), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    const QByteArray line = QByteArray::number(slot) + '\n';
    const bool sent = fd >= 0 && ::write(fd, line.data(), size_t(line.size())) == line.size();
    if (fd >= 0)
        ::close(fd);
    return sent;
}

QString FirmwareUnit::serialText() const {
    QString text;
    int sum = 0;
    for (QChar c : m_serial) {
        text += c;
        sum += c.isDigit() ? c.digitValue() : 0;
    }
    while (text.size() > 1 && text.startsWith('0'))
        text.remove(0, 1);
    return text + QString::number(sum % 10);
}

QByteArray randomImage(quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray image(94, 0);
    for (int slot = 0; slot < 46; ++slot) {
        const int modifiers = int(random.bounded(16));
        image[2 * slot] = char(slot < 36 && (modifiers & 7) ? modifiers | 8 : modifiers);
        image[2 * slot + 1] = char(random.bounded(256));
    }
    image[92] = char(random.bounded(32));
    return image;
}

QByteArray tpdFile(const QByteArray& image) {
    QByteArray file = 'A' + image.left(93);
    for (char& c : file)
        c = char(c ^ 'K');
    return file;
}
