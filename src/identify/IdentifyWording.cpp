// SPDX-License-Identifier: GPL-3.0-or-later
#include "identify/IdentifyWording.h"

#include "model/ConfigImage.h"
#include "model/Configuration.h"
#include "model/SlotText.h"

#include <QDateTime>
#include <QStringList>

QString IdentifyWording::describe(const IdentifySession::Outcome& outcome,
                                  const Configuration* roles) {
    using Stage = IdentifySession::Stage;
    const bool gone = outcome.result == TransferResult::DeviceNotFound;
    switch (outcome.stage) {
    case Stage::Reading:
        return gone ? tr("reading it failed (Device Not Found)")
                    : tr("reading it failed (Device I/O Error)");
    case Stage::Journal:
        return tr("cannot keep its own configuration in the journal: %1").arg(outcome.reason);
    case Stage::Writing:
        return gone ? tr("writing the temporary configuration failed (Device Not Found)")
                    : tr("writing the temporary configuration failed (Device I/O Error)");
    case Stage::Restoring:
        return gone ? tr("putting its own configuration back failed (Device Not Found)")
                    : tr("putting its own configuration back failed (Device I/O Error)");
    case Stage::Verifying:
        if (outcome.location >= 0)
            return tr("its own configuration was written back, but it holds something else: %1")
                .arg(locationName(outcome.location, roles));
        return tr("its own configuration was written back, but reading it back failed");
    case Stage::Serial:
        return outcome.reason.isEmpty()
                   ? tr("its serial number cannot be read, so it could not be told apart from "
                        "another unit; nothing was written")
                   : tr("another attached unit has the same serial number; unplug one of them; "
                        "nothing was written");
    case Stage::Stale:
        return tr("it holds a configuration written after the one kept on %1; that one is not "
                  "put over it, and nothing was written")
            .arg(QDateTime::fromString(outcome.reason, Qt::ISODate)
                     .toLocalTime()
                     .toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    case Stage::Locked:
        return tr("%1; nothing was written").arg(outcome.reason);
    case Stage::Finding:
        break;
    }
    return tr("it is not attached");
}

QString IdentifyWording::locationName(int location, const Configuration* roles) {
    if (location == ConfigImage::OptionsLocation)
        return tr("the options");
    const int slot = ConfigImage::slotAt(location);
    if (slot < 0)
        return tr("location %1").arg(location);
    return tr("%1 (%2)").arg(roles ? SlotNameWithRole(*roles, slot) : SlotLabel(slot),
                             location == ConfigImage::keyLocation(slot) ? tr("key")
                                                                        : tr("modifiers"));
}

QString IdentifyWording::prompt(int role) {
    return tr("Press %1").arg(PanelRole::name(role));
}

QString IdentifyWording::taken(const GuidedPass::Taken& taken) {
    if (taken.movedFrom != PanelRole::None)
        return tr("%1 moved from %2 to %3.")
            .arg(SlotName(taken.slot), PanelRole::name(taken.movedFrom),
                 PanelRole::name(taken.role));
    return tr("%1 is %2.").arg(SlotName(taken.slot), PanelRole::name(taken.role));
}

QString IdentifyWording::passEnd(const QList<int>& missing) {
    if (missing.isEmpty())
        return tr("Every role of the set has its input.");
    QStringList names;
    for (const int role : missing)
        names << PanelRole::name(role);
    return tr("Left without an input: %1.").arg(names.join(QStringLiteral(", ")));
}
