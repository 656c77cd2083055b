// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How the AUX port is used; one bit each in the options byte.
struct AuxOptions {
    bool reverseX = false;
    bool reverseY = false;
    bool activeHigh = false;
    bool rotaryOnAux = false;
    bool relayOnAux = false;

    bool operator==(const AuxOptions&) const = default;
};

quint8 EncodeOptions(const AuxOptions& options);
// Bits 5 to 7 carry nothing and are ignored.
AuxOptions DecodeOptions(quint8 value);
