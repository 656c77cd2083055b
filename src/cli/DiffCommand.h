// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/UnitCommands.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// `tarvenpad diff`: a file against what a unit holds, as the window's Compare sees them, or
// two files, their panel roles too.
class DiffCommand : public UnitCommands {
    // The tool's classes share one translation context, so that the catalogue keeps each of
    // its texts where it was before the commands had classes of their own.
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    explicit DiffCommand(const UnitCommands& base) : UnitCommands(base) {}
    int run(const ToolOptions& o);
    // Two files: no unit is looked for.
    int compareFiles(const ToolOptions& o);

private:
    // The JSON object, or else the lines and the summary line; Differs when there are lines.
    int answer(const ToolOptions& o, const QStringList& lines, const QJsonObject& json,
               const QString& summary);
};
