// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeHidapi.h"
#include "device/Protocol.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

// An encoder behind the fake hidapi at /dev/hidrawN: serial characters "000" and `serial`
// (shown as that digit and its check digit), and a memory that keeps what is stored, so that
// a read back agrees with the write before it.
inline fakehid::Device fakeEncoder(int node, char serial) {
    fakehid::Device d;
    d.path = QString("/dev/hidraw%1").arg(node);
    auto memory = std::make_shared<QByteArray>(95, '\0');
    d.respond = [serial, memory](const QByteArray& request) {
        QByteArray reply = request.leftJustified(8, '\0');
        const int location = quint8(request[3]);
        if (quint8(request[1]) == Protocol::SerialCommand)
            reply = QByteArray("\x02"
                               "000") +
                    serial;
        else if (quint8(request[1]) == Protocol::StoreCommand && location <= 94)
            (*memory)[location] = request[4];
        else if (quint8(request[1]) == Protocol::FetchCommand && location <= 94)
            reply[5] = (*memory)[location];
        return QList<QByteArray>{reply.leftJustified(8, '\0')};
    };
    return d;
}
