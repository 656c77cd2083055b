// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/AuxOptions.h"

quint8 EncodeOptions(const AuxOptions& o) {
    return quint8((o.reverseX ? 1 : 0) | (o.reverseY ? 2 : 0) | (o.activeHigh ? 4 : 0) |
                  (o.rotaryOnAux ? 8 : 0) | (o.relayOnAux ? 16 : 0));
}

AuxOptions DecodeOptions(quint8 v) {
    AuxOptions o;
    o.reverseX = v & 1;
    o.reverseY = v & 2;
    o.activeHigh = v & 4;
    o.rotaryOnAux = v & 8;
    o.relayOnAux = v & 16;
    return o;
}
