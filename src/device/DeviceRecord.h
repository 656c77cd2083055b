// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The access layer's own record of an open unit. Callers only hand it back.
struct DeviceRecord {
    quint32 words[5] = {};
};
