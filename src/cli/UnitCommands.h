// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolIo.h"
#include "cli/ToolOptions.h"
#include "cli/UnitContext.h"
#include "device/AccessSetup.h"
#include "device/KeyPressSource.h"
#include "device/UnitListing.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class DeviceLink;
class HidAccess;
class PlugMonitor;

// The commands that talk to units: units, write, read, diff, watch, identify and restore, each
// a class of its own built on this one, which holds what they share: opening access, choosing
// the unit, the warning of units left out and the pending-journal notice.
class UnitCommands : public ToolIo {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    using AccessFactory = std::function<std::unique_ptr<HidAccess>()>;
    using MonitorFactory = std::function<std::unique_ptr<PlugMonitor>()>;

    UnitCommands(QTextStream& out, QTextStream& err, AccessFactory hardware, bool errIsTerminal)
        : ToolIo(out, err), m_hardware(std::move(hardware)), m_errIsTerminal(errIsTerminal) {}
    void setPlugMonitor(MonitorFactory monitor) { m_monitor = std::move(monitor); }
    void setKeySource(KeyPressSourceFactory keySource) { m_keySource = std::move(keySource); }
    // What the access advice is fitted to; without it, this machine as it is when needed.
    void setAccessSetup(const AccessSetup& setup) { m_accessSetup = setup; }

    int units(const ToolOptions& o);
    int write(const ToolOptions& o);
    int read(const ToolOptions& o);
    int diff(const ToolOptions& o);
    int watch(const ToolOptions& o);
    int identify(const ToolOptions& o);
    int restore(const ToolOptions& o);

protected:
    // The hardware, or emulated units as the options say, traced with --trace.
    std::unique_ptr<HidAccess> openAccess(const ToolOptions& o);
    // The access as the options say, and the rest a command works with; the progress bar
    // only when asked for and standard error is a terminal.
    enum class Progress { Quiet, Shown };
    UnitContext openContext(const ToolOptions& o, Progress progress = Progress::Shown);
    int pickUnit(const ToolOptions& o, HidAccess& access, DeviceLink& link, ListedUnit& unit,
                 bool serials = false);
    int pickBySerial(const QString& serial, const QList<ListedUnit>& found, ListedUnit& unit);
    int denied(const ListedUnit& unit);
    // Said by every command that looks for units and finds none.
    static QString noUnitFound();
    // Warns of the encoders past the units a command can name, by serial number and node;
    // returns them.
    QList<ListedUnit> warnLeftOut(HidAccess& access, DeviceLink& link);

    AccessFactory m_hardware;
    MonitorFactory m_monitor;
    KeyPressSourceFactory m_keySource;
    bool m_errIsTerminal;
    std::optional<AccessSetup> m_accessSetup;

private:
    // One line on standard error for each unit whose own configuration waits in the journal;
    // said by the entry points above, never by a command's body.
    void notePending();
};
