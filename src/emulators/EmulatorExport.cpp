// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/EmulatorExport.h"

#include "emulators/EmulatorControls.h"
#include "emulators/EmulatorKeys.h"
#include "model/Configuration.h"
#include "model/PanelRole.h"
#include "model/SlotText.h"

#include <algorithm>

namespace {

bool within(const QList<int>& some, const QList<int>& all) {
    return !some.isEmpty() &&
           std::all_of(some.begin(), some.end(), [&](int code) { return all.contains(code); });
}

} // namespace

EmulatorExport::EmulatorExport(Emulator emulator, const Configuration& config)
    : m_emulator(emulator) {
    if (!config.hasRoles()) {
        m_error = tr("No input has a panel role yet, so there is nothing to tell %1. Give the "
                     "inputs their roles first: right-click an input in the window, or let "
                     "tarvenpad identify --roles learn them.")
                      .arg(EmulatorControls::name(emulator));
        return;
    }
    for (int slot = 0; slot < Configuration::SlotCount; ++slot)
        if (PanelRole::valid(config.slotRole(slot).role))
            addSlot(config, slot);
    findClashes(config);
}

void EmulatorExport::addSlot(const Configuration& config, int slot) {
    const int role = config.slotRole(slot).role;
    const QString who = SlotNameWithRole(config, slot);
    const QString emulator = EmulatorControls::name(m_emulator);
    const QString control = EmulatorControls::control(m_emulator, role);
    if (control.isEmpty()) {
        m_warnings << tr("%1: %2 has no control for %3, so it is not written.")
                          .arg(who, emulator, PanelRole::name(role));
        return;
    }
    EmulatorKey key = EmulatorKey::of(config.slot(slot));
    if (config.slot(slot).keyBlank || key.isNone()) {
        m_warnings << (EmulatorControls::defaultKey(m_emulator, role).isNone()
                           ? tr("%1 has no key, and %2 has none of its own for %3: it is not "
                                "written.")
                           : tr("%1 has no key: %2 keeps its own key for %3."))
                          .arg(who, emulator, PanelRole::name(role));
        return;
    }
    const bool named = m_emulator == Emulator::Mame
                           ? !EmulatorKeys::mameToken(key.code).isEmpty()
                           : !EmulatorKeys::retroArchName(key.code).isEmpty() ||
                                 EmulatorKeys::retroArchMouseButton(key.code) != 0;
    if (!named) {
        m_warnings << tr("%1 sends %2, which %3 has no name for, so it is not written.")
                          .arg(who, EmulatorKeys::text(key), emulator);
        return;
    }
    if (m_emulator == Emulator::RetroArch && key.hasModifiers()) {
        const EmulatorKey alone{key.code};
        m_warnings << tr("%1 sends %2, but a RetroArch bind takes one key: it is written as %3 "
                         "alone.")
                          .arg(who, EmulatorKeys::text(key), EmulatorKeys::text(alone));
        key = alone;
    }
    m_controls << ExportedControl{slot, role, control, key};
}

void EmulatorExport::findClashes(const Configuration& config) {
    const QString emulator = EmulatorControls::name(m_emulator);
    // What each input really holds down when pressed, modifiers and all.
    auto sends = [&](const ExportedControl& c) {
        return EmulatorKeys::heldCodes(EmulatorKey::of(config.slot(c.slot)));
    };
    for (const ExportedControl& pressed : m_controls) {
        const QString who = SlotNameWithRole(config, pressed.slot);
        for (const ExportedControl& other : m_controls) {
            if (&other == &pressed || !within(EmulatorKeys::heldCodes(other.key), sends(pressed)))
                continue;
            const bool same = within(EmulatorKeys::heldCodes(pressed.key), sends(other));
            // A pair that fire each other is said once.
            if (same && other.slot < pressed.slot)
                continue;
            m_warnings << (same ? tr("%1 and %2 both send %3: %4 sees both controls pressed at "
                                     "once.")
                                      .arg(who, SlotNameWithRole(config, other.slot),
                                           EmulatorKeys::text(pressed.key), emulator)
                                : tr("%1 sends %2, which holds down %3 as %4 sends it: %5 sees "
                                     "both controls pressed at once.")
                                      .arg(who,
                                           EmulatorKeys::text(
                                               EmulatorKey::of(config.slot(pressed.slot))),
                                           EmulatorKeys::text(other.key),
                                           SlotNameWithRole(config, other.slot), emulator));
        }
    }
    // And on what else it does on a key, such as fast forward or a reset.
    for (const ExportedControl& pressed : m_controls)
        for (const EmulatorControls::OtherKey& other : EmulatorControls::otherKeys(m_emulator))
            if (within(EmulatorKeys::heldCodes(other.key), sends(pressed)))
                m_warnings << tr("%1 sends %2, which is also %3's key for %4: pressing it "
                                 "does both.")
                                  .arg(SlotNameWithRole(config, pressed.slot),
                                       EmulatorKeys::text(
                                           EmulatorKey::of(config.slot(pressed.slot))),
                                       emulator, QLatin1String(other.name));
    // The emulator's own keys stay on the roles the panel does not have.
    for (int role = 1; role <= PanelRole::Count; ++role) {
        const EmulatorKey own = EmulatorControls::defaultKey(m_emulator, role);
        if (own.isNone() || EmulatorControls::control(m_emulator, role).isEmpty() ||
            config.slotWithRole(role) >= 0)
            continue;
        QStringList inputs;
        for (const ExportedControl& pressed : m_controls)
            if (within(EmulatorKeys::heldCodes(own), sends(pressed)))
                inputs << SlotNameWithRole(config, pressed.slot);
        if (!inputs.isEmpty())
            m_warnings << tr("%1 keeps %2's own key, %3, which is also sent by %4: %2 sees "
                             "both controls pressed at once.")
                              .arg(PanelRole::name(role), emulator, EmulatorKeys::text(own),
                                   inputs.join(tr(" and ")));
    }
}
