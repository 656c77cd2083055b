// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/WatchCommand.h"

#include "cli/TerminalProgress.h"
#include "cli/UnitProgramming.h"
#include "cli/UnitWatch.h"
#include "device/DeviceImage.h"
#include "device/DeviceLink.h"
#include "device/PlugMonitor.h"
#include "device/UnitListScope.h"
#include "model/Configuration.h"

#include <QDir>
#include <QFile>

int WatchCommand::run(const ToolOptions& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const DeviceImage image = BuildDeviceImage(config);
    QFile log(o.log);
    if (!o.log.isEmpty() && !log.open(QIODevice::WriteOnly | QIODevice::Append))
        return fail(CannotWrite, tr("cannot write the log to %1: %2")
                                     .arg(QDir::toNativeSeparators(o.log), log.errorString()));
    // Listening starts before the attached units are listed, so that none falls in between.
    std::unique_ptr<PlugMonitor> monitor = o.emulate < 0 && m_monitor ? m_monitor() : nullptr;
    if (monitor && !monitor->isWatching())
        return fail(IoError, tr("cannot watch for units: udevd, which announces each device "
                                "plugged in, is not running or cannot be reached"));
    // Every encoder attached now, beyond the four a command can name too.
    QStringList attached;
    auto lister = openAccess(o);
    {
        UnitListScope scope(*lister);
        TerminalProgress quiet(m_err, false);
        DeviceLink link(*lister, quiet, quiet);
        for (const ListedUnit& a : ListUnits(*lister, link, Serials::Skip))
            attached << lister->unitPath(a.unit);
        for (int n = MaxUnits + 1; !lister->unitPath(n).isEmpty(); ++n)
            attached << lister->unitPath(n);
    }
    // Each plug-in gets an access of its own, so that its unit numbers are its own command's.
    UnitWatch watching(
        m_out,
        [&](const QString& node) {
            return UnitProgramming::programPlugIn(*openAccess(o), node, image);
        },
        [&](const QString& node) { return lister->nodeDevice(node); }, o.json,
        log.isOpen() ? &log : nullptr);
    return watching.run(attached, monitor.get()) ? IoError : Success;
}
