// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolOptions.h"
#include "device/AccessSetup.h"
#include "device/UnitListing.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>
#include <optional>

class Configuration;
class DeviceLink;
struct DeviceImage;
class HidAccess;
class PlugMonitor;
class TerminalProgress;

// `tarvenpad`: shows, converts, writes and reads configurations without a window, with the
// same model, files and transfers as the programmer.
class CommandLineTool {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    enum Exit {
        Success = 0,
        Usage = 2,
        BadInput = 3,
        CannotWrite = 4,
        NoUnit = 5,
        IoError = 6,
        Differs = 7,
        AccessDenied = 8,
    };

    using AccessFactory = std::function<std::unique_ptr<HidAccess>()>;
    using MonitorFactory = std::function<std::unique_ptr<PlugMonitor>()>;

    CommandLineTool(QTextStream& out, QTextStream& err, AccessFactory hardware, bool errIsTerminal);
    // Where `watch` hears of units plugged in; without one it programs the units attached
    // when it starts and then waits to be stopped.
    void setPlugMonitor(MonitorFactory monitor) { m_monitor = std::move(monitor); }
    // What the access advice is fitted to; without it, this machine as it is when needed.
    void setAccessSetup(const AccessSetup& setup) { m_accessSetup = setup; }
    int run(const QStringList& arguments);

    static QString helpText();
    // What a user who may not open a unit has to do, one step to a paragraph.
    static QString accessAdvice(const AccessSetup& setup);

private:
    using Options = ToolOptions;
    using Attached = ListedUnit;

    // Why the options make no sense together, or empty when they do.
    static QString checkOptions(const Options& o);

    int units(const Options& o);
    int show(const Options& o);
    int convert(const Options& o, bool toJson);
    int write(const Options& o);
    int read(const Options& o);
    int diff(const Options& o);
    int legend(const Options& o);
    int preset(const Options& o);
    int watch(const Options& o);

    int fail(int code, const QString& message);
    // Chooses a unit as the options say and reads its image; a status other than Success has
    // been reported already.
    int readUnit(const Options& o, int& unit, DeviceImage& image);
    int load(const QString& path, Configuration& config);
    int loadInput(Configuration& config);
    int save(const QString& path, const Configuration& config, bool json);
    int pickUnit(const Options& o, HidAccess& access, DeviceLink& link, Attached& unit,
                 bool serials = false);
    int pickBySerial(const QString& serial, const QList<Attached>& found, Attached& unit);
    int denied(const Attached& unit);
    // Warns of the encoders past the units a command can name; whether there are any.
    bool leftOut(const HidAccess& access);

public:
    // Why an open failed, in the tool's words: the device node and the system's reason.
    static QString failureDetail(const OpenFailure& why);

private:
    std::unique_ptr<HidAccess> openAccess(const Options& o);

    QTextStream& m_out;
    QTextStream& m_err;
    AccessFactory m_hardware;
    MonitorFactory m_monitor;
    bool m_errIsTerminal;
    std::optional<AccessSetup> m_accessSetup;
};
