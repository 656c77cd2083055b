// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/TerminalProgress.h"
#include "device/DeviceLink.h"
#include "device/HidAccess.h"
#include "device/UnitListScope.h"

#include <QTextStream>
#include <memory>

// What a unit command works with, built once for it: the access, one numbering of the units
// for as long as the command runs, the progress on standard error and the link over them.
class UnitContext {
public:
    UnitContext(std::unique_ptr<HidAccess> access, QTextStream& err, bool showProgress)
        : access(std::move(access)), scope(*this->access), progress(err, showProgress),
          link(*this->access, progress, progress) {}
    UnitContext(const UnitContext&) = delete;
    UnitContext& operator=(const UnitContext&) = delete;

    const std::unique_ptr<HidAccess> access;
    UnitListScope scope;
    TerminalProgress progress;
    DeviceLink link;
};
