// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw/EvdevKeySource.h"

#include "hidraw/SysfsDevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace {

const int Letters[] = {KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I,
                       KEY_J, KEY_K, KEY_L, KEY_M, KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R,
                       KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z};

// Whether an input device's key capabilities (sysfs "capabilities/key": words of the bit map
// in hex, the highest first) include every letter: a keyboard, not the unit's mouse or
// another interface that only has buttons. The words are the kernel's longs, which a 32-bit
// program on a 64-bit kernel cannot know the size of: either size will do here, and the
// node's own bit query confirms it once the node is open.
bool hasLetterKeys(const QString& capabilitiesFile) {
    QFile file(capabilitiesFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> words = file.readAll().trimmed().split(' ');
    const auto letters = [&](int wordBits) {
        return std::all_of(std::begin(Letters), std::end(Letters), [&](int code) {
            const qsizetype word = words.size() - 1 - code / wordBits;
            bool ok = false;
            const qulonglong value = word < 0 ? 0 : words[word].toULongLong(&ok, 16);
            return ok && ((value >> (code % wordBits)) & 1);
        });
    };
    return letters(64) || letters(32);
}

// The same asked of an open event node, in bytes, whatever the word sizes.
bool nodeHasLetterKeys(int fd) {
    unsigned char bits[KEY_MAX / 8 + 1]{};
    if (::ioctl(fd, EVIOCGBIT(EV_KEY, sizeof bits), bits) < 0)
        return false;
    return std::all_of(std::begin(Letters), std::end(Letters),
                       [&](int code) { return (bits[code / 8] >> (code % 8)) & 1; });
}

} // namespace

EvdevKeySource::~EvdevKeySource() {
    closeAll();
}

QStringList EvdevKeySource::eventNodesFor(const QString& hidrawNode, const QString& sysRoot) {
    // The unit's keyboard nodes lie below its USB device, whose interfaces are all the
    // unit's, or off USB below its HID device: never another device's.
    const QString device = SysfsDevice::of(hidrawNode, sysRoot).owner();
    if (device.isEmpty())
        return {};
    QStringList nodes;
    const QDir inputs(sysRoot + QStringLiteral("/class/input"));
    for (const QString& event :
         inputs.entryList({QStringLiteral("event*")}, QDir::Dirs | QDir::System, QDir::Name)) {
        // class/input/eventN leads to .../inputM/eventN below the device it belongs to.
        const QString path = QFileInfo(inputs.filePath(event)).canonicalFilePath();
        if (!path.startsWith(device + QLatin1Char('/')))
            continue;
        if (hasLetterKeys(path + QStringLiteral("/../capabilities/key")))
            nodes << QStringLiteral("/dev/input/") + event;
    }
    // eventN in the order of N.
    std::sort(nodes.begin(), nodes.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return nodes;
}

std::unique_ptr<EvdevKeySource> EvdevKeySource::open(const QString& hidrawNode, Failure& failure,
                                                     QObject* parent) {
    failure = {};
    const QStringList nodes = eventNodesFor(hidrawNode);
    if (nodes.isEmpty()) {
        failure.kind = Failure::Kind::NoKeyboard;
        return nullptr;
    }
    std::unique_ptr<EvdevKeySource> source(new EvdevKeySource(parent));
    for (const QString& path : nodes) {
        const int fd =
            ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 || ::ioctl(fd, EVIOCGRAB, 1) != 0) {
            const int error = errno;
            failure.node = path;
            failure.systemError = error;
            failure.kind = fd >= 0 && error == EBUSY           ? Failure::Kind::Busy
                           : error == EACCES || error == EPERM ? Failure::Kind::AccessDenied
                                                               : Failure::Kind::OpenFailed;
            if (fd >= 0)
                ::close(fd);
            return nullptr; // the nodes opened so far close with the source
        }
        if (!nodeHasLetterKeys(fd)) {
            ::close(fd); // closing ends the grab
            continue;
        }
        Node node{fd, new QSocketNotifier(fd, QSocketNotifier::Read, source.get())};
        source->m_nodes.append(node);
        EvdevKeySource* self = source.get();
        connect(node.notifier, &QSocketNotifier::activated, self,
                [self, fd] { self->readEvents(fd); });
    }
    if (source->m_nodes.isEmpty()) {
        failure.kind = Failure::Kind::NoKeyboard;
        return nullptr;
    }
    return source;
}

void EvdevKeySource::readEvents(int fd) {
    input_event events[64];
    for (;;) {
        const ssize_t n = ::read(fd, events, sizeof events);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n <= 0) {
            // ENODEV: the unit was pulled out; anything else ends the node as well.
            const int error = n < 0 ? errno : 0;
            closeAll();
            if (!std::exchange(m_lost, true))
                emit lost(error == ENODEV || error == 0
                              ? tr("the unit was pulled out")
                              : tr("its keyboard stopped answering: %1")
                                    .arg(QString::fromLocal8Bit(std::strerror(error))));
            return;
        }
        for (size_t i = 0; i < size_t(n) / sizeof(input_event); ++i)
            // Value 1 only: 2 is the key held down and repeating, 0 its release.
            if (events[i].type == EV_KEY && events[i].value == 1)
                emit pressed(int(events[i].code));
        if (m_nodes.isEmpty())
            return; // a slot of a receiver closed the source
    }
}

void EvdevKeySource::closeAll() {
    for (Node& node : m_nodes) {
        // Possibly within its own signal: stopped now, deleted once that has returned.
        node.notifier->setEnabled(false);
        node.notifier->deleteLater();
        // Closing ends the grab.
        ::close(node.fd);
    }
    m_nodes.clear();
}
