// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ToolCommand.h"

#include "cli/DocumentCommands.h"
#include "cli/UnitCommands.h"

#include <QCoreApplication>

namespace {

const QStringList UnitOptions{"emulate", "emulate-fault", "demo", "trace"};

bool files(const ToolOptions& o, qsizetype count) {
    return o.files.size() == count;
}

// The summaries are translated in CommandLineOptions' context, where the help is built.
const ToolCommand Commands[] = {
    {"units", "units [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "list the attached units: number and serial number, or\n"
                       "'-' and the reason when this user may not open one"),
     QStringList{"json"} + UnitOptions, [](const ToolOptions& o) { return files(o, 0); },
     [](DocumentCommands&, UnitCommands& u, const ToolOptions& o) { return u.units(o); }},
    {"show",
     "show FILE [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions", "print the configuration in FILE (.TPD or JSON)"),
     {"json"},
     [](const ToolOptions& o) { return files(o, 1); },
     [](DocumentCommands& d, UnitCommands&, const ToolOptions& o) { return d.show(o); }},
    {"import",
     "import FILE.json OUT.TPD",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write the configuration of a JSON document as a .TPD file"),
     {},
     [](const ToolOptions& o) { return files(o, 2); },
     [](DocumentCommands& d, UnitCommands&, const ToolOptions& o) { return d.convert(o, false); }},
    {"export",
     "export FILE.TPD OUT.json",
     QT_TRANSLATE_NOOP("CommandLineOptions", "write the configuration of a .TPD file as JSON"),
     {},
     [](const ToolOptions& o) { return files(o, 2); },
     [](DocumentCommands& d, UnitCommands&, const ToolOptions& o) { return d.convert(o, true); }},
    {"write", "write FILE [--unit N | --serial S | --all] [--backup PATTERN]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write FILE (.TPD or JSON) into a unit, read it back and\n"
                       "compare; with several units attached, name one or use --all"),
     QStringList{"unit", "serial", "all", "backup"} + UnitOptions,
     [](const ToolOptions& o) { return files(o, 1); },
     [](DocumentCommands&, UnitCommands& u, const ToolOptions& o) { return u.write(o); }},
    {"read", "read OUT.TPD [--unit N | --serial S]",
     QT_TRANSLATE_NOOP("CommandLineOptions", "read a unit's configuration into a .TPD file"),
     QStringList{"unit", "serial"} + UnitOptions,
     [](const ToolOptions& o) { return files(o, 1) && !o.all; },
     [](DocumentCommands&, UnitCommands& u, const ToolOptions& o) { return u.read(o); }},
    {"diff", "diff FILE [--unit N | --serial S] [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "compare a unit with FILE without writing anything: each slot\n"
                       "that differs and the options; exit 7 when they differ"),
     QStringList{"unit", "serial", "json"} + UnitOptions,
     [](const ToolOptions& o) { return files(o, 1) && !o.all; },
     [](DocumentCommands&, UnitCommands& u, const ToolOptions& o) { return u.diff(o); }},
    {"watch", "watch FILE [--log PATH] [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "wait for units and program each one plugged in with FILE, unless\n"
                       "it holds FILE already; one line per unit; Ctrl+C ends it"),
     QStringList{"log", "json"} + UnitOptions, [](const ToolOptions& o) { return files(o, 1); },
     [](DocumentCommands&, UnitCommands& u, const ToolOptions& o) { return u.watch(o); }},
    {"identify", "identify [--unit N | --serial S] [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "say which input each press on the panel comes from, one line per\n"
                       "press; a temporary configuration goes on the unit when needed and\n"
                       "its own comes back when Ctrl+C ends it"),
     QStringList{"unit", "serial", "json", "trace"},
     [](const ToolOptions& o) { return files(o, 0) && !o.all; },
     [](DocumentCommands&, UnitCommands& u, const ToolOptions& o) { return u.identify(o); }},
    {"restore",
     "restore [--serial S] [--forget]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "put back the configuration that identify kept for a unit it could\n"
                       "not restore (killed, or the unit pulled out); only while the unit\n"
                       "still holds identify's temporary one, never over a newer one"),
     {"serial", "forget", "trace"},
     [](const ToolOptions& o) { return files(o, 0); },
     [](DocumentCommands&, UnitCommands& u, const ToolOptions& o) { return u.restore(o); }},
    {"legend",
     "legend FILE OUT",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "draw the legend sheet of FILE (.TPD or JSON) into OUT: PDF, SVG\n"
                       "or PNG by its extension; an OUT of - is PDF on standard output"),
     {},
     [](const ToolOptions& o) { return files(o, 2); },
     [](DocumentCommands& d, UnitCommands&, const ToolOptions& o) { return d.legend(o); }},
    {"preset",
     "preset NAME OUT | preset --list",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write the preset NAME as a configuration: JSON when OUT ends in\n"
                       ".json, a .TPD file otherwise"),
     {"list"},
     [](const ToolOptions& o) { return files(o, o.list ? 0 : 2); },
     [](DocumentCommands& d, UnitCommands&, const ToolOptions& o) { return d.preset(o); }},
    {"help",
     "help [COMMAND]",
     QT_TRANSLATE_NOOP("CommandLineOptions", "print this help, or the help of one command"),
     {},
     [](const ToolOptions& o) { return o.files.size() <= 1; },
     nullptr},
};

} // namespace

std::span<const ToolCommand> ToolCommands() {
    return Commands;
}

const ToolCommand* FindToolCommand(const QString& name) {
    for (const ToolCommand& c : Commands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}
