// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolStatus.h"
#include "cli/UnitWatch.h"
#include "files/ConfigFile.h"

#include <QCoreApplication>
#include <QString>

struct DeviceImage;
class HidAccess;
struct OpenFailure;
class TerminalProgress;

// Programming one unit as `write` and `watch` do it: an optional backup, the write, the read
// back and the comparison of every byte, ending in one outcome.
class UnitProgramming : public ToolStatus {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    struct Outcome {
        int status = Success;
        QString message; // what went wrong, or empty
    };

    // Backs up into the .TPD file `backup` (none when empty; one whose panel roles cannot be
    // read only as `unreadable` says), writes, reads back and compares unit `unit`. Safe to
    // run for several units at once, each on its own thread.
    static Outcome program(HidAccess& access, TerminalProgress& progress, int unit,
                           const DeviceImage& image, const QString& backup,
                           UnreadableRoles unreadable = UnreadableRoles::Refuse);
    // One plug-in for `watch`: a unit that holds the image already is only read (every write
    // wears its memory); any other is programmed. Talks to the unit at `node` alone.
    static UnitWatch::Outcome programPlugIn(HidAccess& access, const QString& node,
                                            const DeviceImage& image);
    // A transfer that found no unit, with what the access layer knows of why.
    static Outcome notFound(HidAccess& access, const QString& what);
    // How bad an outcome is for --all: a unit left holding something wrong outranks one that
    // was left untouched.
    static int severity(int status);
    // Of two exit statuses, the one --all reports: the more severe, the first of equals.
    static int worse(int a, int b);
    // Why an open failed, in the tool's words: the device node and the system's reason.
    static QString failureDetail(const OpenFailure& why);
};
