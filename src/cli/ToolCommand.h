// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolOptions.h"

#include <QString>
#include <QStringList>
#include <span>

class DocumentCommands;
class UnitCommands;

// One command of the tool: what the dispatch runs, and what the help says of it. Both read
// this one table, so that what is accepted and what is documented cannot drift apart.
struct ToolCommand {
    const char* name;
    const char* synopsis;
    const char* summary; // translated where it is shown
    QStringList options; // the options that apply, without their dashes
    // Whether the arguments after the command's name fit it.
    bool (*fits)(const ToolOptions& o);
    // Runs the command; nullptr for help, which the dispatch answers itself.
    int (*run)(DocumentCommands& documents, UnitCommands& units, const ToolOptions& o);
};

std::span<const ToolCommand> ToolCommands();
// The command of that name, or nullptr.
const ToolCommand* FindToolCommand(const QString& name);
