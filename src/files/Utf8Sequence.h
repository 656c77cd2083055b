// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// One multi-byte UTF-8 sequence: what file names and JSON text both have to check strictly.
struct Utf8Sequence {
    int length = 0; // 2 to 4; 0 when the bytes are no valid sequence
    char32_t codePoint = 0;
};

// The sequence that starts at `p`, with `available` bytes there. Overlong forms, surrogates,
// code points past U+10FFFF and sequences cut short are not valid.
Utf8Sequence DecodeUtf8Sequence(const unsigned char* p, qsizetype available);
