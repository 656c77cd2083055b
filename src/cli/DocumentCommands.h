// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolIo.h"
#include "cli/ToolOptions.h"

// The commands that work on documents alone: show, import, export, legend and preset.
class DocumentCommands : public ToolIo {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    using ToolIo::ToolIo;

    int show(const ToolOptions& o);
    // import (to a .TPD) and export (to JSON).
    int convert(const ToolOptions& o, Format to);
    int legend(const ToolOptions& o);
    int preset(const ToolOptions& o);
};
