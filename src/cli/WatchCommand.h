// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/UnitCommands.h"

// `tarvenpad watch`: the command around UnitWatch, which programs each unit plugged in.
class WatchCommand : public UnitCommands {
    // The tool's classes share one translation context, so that the catalogue keeps each of
    // its texts where it was before the commands had classes of their own.
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    explicit WatchCommand(const UnitCommands& base) : UnitCommands(base) {}
    int run(const ToolOptions& o);
};
