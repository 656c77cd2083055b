// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/FormatSerial.h"

QString FormatSerial(const SerialBytes& bytes) {
    QString text;
    int digitSum = 0;
    for (unsigned char b : bytes) {
        if (b == 0)
            break;
        text.append(QChar::fromLatin1(char(b)));
        if (b >= '0' && b <= '9')
            digitSum += b - '0';
    }
    while (text.size() > 1 && text.startsWith(QLatin1Char('0')))
        text.remove(0, 1);
    return text + QString::number(digitSum % 10);
}
