// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidAccess.h"

// Holds one numbering of the units for the lifetime of a command.
class UnitListScope {
public:
    explicit UnitListScope(HidAccess& access) : m_access(access) { m_access.beginCommand(); }
    ~UnitListScope() { m_access.endCommand(); }
    UnitListScope(const UnitListScope&) = delete;
    UnitListScope& operator=(const UnitListScope&) = delete;

private:
    HidAccess& m_access;
};
