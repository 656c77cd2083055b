// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/KeyCodes.h"

#include <QCoreApplication>
#include <algorithm>

const KeyCodeEntry* FindKeyCode(int code) {
    auto it = std::find_if(KeyCodeTable.begin(), KeyCodeTable.end(),
                           [code](const KeyCodeEntry& e) { return e.code == code; });
    return it == KeyCodeTable.end() ? nullptr : &*it;
}

QString KeyCodeName(double code) {
    // Taken as any number, so that no conversion on the way in can turn a value outside the
    // table (a fraction, a negative, NaN) into a code with a name: only an exact whole
    // number from 0 to 255 matches a row.
    if (!(code >= 0 && code <= 255) || code != static_cast<int>(code))
        return QString();
    const KeyCodeEntry* e = FindKeyCode(static_cast<int>(code));
    return e ? QCoreApplication::translate("KeyName", e->name) : QString();
}

QString KeyCodeFileName(int code) {
    const KeyCodeEntry* e = FindKeyCode(code);
    return e ? PlainKeyText(QString::fromLatin1(e->name)) : QString();
}

QString KeycapLabel(int code) {
    const KeyCodeEntry* e = FindKeyCode(code);
    return e ? QCoreApplication::translate("Keycap", e->label) : QString();
}

QString PlainKeyText(const QString& caption) {
    QString text = caption;
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}
