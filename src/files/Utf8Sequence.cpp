// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Utf8Sequence.h"

Utf8Sequence DecodeUtf8Sequence(const unsigned char* p, qsizetype available) {
    if (available < 1)
        return {};
    const unsigned lead = p[0];
    int length = 0;
    char32_t cp = 0, least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        least = 0x10000;
    } else {
        return {};
    }
    if (length > available)
        return {};
    for (int k = 1; k < length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return {};
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return {length, cp};
}
