// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The suite's own reader of a saved configuration file: 94 bytes, each XORed with 'K'; a
// header 'A', then a modifier byte and a key code for each of the 46 slots, then the options.
struct TpdImage {
    bool valid = false;
    QByteArray bytes; // unmasked

    static TpdImage read(const QString& path) {
        TpdImage image;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return image;
        image.bytes = f.read(94);
        for (char& c : image.bytes)
            c = char(c ^ 'K');
        image.valid = image.bytes.size() == 94 && image.bytes[0] == 'A';
        return image;
    }
    int key(int slot) const { return quint8(bytes[2 + 2 * slot]); }
    int modifiers(int slot) const { return quint8(bytes[1 + 2 * slot]); }
    int options() const { return quint8(bytes[93]); }
};
