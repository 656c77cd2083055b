// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolIo.h"
#include "cli/ToolOptions.h"
#include "emulators/EmulatorKey.h"

#include <QStringList>

class EmulatorExport;

// The commands between a configuration's panel roles and the emulators: mame and retroarch
// write the emulator's key map, keys takes the keys from one. What an emulator cannot be
// told is a warning, and the command then ends with Incomplete although it wrote its file.
class EmulatorCommands : public ToolIo {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    using ToolIo::ToolIo;

    int mame(const ToolOptions& o) { return exportMap(o, Emulator::Mame); }
    int retroArch(const ToolOptions& o) { return exportMap(o, Emulator::RetroArch); }
    int keys(const ToolOptions& o);

private:
    int exportMap(const ToolOptions& o, Emulator emulator);
    int writeMap(const EmulatorExport& map, const QString& out);
    int mergeMap(const EmulatorExport& map, const QString& out);
    // Each warning on its own line; Incomplete when there were any, else `status`.
    int warned(const QStringList& warnings, int status);
};
