// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolOptions.h"

#include <QString>
#include <QStringList>
#include <span>

class DocumentCommands;
class EmulatorCommands;
class UnitCommands;

// What a command runs with: the three kinds of command and the parsed options.
struct ToolContext {
    DocumentCommands& documents;
    UnitCommands& units;
    EmulatorCommands& emulators;
    const ToolOptions& options;
};

// One command of the tool: what the dispatch runs, and what the help says of it. Both read
// this one table, so that what is accepted and what is documented cannot drift apart.
struct ToolCommand {
    const char* name;
    const char* synopsis;
    const char* summary; // translated where it is shown
    QStringList options; // the options that apply, without their dashes
    // Runs the command; nullptr for help, which the dispatch answers itself.
    int (*run)(const ToolContext& c);
    // What only the command's own help says, translated there; nullptr for nothing.
    const char* details = nullptr;

    // The arguments the command takes, read from its synopsis, so that what is checked is
    // what the help shows: words in capitals are arguments, optional within brackets,
    // except an option's value. Of alternatives ("preset NAME OUT | preset --list"), the
    // one whose options are all given, or else the first, with the options it lacks.
    struct Arguments {
        QStringList required;
        QStringList optional;
        QStringList options; // options the synopsis requires that were not given ("--from SOURCE")
    };
    Arguments arguments(const QStringList& optionsGiven) const;
};

std::span<const ToolCommand> ToolCommands();
// The command of that name, or nullptr.
const ToolCommand* FindToolCommand(const QString& name);
