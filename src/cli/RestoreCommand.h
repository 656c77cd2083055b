// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/UnitCommands.h"
#include "files/RestoreJournal.h"
#include "identify/IdentifySession.h"

// `tarvenpad restore`: puts back, or forgets, what identify kept for a unit.
class RestoreCommand : public UnitCommands {
    // The tool's classes share one translation context, so that the catalogue keeps each of
    // its texts where it was before the commands had classes of their own.
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    explicit RestoreCommand(const UnitCommands& base) : UnitCommands(base) {}
    int run(const ToolOptions& o);

private:
    // What restore says of one entry; its exit status.
    int restored(int unit, const JournalEntry& entry, const IdentifySession::Outcome& outcome);
    int forget(RestoreJournal& journal, const QList<JournalEntry>& entries);
};
