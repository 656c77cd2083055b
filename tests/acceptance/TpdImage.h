// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>

// The suite's own reader of a saved configuration file: 94 bytes, each XORed with 'K'; a
// header 'A', then a modifier byte and a key code for each of the 46 slots, then the options.
// Then, unmasked, the roles: "TPRL", a version byte (1), the text's length and its CRC-16
// (ISO 3309) as little-endian 16 bits, and the text's lines "SLOT<TAB>KEY<TAB>LABEL<LF>".
struct TpdImage {
    bool valid = false;
    QByteArray bytes;                 // unmasked
    QMap<int, QString> roles, labels; // by slot; none unless the block's sum is right

    static TpdImage read(const QString& path) {
        TpdImage image;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return image;
        image.bytes = f.read(94);
        for (char& c : image.bytes)
            c = char(c ^ 'K');
        image.valid = image.bytes.size() == 94 && image.bytes[0] == 'A';
        const QByteArray tail = f.readAll();
        const auto at = [&tail](int i) { return i < tail.size() ? quint8(tail[i]) : 0; };
        const QByteArray text = tail.mid(9, at(5) | at(6) << 8);
        if (!tail.startsWith("TPRL") || at(4) != 1 || crc16(text) != (at(7) | at(8) << 8))
            return image;
        for (const QByteArray& line : text.split('\n'))
            if (const QList<QByteArray> field = line.split('\t'); field.size() == 3) {
                image.roles[field[0].toInt()] = QString::fromUtf8(field[1]);
                image.labels[field[0].toInt()] = QString::fromUtf8(field[2]);
            }
        return image;
    }
    // Bit by bit, as the standard gives it: reflected 0x1021, from and XORed with 0xFFFF.
    static int crc16(const QByteArray& data) {
        quint16 crc = 0xFFFF;
        for (const char c : data) {
            crc ^= quint8(c);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
        }
        return quint16(~crc);
    }
    int key(int slot) const { return quint8(bytes[2 + 2 * slot]); }
    int modifiers(int slot) const { return quint8(bytes[1 + 2 * slot]); }
    int options() const { return quint8(bytes[93]); }
};
