// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitsCommand.h"

#include "cli/UnitProgramming.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

int UnitsCommand::run(const ToolOptions& o) {
    UnitContext c = openContext(o, Progress::Quiet);
    const QList<ListedUnit> found = ListUnits(*c.access, c.link, Serials::Ask);
    const QList<ListedUnit> beyond = warnLeftOut(*c.access, c.link);
    if (o.json) {
        // A unit this user may not open is still there; a script must not take it for absent.
        // One past unit 4 has no number a command takes.
        QJsonArray list;
        for (const ListedUnit& u : found + beyond)
            list.append(
                QJsonObject{{"unit", u.unit <= MaxUnits ? QJsonValue(u.unit) : QJsonValue::Null},
                            {"serial", u.accessible() ? QJsonValue(u.serial) : QJsonValue::Null},
                            {"path", c.access->unitPath(u.unit)},
                            {"access", u.unit > MaxUnits ? "leftOut"
                                       : u.accessible()  ? "ok"
                                                         : "denied"}});
        m_out << QJsonDocument(list).toJson();
    }
    if (found.isEmpty())
        return fail(NoUnit, noUnitFound());
    if (!o.json) {
        for (const ListedUnit& a : found) {
            if (a.accessible())
                m_out << a.unit << ' ' << a.serial << '\n';
            else
                m_out << tr("%1 - not accessible (%2)\n")
                             .arg(a.unit)
                             .arg(UnitProgramming::failureDetail(a.refused));
        }
        m_out.flush();
    }
    const auto refused = std::find_if(found.begin(), found.end(),
                                      [](const ListedUnit& a) { return !a.accessible(); });
    if (refused == found.end())
        return Success;
    // A unit that is there but may not be opened has a status of its own; the JSON already
    // says which one.
    return o.json ? AccessDenied : denied(*refused);
}
