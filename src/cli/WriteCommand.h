// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/UnitCommands.h"
#include "cli/UnitProgramming.h"

#include <QStringList>
#include <optional>
#include <vector>

struct DeviceImage;

// `tarvenpad write`: one unit or all of them, each backed up first when asked, and the report.
class WriteCommand : public UnitCommands {
    // The tool's classes share one translation context, so that the catalogue keeps each of
    // its texts where it was before the commands had classes of their own.
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    explicit WriteCommand(const UnitCommands& base) : UnitCommands(base) {}
    int run(const ToolOptions& o);

private:
    // Each unit that may be opened, backed up first where asked; the units this user may not
    // open are left out, with an empty outcome.
    std::vector<UnitProgramming::Outcome> program(UnitContext& c, const QList<ListedUnit>& targets,
                                                  const DeviceImage& image,
                                                  const QStringList& backups,
                                                  UnreadableRoles unreadable);
    // --backup's pattern for each unit; empty when two units would share a file.
    std::optional<QStringList> backupPaths(const QString& pattern,
                                           const QList<ListedUnit>& targets);
    // The --all report: a line per unit, and the worst outcome as the status.
    int report(const ToolOptions& o, const QList<ListedUnit>& targets,
               const std::vector<UnitProgramming::Outcome>& outcomes);
};
