// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/UnitCommands.h"

// `tarvenpad identify`: opens the chosen unit's keyboard and runs UnitIdentify on it.
class IdentifyCommand : public UnitCommands {
    // The tool's classes share one translation context, so that the catalogue keeps each of
    // its texts where it was before the commands had classes of their own.
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    explicit IdentifyCommand(const UnitCommands& base) : UnitCommands(base) {}
    int run(const ToolOptions& o);

private:
    int keyboardFailure(int unit, const KeyPressSource::Failure& failure);
};
