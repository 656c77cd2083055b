// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ToolCommand.h"

#include "cli/DocumentCommands.h"
#include "cli/EmulatorCommands.h"
#include "cli/UnitCommands.h"

#include <QCoreApplication>
#include <optional>

namespace {

const QStringList UnitOptions{"emulate", "emulate-fault", "demo", "trace"};

// The synopsis's alternatives, each without the command's name.
QStringList alternatives(const QString& synopsis) {
    QStringList found{QString()};
    int depth = 0;
    for (const QChar c : synopsis) {
        depth += c == QLatin1Char('[') ? 1 : c == QLatin1Char(']') ? -1 : 0;
        if (c == QLatin1Char('|') && depth == 0)
            found << QString();
        else
            found.last() += c;
    }
    // Each alternative after the first names the command again.
    for (qsizetype i = 1; i < found.size(); ++i)
        found[i] = found[i].trimmed().section(QLatin1Char(' '), 1);
    found[0] = found[0].section(QLatin1Char(' '), 1);
    return found;
}

// The summaries are translated in CommandLineOptions' context, where the help is built.
const ToolCommand Commands[] = {
    {"units", "units [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "list the attached units: number and serial number, or\n"
                       "'-' and the reason when this user may not open one"),
     QStringList{"json"} + UnitOptions,
     [](const ToolContext& c) { return c.units.units(c.options); }},
    {"show",
     "show FILE [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions", "print the configuration in FILE (.TPD or JSON)"),
     {"json"},
     [](const ToolContext& c) { return c.documents.show(c.options); }},
    {"import",
     "import FILE.json OUT.TPD [--replace-roles]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write the configuration of a JSON document as a .TPD file"),
     {"replace-roles"},
     [](const ToolContext& c) { return c.documents.convert(c.options, ToolIo::Format::Tpd); }},
    {"export",
     "export FILE.TPD OUT.json",
     QT_TRANSLATE_NOOP("CommandLineOptions", "write the configuration of a .TPD file as JSON"),
     {},
     [](const ToolContext& c) { return c.documents.convert(c.options, ToolIo::Format::Json); }},
    {"write", "write FILE [--unit N | --serial S | --all] [--backup PATTERN] [--replace-roles]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write FILE (.TPD or JSON) into a unit, read it back and\n"
                       "compare; with several units attached, name one or use --all"),
     QStringList{"unit", "serial", "all", "backup", "replace-roles"} + UnitOptions,
     [](const ToolContext& c) { return c.units.write(c.options); }},
    {"read", "read OUT.TPD [--unit N | --serial S] [--replace-roles]",
     QT_TRANSLATE_NOOP("CommandLineOptions", "read a unit's configuration into a .TPD file"),
     QStringList{"unit", "serial", "replace-roles"} + UnitOptions,
     [](const ToolContext& c) { return c.units.read(c.options); }},
    {"diff", "diff FILE [OTHER] [--unit N | --serial S] [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "compare a unit with FILE without writing anything, or FILE with\n"
                       "the file OTHER: each slot that differs, the options and, between\n"
                       "files, the panel roles; exit 7 when they differ"),
     QStringList{"unit", "serial", "json"} + UnitOptions,
     [](const ToolContext& c) { return c.units.diff(c.options); },
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "With OTHER no unit is read, and --unit, --serial, --emulate, --demo\n"
                       "and --trace do not apply. A unit holds no panel roles: they are\n"
                       "compared between files only")},
    {"watch", "watch FILE [--log PATH] [--json]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "wait for units and program each one plugged in with FILE, unless\n"
                       "it holds FILE already; one line per unit; Ctrl+C ends it"),
     QStringList{"log", "json"} + UnitOptions,
     [](const ToolContext& c) { return c.units.watch(c.options); }},
    {"identify",
     "identify [--unit N | --serial S] [--json | --roles SET --output FILE [--replace-roles]]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "say which input each press on the panel comes from, one line per\n"
                       "press; a temporary configuration goes on the unit when needed and\n"
                       "its own comes back when Ctrl+C ends it. With --roles, ask for\n"
                       "each control in turn and write the unit's configuration with the\n"
                       "roles learnt to FILE"),
     QStringList{"unit", "serial", "json", "roles", "output", "replace-roles", "trace"},
     [](const ToolContext& c) { return c.units.identify(c.options); },
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "--emulate and --demo do not apply: identify reads the presses from\n"
                       "the unit's own keyboard, which emulated units do not have. To try\n"
                       "Identify Inputs without a unit, use the Tools menu of\n"
                       "tarvenpad-programmer-demo")},
    {"restore",
     "restore [--serial S] [--forget]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "put back the configuration that identify kept for a unit it could\n"
                       "not restore (killed, or the unit pulled out); only while the unit\n"
                       "still holds identify's temporary one, never over a newer one"),
     {"serial", "forget", "trace"},
     [](const ToolContext& c) { return c.units.restore(c.options); }},
    {"legend",
     "legend FILE OUT",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "draw the legend sheet of FILE (.TPD or JSON) into OUT: PDF, SVG\n"
                       "or PNG by its extension; an OUT of - is PDF on standard output"),
     {},
     [](const ToolContext& c) { return c.documents.legend(c.options); }},
    {"preset",
     "preset NAME OUT [--replace-roles] | preset --list",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write the preset NAME as a configuration: JSON when OUT ends in\n"
                       ".json, a .TPD file otherwise"),
     {"list", "replace-roles"},
     [](const ToolContext& c) { return c.documents.preset(c.options); }},
    {"mame",
     "mame FILE OUT.cfg",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write a MAME controller file from the panel roles in FILE: for\n"
                       "each role, the keys the encoder sends for it"),
     {},
     [](const ToolContext& c) { return c.emulators.mame(c.options); },
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "FILE is a .TPD file or JSON. MAME reads the file from a folder on\n"
                       "its ctrlrpath (such as ~/.mame/ctrlr) when started as\n"
                       "mame -ctrlr NAME, NAME being the file's name without .cfg, or\n"
                       "with ctrlr NAME in mame.ini. What MAME cannot be told is a\n"
                       "warning, and the status is then 9")},
    {"retroarch",
     "retroarch FILE OUT.cfg [--merge]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write RetroArch key binds from the panel roles in FILE, for\n"
                       "retroarch --appendconfig; with --merge, put them into the\n"
                       "retroarch.cfg OUT, keeping its other lines and the old file as a\n"
                       "backup"),
     {"merge"},
     [](const ToolContext& c) { return c.emulators.retroArch(c.options); },
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "FILE is a .TPD file or JSON. The buttons are bound as in\n"
                       "libretro's arcade cores: Button 1 to 8 are the RetroPad's B, A,\n"
                       "Y, X, L, R, L2 and R2, Start is start and Coin is select; Pause,\n"
                       "Menu and Exit are the pause, menu and exit hotkeys. Service has\n"
                       "no RetroArch control. What RetroArch cannot be told is a warning,\n"
                       "and the status is then 9")},
    {"keys",
     "keys FILE OUT --from SOURCE [--replace-roles]",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "set the key of every input that has a panel role to what an\n"
                       "emulator expects, and write the result to OUT (.TPD or JSON):\n"
                       "SOURCE is mame or retroarch for the emulator's own keys, or a\n"
                       "retroarch.cfg or MAME .cfg file"),
     {"from", "replace-roles"},
     [](const ToolContext& c) { return c.emulators.keys(c.options); },
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "OUT is JSON when it ends in .json, a .TPD file otherwise; the\n"
                       "roles stay. A file called mame or retroarch is given as ./mame or\n"
                       "./retroarch. A role whose key cannot be had is a warning, its\n"
                       "input keeps its key, and the status is then 9")},
    {"help",
     "help [COMMAND]",
     QT_TRANSLATE_NOOP("CommandLineOptions", "print this help, or the help of one command"),
     {},
     nullptr},
};

} // namespace

std::span<const ToolCommand> ToolCommands() {
    return Commands;
}

ToolCommand::Arguments ToolCommand::arguments(const QStringList& optionsGiven) const {
    std::optional<Arguments> best;
    std::optional<Arguments> first;
    int bestOptions = -1;
    for (const QString& alternative : alternatives(QLatin1String(synopsis))) {
        Arguments found;
        QStringList required; // the options this alternative is called with
        int depth = 0;
        bool valueNext = false; // after an option, a word in capitals is its value
        bool missing = false;   // the last option is required and not given
        for (const QString& token : alternative.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString word = QString(token).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
            depth += int(token.count(QLatin1Char('[')));
            const bool optional = depth > 0;
            depth -= int(token.count(QLatin1Char(']')));
            if (word.startsWith(QLatin1String("--"))) {
                missing = !optional && !optionsGiven.contains(word.mid(2));
                if (!optional)
                    required << word.mid(2);
                if (missing)
                    found.options << word;
                valueNext = !token.endsWith(QLatin1Char(']'));
            } else if (valueNext) {
                valueNext = false;
                if (missing) // "--from SOURCE" says what to give
                    found.options.last() += QLatin1Char(' ') + word;
            } else if (!word.isEmpty() && word[0].isUpper()) {
                (optional ? found.optional : found.required) << word;
            }
        }
        if (!first)
            first = found;
        if (found.options.isEmpty() && int(required.size()) > bestOptions) {
            best = found;
            bestOptions = int(required.size());
        }
    }
    return best ? *best : first.value_or(Arguments{});
}

const ToolCommand* FindToolCommand(const QString& name) {
    for (const ToolCommand& c : Commands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}
