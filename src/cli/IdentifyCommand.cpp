// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IdentifyCommand.h"

#include "cli/AccessAdvice.h"
#include "cli/TerminalProgress.h"
#include "cli/UnitIdentify.h"
#include "device/DeviceLink.h"
#include "device/UnitListScope.h"
#include "files/RestoreJournal.h"
#include "identify/IdentifySession.h"
#include "model/PanelRole.h"

#include <cstring>

int IdentifyCommand::keyboardFailure(int unit, const KeyPressSource::Failure& failure) {
    using Kind = KeyPressSource::Failure::Kind;
    const QString why = KeyPressSource::describe(failure);
    switch (failure.kind) {
    case Kind::AccessDenied:
        fail(AccessDenied, tr("unit %1 is attached, but %2.").arg(unit).arg(why));
        m_err << AccessAdvice::forKeyboard(m_accessSetup ? *m_accessSetup : AccessSetup::probe())
              << '\n';
        m_err.flush();
        return AccessDenied;
    case Kind::Busy:
        return fail(IoError, tr("unit %1: %2; end that one first").arg(unit).arg(why));
    default:
        return fail(IoError, tr("unit %1: %2").arg(unit).arg(why));
    }
}

int IdentifyCommand::run(const ToolOptions& o) {
    if (o.emulate >= 0)
        return fail(Usage, tr("identify reads the presses from a unit's keyboard, which emulated "
                              "units do not have: plug a unit in and leave out --emulate and "
                              "--demo"));
    auto access = openAccess(o);
    TerminalProgress progress(m_err, m_errIsTerminal);
    DeviceLink link(*access, progress, progress);
    ListedUnit chosen;
    std::unique_ptr<KeyPressSource> source;
    {
        UnitListScope scope(*access);
        if (const int r = pickUnit(o, *access, link, chosen, true))
            return r;
        // The keyboard is opened before anything is written: a unit whose presses cannot be
        // read is left as it is.
        KeyPressSource::Failure failure;
        failure.kind = KeyPressSource::Failure::Kind::NoKeyboard;
        if (m_keySource)
            source = m_keySource(access->unitPath(chosen.unit), failure);
        if (!source)
            return keyboardFailure(chosen.unit, failure);
    }
    RestoreJournal journal;
    IdentifySession session(*access, link, journal);
    UnitIdentify identify(m_out, m_err, session, progress, o.json);
    if (PanelRole::Set set; PanelRole::setFromKey(o.roles, set))
        identify.learnRoles(set, o.output, unreadableRoles(o));
    return identify.run(chosen.unit, *source);
}
