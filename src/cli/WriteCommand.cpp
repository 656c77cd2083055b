// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/WriteCommand.h"

#include "cli/TerminalProgress.h"
#include "cli/UnitProgramming.h"
#include "device/DeviceImage.h"
#include "model/Configuration.h"

#include <QSet>
#include <thread>
#include <vector>

int WriteCommand::run(const ToolOptions& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const DeviceImage image = BuildDeviceImage(config);
    UnitContext c = openContext(o);

    const bool serials = o.backup.contains(QLatin1String("{serial}"));
    QList<ListedUnit> targets;
    // A unit left as it was is not a success.
    const bool skipped = o.all && !warnLeftOut(*c.access, c.link).isEmpty();
    if (o.all) {
        targets = ListUnits(*c.access, c.link, serials ? Serials::Ask : Serials::Skip);
        if (targets.isEmpty())
            return fail(NoUnit, tr("no TARVEN-PAD unit found"));
    } else {
        ListedUnit unit;
        if (const int r = pickUnit(o, *c.access, c.link, unit, serials))
            return r;
        targets << unit;
    }
    const std::optional<QStringList> backups = backupPaths(o.backup, targets);
    if (!backups)
        return fail(Usage, tr("--backup %1 gives several units the same file; put "
                              "{unit} or {serial} into it")
                               .arg(o.backup));

    const std::vector<UnitProgramming::Outcome> outcomes =
        program(c, targets, image, *backups, unreadableRoles(o));
    c.progress.finish();
    const int status = report(o, targets, outcomes);
    return skipped ? UnitProgramming::worse(status, NoUnit) : status;
}

std::vector<UnitProgramming::Outcome>
WriteCommand::program(UnitContext& c, const QList<ListedUnit>& targets, const DeviceImage& image,
                      const QStringList& backups, UnreadableRoles unreadable) {
    // One worker per unit, each with its own handle: the units take their time side by side.
    std::vector<UnitProgramming::Outcome> outcomes(size_t(targets.size()));
    if (targets.size() == 1) {
        if (targets[0].accessible())
            outcomes[0] = UnitProgramming::program(*c.access, c.progress, targets[0].unit, image,
                                                   backups.at(0), unreadable);
    } else {
        std::vector<std::thread> workers;
        for (int i = 0; i < targets.size(); ++i) {
            if (!targets[i].accessible())
                continue;
            workers.emplace_back([&, i, unit = targets[i].unit, backup = backups.at(i)] {
                TerminalProgress quiet(m_err, false);
                outcomes[size_t(i)] =
                    UnitProgramming::program(*c.access, quiet, unit, image, backup, unreadable);
            });
        }
        for (std::thread& worker : workers)
            worker.join();
    }
    return outcomes;
}

std::optional<QStringList> WriteCommand::backupPaths(const QString& pattern,
                                                     const QList<ListedUnit>& targets) {
    QStringList backups;
    for (const ListedUnit& t : targets) {
        QString path = pattern;
        path.replace(QLatin1String("{unit}"), QString::number(t.unit));
        // The serial characters come from the unit: never let them name another folder.
        QString serial = t.serial;
        for (QChar& c : serial)
            if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-'))
                c = QLatin1Char('_');
        path.replace(QLatin1String("{serial}"), serial);
        backups << path;
    }
    if (!pattern.isEmpty() && QSet<QString>(backups.begin(), backups.end()).size() < backups.size())
        return std::nullopt;
    return backups;
}

int WriteCommand::report(const ToolOptions& o, const QList<ListedUnit>& targets,
                         const std::vector<UnitProgramming::Outcome>& outcomes) {
    // With --all, standard output has one line per unit in unit order, failures included, so
    // the report reads the same with 2>&1; a failure is said on standard error as well.
    int status = Success;
    for (int i = 0; i < targets.size(); ++i) {
        const ListedUnit& t = targets[i];
        const UnitProgramming::Outcome& outcome = outcomes[size_t(i)];
        const QString message = !t.accessible()             ? tr("this user may not open it")
                                : outcome.status == Success ? tr("programmed and verified")
                                                            : outcome.message;
        if (o.all || (t.accessible() && outcome.status == Success)) {
            m_out << tr("unit %1: %2\n").arg(t.unit).arg(message);
            m_out.flush();
        }
        int code = outcome.status;
        if (!t.accessible())
            code = denied(t);
        else if (code != Success)
            fail(code, tr("unit %1: %2").arg(t.unit).arg(outcome.message));
        status = UnitProgramming::worse(status, code);
    }
    return status;
}
