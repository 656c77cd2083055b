// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StandardStreams.h"

#include <QFileDevice>
#include <QTextStream>
#include <cerrno>
#include <cstring>
#include <unistd.h>

QString StandardStreams::readInput(QByteArray& bytes) {
    QByteArray data;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return tr("cannot read standard input: %1")
                .arg(QString::fromLocal8Bit(std::strerror(errno)));
        if (n == 0)
            break;
        data.append(buffer, n);
        if (data.size() > InputLimit)
            return tr("standard input: more than 1 MiB, not a configuration");
    }
    bytes = data;
    return {};
}

QString StandardStreams::writeOutput(QTextStream& out, const QByteArray& bytes) {
    out.flush();
    QIODevice* device = out.device();
    if (!device)
        return tr("cannot write standard output: not a device");
    // A file device keeps its own buffer; only its flush tells whether the bytes got out.
    auto* file = qobject_cast<QFileDevice*>(device);
    if (device->write(bytes) != bytes.size() || (file && !file->flush()))
        return tr("cannot write standard output: %1").arg(device->errorString());
    return {};
}
