// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/UnitCommands.h"

struct DeviceImage;

// `tarvenpad read`: a unit's configuration into a file.
class ReadCommand : public UnitCommands {
    // The tool's classes share one translation context, so that the catalogue keeps each of
    // its texts where it was before the commands had classes of their own.
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    explicit ReadCommand(const UnitCommands& base) : UnitCommands(base) {}
    int run(const ToolOptions& o);
    // Chooses a unit as the options say and reads its image (diff reads it the same way); a
    // status other than Success has been reported already.
    int readUnit(const ToolOptions& o, int& unit, DeviceImage& image);
};
