// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLineOptions.h"

#include "cli/ToolCommand.h"
#include "device/HidAccess.h"
#include "model/PanelRole.h"

#include <QCommandLineParser>

namespace {

struct OptionInfo {
    const char* name;
    const char* value; // nullptr for a switch
    const char* help;  // lines after the first are indented by the formatter
};

const OptionInfo Options[] = {
    {"unit", "N",
     QT_TRANSLATE_NOOP("CommandLineOptions", "the unit to use (1 to 4), as listed by 'units'")},
    {"serial", "S",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "the unit with this serial number, as listed by 'units'; it names\n"
                       "the same unit whatever the order it was plugged in")},
    {"all", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions", "write every attached unit, all at the same time")},
    {"backup", "PATTERN",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with write: first read each unit into the .TPD file PATTERN, with\n"
                       "{unit} and {serial} replaced; a unit whose backup fails is not written")},
    {"forget", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with restore: forget the kept configuration instead of putting it\n"
                       "back, as when the unit holds a newer one")},
    {"log", "PATH",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with watch: append each unit's outcome to the CSV file PATH")},
    {"replace-roles", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "write a .TPD file even over one whose panel roles cannot be read\n"
                       "(damaged, or from a newer version), replacing them")},
    {"roles", "SET",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with identify: ask for each control of SET in turn (1p6, 2p6, 2p8\n"
                       "or 4p4: players and buttons) and learn the input it is from its press")},
    {"output", "FILE",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with identify --roles: write the unit's configuration with the\n"
                       "roles learnt to FILE: JSON when it ends in .json, a .TPD file\n"
                       "otherwise")},
    {"from", "SOURCE",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with keys: where the keys come from: mame or retroarch for the\n"
                       "emulator's own keys as it ships, or a file: a retroarch.cfg, or a\n"
                       "MAME default.cfg or controller file")},
    {"merge", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with retroarch: put the binds into the existing retroarch.cfg OUT,\n"
                       "keeping its other lines, after copying it to OUT.bak (OUT.bak2\n"
                       "and so on when that is taken)")},
    {"json", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions", "print JSON for scripts instead of text")},
    {"emulate", "N",
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "use N emulated units in their factory state instead of hardware,\n"
                       "afresh in each run")},
    {"emulate-fault", "FAULT",
     QT_TRANSLATE_NOOP(
         "CommandLineOptions",
         "with --emulate: fail:N makes the N-th exchange fail, drop:UNIT:LOCATION\n"
         "makes the unit lose what is written to LOCATION (1 to 94); for testing scripts")},
    {"demo", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "use the demo programmer's two emulated units (serials 4172 and\n"
                       "12935); unit 1 holds its sample configuration. They start afresh\n"
                       "in each run: what one run writes, the next does not find")},
    {"list", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "with preset: list the presets, each by the name to give and\n"
                       "its title")},
    {"trace", nullptr,
     QT_TRANSLATE_NOOP("CommandLineOptions",
                       "print every exchange with a unit to standard error: the unit, then\n"
                       "the request and the reply bytes in hex")},
};

// A two-column list: the left column padded to `width`, continuation lines indented.
QString row(const QString& left, const QString& right, int width) {
    const QString indent(width + 2, QLatin1Char(' '));
    QString text = QStringLiteral("  ") + left;
    text += left.size() < width ? QString(width - left.size(), QLatin1Char(' '))
                                : QLatin1Char('\n') + indent;
    return text + QString(right).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent) +
           QLatin1Char('\n');
}

QString optionRows(const QStringList& names) {
    QString text;
    for (const OptionInfo& o : Options)
        if (names.contains(QLatin1String(o.name)))
            text += row(QStringLiteral("--%1%2").arg(
                            QLatin1String(o.name),
                            o.value ? QLatin1Char(' ') + QLatin1String(o.value) : QString()),
                        CommandLineOptions::tr(o.help), 14);
    return text;
}

QString dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

bool number(const QString& text, int low, int high, int& target) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    target = v;
    return true;
}

// "fail:N" or "drop:UNIT:LOCATION".
bool parseFault(const QString& text, ToolOptions& o) {
    const QStringList parts = text.split(QLatin1Char(':'));
    bool ok1 = false, ok2 = true;
    o.fault = parts.value(0);
    if (parts.size() == 2 && parts[0] == QLatin1String("fail")) {
        o.failAt = parts[1].toInt(&ok1);
    } else if (parts.size() == 3 && parts[0] == QLatin1String("drop")) {
        o.dropUnit = parts[1].toInt(&ok1);
        o.dropLocation = parts[2].toInt(&ok2);
    }
    return ok1 && ok2;
}

QString SeeHelp() {
    return CommandLineOptions::tr(" (see tarvenpad --help)");
}

// identify's --roles SET and --output FILE, which go together.
QString takeRoles(const QCommandLineParser& parser, ToolOptions& o) {
    const bool roles = parser.isSet(QStringLiteral("roles"));
    o.roles = parser.value(QStringLiteral("roles"));
    o.output = parser.value(QStringLiteral("output"));
    PanelRole::Set set;
    if (roles && !PanelRole::setFromKey(o.roles, set))
        return CommandLineOptions::tr("--roles takes a set: 1p6, 2p6, 2p8 or 4p4");
    if (roles != parser.isSet(QStringLiteral("output")) || (roles && o.output.isEmpty()))
        return CommandLineOptions::tr("--roles SET and --output FILE go together");
    if (roles && o.json)
        return CommandLineOptions::tr("--json does not go with --roles: the roles go to FILE");
    return {};
}

// The command, its arguments and the options' values; the error of a value out of range.
QString takeValues(const QCommandLineParser& parser, ToolOptions& o) {
    const QStringList positional = parser.positionalArguments();
    o.command = positional.value(0);
    o.files = positional.mid(1);
    o.help = parser.isSet(QStringLiteral("help"));
    o.version = parser.isSet(QStringLiteral("version"));
    o.all = parser.isSet(QStringLiteral("all"));
    o.json = parser.isSet(QStringLiteral("json"));
    o.trace = parser.isSet(QStringLiteral("trace"));
    o.list = parser.isSet(QStringLiteral("list"));
    o.demo = parser.isSet(QStringLiteral("demo"));
    o.forget = parser.isSet(QStringLiteral("forget"));
    o.replaceRoles = parser.isSet(QStringLiteral("replace-roles"));
    o.merge = parser.isSet(QStringLiteral("merge"));
    if (parser.isSet(QStringLiteral("from"))) {
        o.from = parser.value(QStringLiteral("from"));
        if (o.from.isEmpty())
            return CommandLineOptions::tr("--from takes mame, retroarch or a file name");
    }
    if (parser.isSet(QStringLiteral("unit")) &&
        !number(parser.value(QStringLiteral("unit")), 1, MaxUnits, o.unit))
        return CommandLineOptions::tr("--unit takes a unit number from 1 to 4");
    if (parser.isSet(QStringLiteral("emulate")) &&
        !number(parser.value(QStringLiteral("emulate")), 0, MaxUnits, o.emulate))
        return CommandLineOptions::tr("--emulate takes a number of units from 0 to 4");
    if (o.demo) {
        if (parser.isSet(QStringLiteral("emulate")) && o.emulate != 2)
            return CommandLineOptions::tr("--demo has two units; leave out --emulate");
        o.emulate = 2;
    }
    if (parser.isSet(QStringLiteral("emulate-fault")) &&
        !parseFault(parser.value(QStringLiteral("emulate-fault")), o))
        return CommandLineOptions::tr("--emulate-fault takes fail:N or drop:UNIT:LOCATION");
    if (parser.isSet(QStringLiteral("serial"))) {
        o.serial = parser.value(QStringLiteral("serial"));
        if (o.serial.isEmpty())
            return CommandLineOptions::tr("--serial takes a serial number as 'units' lists it");
    }
    if (parser.isSet(QStringLiteral("log"))) {
        o.log = parser.value(QStringLiteral("log"));
        if (o.log.isEmpty())
            return CommandLineOptions::tr("--log takes a file name");
    }
    if (parser.isSet(QStringLiteral("backup"))) {
        o.backup = parser.value(QStringLiteral("backup"));
        if (o.backup.isEmpty())
            return CommandLineOptions::tr("--backup takes a file name pattern");
    }
    return takeRoles(parser, o);
}

// "'a'", "'a', 'b'": the arguments as given.
QString quoted(const QStringList& arguments) {
    QStringList each;
    for (const QString& a : arguments)
        each << QLatin1Char('\'') + a + QLatin1Char('\'');
    return each.join(QStringLiteral(", "));
}

QString extraArguments(const QStringList& extra) {
    return CommandLineOptions::tr("%1 is(are) extra", nullptr, int(extra.size()))
        .arg(quoted(extra));
}

// Whether the command's arguments are as many as its synopsis names: which are missing, or
// which are too many.
QString checkArguments(const ToolCommand& command, const QStringList& optionsGiven,
                       const ToolOptions& o) {
    const ToolCommand::Arguments takes = command.arguments(optionsGiven);
    const qsizetype given = o.files.size();
    QString problem;
    if (!takes.options.isEmpty()) {
        problem = CommandLineOptions::tr("%1 is(are) missing", nullptr, int(takes.options.size()))
                      .arg(takes.options.join(CommandLineOptions::tr(" and ")));
    } else if (given < takes.required.size()) {
        const QStringList missing = takes.required.mid(given);
        problem = CommandLineOptions::tr("%1 is(are) missing", nullptr, int(missing.size()))
                      .arg(missing.join(CommandLineOptions::tr(" and ")));
    } else if (given > takes.required.size() + takes.optional.size()) {
        problem = extraArguments(o.files.mid(takes.required.size() + takes.optional.size()));
    }
    if (problem.isEmpty())
        return {};
    return CommandLineOptions::tr("%1: %2 (see tarvenpad help %1)").arg(o.command, problem);
}

// Whether the command exists and every option given applies to it.
QString checkCommand(const QCommandLineParser& parser, const ToolOptions& o) {
    if (o.command.isEmpty())
        return CommandLineOptions::tr("no command given") + SeeHelp();
    const ToolCommand* command = FindToolCommand(o.command);
    if (!command)
        return CommandLineOptions::tr("unknown command '%1'").arg(o.command) + SeeHelp();
    QStringList misplaced;
    for (const QString& name : parser.optionNames())
        if (!command->options.contains(name) && !misplaced.contains(dashed(name)))
            misplaced << dashed(name);
    if (!misplaced.isEmpty())
        return CommandLineOptions::tr("%1 do(es) not apply to '%2' (see tarvenpad help %2)",
                                      nullptr, int(misplaced.size()))
            .arg(misplaced.join(QStringLiteral(", ")), o.command);
    return checkArguments(*command, parser.optionNames(), o);
}

} // namespace

QString CommandLineOptions::parse(const QStringList& arguments, ToolOptions& o) {
    QCommandLineParser parser;
    // "-unit 2" means what "--unit 2" does, rather than four unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    for (const OptionInfo& info : Options)
        parser.addOption(info.value ? QCommandLineOption(QLatin1String(info.name), QString(),
                                                         QLatin1String(info.value))
                                    : QCommandLineOption(QLatin1String(info.name)));
    if (!parser.parse(QStringList{QStringLiteral("tarvenpad")} + arguments)) {
        QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            QString why = parser.errorText();
            if (why.endsWith(QLatin1Char('.')))
                why.chop(1);
            return why.left(1).toLower() + why.mid(1) + SeeHelp();
        }
        for (QString& name : unknown)
            name = dashed(name);
        return tr("unknown option(s) %1", nullptr, int(unknown.size()))
                   .arg(unknown.join(QStringLiteral(", "))) +
               SeeHelp();
    }

    if (const QString error = takeValues(parser, o); !error.isEmpty())
        return error;
    // Nothing goes with --version: "--version units" is a mistake, not a question.
    if (o.version && !parser.positionalArguments().isEmpty())
        return tr("--version takes no arguments: %1")
                   .arg(extraArguments(parser.positionalArguments())) +
               SeeHelp();
    if (o.help || o.version)
        return {};
    return checkCommand(parser, o);
}

QStringList CommandLineOptions::commands() {
    QStringList names;
    for (const ToolCommand& c : ToolCommands())
        names << QLatin1String(c.name);
    return names;
}

QString CommandLineOptions::helpText() {
    QString commands;
    for (const ToolCommand& c : ToolCommands())
        commands += row(QLatin1String(c.synopsis), tr(c.summary), 25);
    QStringList options;
    for (const OptionInfo& o : Options)
        options << QLatin1String(o.name);
    return tr("Usage: tarvenpad COMMAND [ARGUMENTS] [OPTIONS]\n"
              "\n"
              "Programs TARVEN-PAD keyboard encoders and converts their configuration "
              "files.\n"
              "\n"
              "Commands:\n") +
           commands +
           tr("\n"
              "A FILE or OUT of - is standard input or output. Options take their "
              "value as\n"
              "--unit 2 or --unit=2, before or after the arguments; -- ends the "
              "options.\n"
              "\n"
              "Options:\n") +
           optionRows(options) +
           tr("  -h, --help    print this help\n"
              "  --version     print the version\n"
              "\n"
              "Exit status:\n"
              "  0  success\n"
              "  2  wrong usage (also: several units attached and none chosen)\n"
              "  3  a file that cannot be read or is not a configuration\n"
              "  4  a file that cannot be written\n"
              "  5  no unit found\n"
              "  6  an I/O error while talking to a unit\n"
              "  7  the configuration read back from a unit differs from what was "
              "written;\n"
              "     with diff: the unit differs from FILE\n"
              "  8  a unit is attached but this user may not open it (see the udev "
              "rule)\n"
              "  9  written, but with warnings: something could not be said, see "
              "stderr\n"
              "With --all the worst outcome wins: 7, then 6, 8, 5 and 4.\n");
}

QString CommandLineOptions::commandHelp(const QString& name) {
    const ToolCommand* c = FindToolCommand(name);
    if (!c)
        return {};
    QString summary = tr(c->summary);
    summary[0] = summary[0].toUpper();
    QString text = tr("Usage: tarvenpad %1\n\n%2.\n").arg(QLatin1String(c->synopsis), summary);
    if (c->details)
        text += QLatin1Char('\n') + tr(c->details) + QStringLiteral(".\n");
    if (const QString rows = optionRows(c->options); !rows.isEmpty())
        text += tr("\nOptions:\n") + rows;
    return text;
}
