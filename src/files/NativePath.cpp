// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/NativePath.h"

#include "files/Utf8Sequence.h"

QString PathFromNative(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned lead = p[i];
        if (lead < 0x80) {
            out += QChar(char16_t(lead));
            ++i;
            continue;
        }
        const Utf8Sequence sequence = DecodeUtf8Sequence(p + i, n - i);
        const bool valid = sequence.length > 0;
        const char32_t cp = sequence.codePoint;
        const int length = sequence.length;
        if (!valid) {
            out += QChar(char16_t(0xDC00 + lead)); // the byte itself, 0x80 to 0xFF
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += QChar(QChar::highSurrogate(cp));
            out += QChar(QChar::lowSurrogate(cp));
        } else {
            out += QChar(char16_t(cp));
        }
        i += length;
    }
    return out;
}

QByteArray NativePath(const QString& path) {
    QByteArray out;
    out.reserve(path.size());
    qsizetype run = 0; // start of the characters not yet converted
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < path.size() &&
            QChar::isLowSurrogate(path.at(i + 1).unicode())) {
            ++i; // a pair: one character, converted with its run
            continue;
        }
        if (u >= 0xDC80 && u <= 0xDCFF) {
            out += QStringView(path).mid(run, i - run).toUtf8();
            out += char(u - 0xDC00);
            run = i + 1;
        }
    }
    out += QStringView(path).mid(run).toUtf8();
    return out;
}

QStringList ArgumentsFromNative(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << PathFromNative(QByteArray(argv[i]));
    return arguments;
}
