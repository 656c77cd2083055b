// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLineTool.h"

#include "cli/CommandLineOptions.h"
#include "cli/ToolCommand.h"
#include "device/DeviceImage.h"

CommandLineTool::CommandLineTool(QTextStream& out, QTextStream& err, AccessFactory hardware,
                                 bool errIsTerminal)
    : m_out(out), m_documents(out, err), m_units(out, err, std::move(hardware), errIsTerminal),
      m_emulators(out, err) {}

QString CommandLineTool::helpText() {
    return CommandLineOptions::helpText();
}

int CommandLineTool::run(const QStringList& arguments) {
    ToolOptions o;
    if (const QString error = CommandLineOptions::parse(arguments, o); !error.isEmpty())
        return m_documents.fail(Usage, error);
    if (o.version) {
        m_out << "tarvenpad " << TARVENPAD_VERSION << '\n';
        return Success;
    }
    if (o.help || o.command == QLatin1String("help"))
        return help(o);
    if (const QString problem = checkOptions(o); !problem.isEmpty())
        return m_documents.fail(Usage, problem);
    const ToolCommand* command = FindToolCommand(o.command);
    // The options and the number of arguments were checked against the command's synopsis.
    return command->run({m_documents, m_units, m_emulators, o});
}

int CommandLineTool::help(const ToolOptions& o) {
    const bool asked = o.command == QLatin1String("help") && !o.help; // "help COMMAND"
    const QString topic = asked ? o.files.value(0) : o.command;
    const QString text = CommandLineOptions::commandHelp(topic);
    if (asked && (o.files.size() > 1 || (!topic.isEmpty() && text.isEmpty())))
        return m_documents.fail(
            Usage,
            tr("unknown command '%1' (see tarvenpad --help)").arg(o.files.join(QLatin1Char(' '))));
    m_out << (text.isEmpty() || topic == QLatin1String("help") ? helpText() : text);
    return Success;
}

QString CommandLineTool::checkOptions(const ToolOptions& o) {
    if (o.all && o.unit)
        return tr("--unit and --all exclude each other");
    if (!o.serial.isEmpty() && (o.unit || o.all))
        return tr("--serial names one unit: leave out %1").arg(o.unit ? "--unit" : "--all");
    if (!o.backup.isEmpty() && o.command != QLatin1String("write"))
        return tr("--backup goes with write");
    if (o.fault.isEmpty())
        return {};
    // A fault meant for emulated units must never reach real ones.
    if (o.emulate < 0)
        return tr("--emulate-fault needs --emulate N");
    const bool drop = o.fault == QLatin1String("drop");
    if (!drop && o.failAt < 1)
        return tr("--emulate-fault fail:N needs N of 1 or more");
    if (drop && (o.dropUnit < 1 || o.dropUnit > o.emulate))
        return tr("--emulate-fault drop:%1: there is no emulated unit %1").arg(o.dropUnit);
    if (drop && (o.dropLocation < 1 || o.dropLocation > DeviceImage::Size))
        return tr("--emulate-fault drop: the location runs from 1 to 94");
    return {};
}
