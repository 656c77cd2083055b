// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/AccessAdvice.h"
#include "cli/DocumentCommands.h"
#include "cli/EmulatorCommands.h"
#include "cli/ToolStatus.h"
#include "cli/UnitCommands.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

// `tarvenpad`: shows, converts, writes and reads configurations without a window, with the
// same model, files and transfers as the programmer. This is the dispatch; the commands are
// DocumentCommands, UnitCommands and EmulatorCommands, as the table in ToolCommand.cpp names them.
class CommandLineTool : public ToolStatus {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    using AccessFactory = UnitCommands::AccessFactory;
    using MonitorFactory = UnitCommands::MonitorFactory;

    CommandLineTool(QTextStream& out, QTextStream& err, AccessFactory hardware, bool errIsTerminal);
    // Where `watch` hears of units plugged in; without one it programs the units attached
    // when it starts and then waits to be stopped.
    void setPlugMonitor(MonitorFactory monitor) { m_units.setPlugMonitor(std::move(monitor)); }
    // Where `identify` reads a unit's presses; without one it cannot.
    void setKeySource(KeyPressSourceFactory keySource) {
        m_units.setKeySource(std::move(keySource));
    }
    // What the access advice is fitted to; without it, this machine as it is when needed.
    void setAccessSetup(const AccessSetup& setup) { m_units.setAccessSetup(setup); }
    int run(const QStringList& arguments);

    static QString helpText();
    // What a user who may not open a unit has to do, one step to a paragraph.
    static QString accessAdvice(const AccessSetup& setup) { return AccessAdvice::forUnit(setup); }

private:
    // Why the options make no sense together, or empty when they do.
    static QString checkOptions(const ToolOptions& o);
    int help(const ToolOptions& o);

    QTextStream& m_out;
    DocumentCommands m_documents;
    UnitCommands m_units;
    EmulatorCommands m_emulators;
};
