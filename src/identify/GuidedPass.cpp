// SPDX-License-Identifier: GPL-3.0-or-later
#include "identify/GuidedPass.h"

GuidedPass::GuidedPass(PanelRole::Set set, const Roles& roles)
    : m_set(set), m_order(PanelRole::roles(set)), m_start(roles) {
    m_work.setRoles(roles);
}

GuidedPass::Taken GuidedPass::take(int slot) {
    if (done() || slot < 0 || slot >= ConfigState::SlotCount)
        return {};
    Taken taken{slot, current()};
    // A slot pressed a second time in the pass was taken for the wrong role: it moves on, and
    // the role it leaves is free again.
    if (m_pressed.contains(slot))
        taken.movedFrom = m_work.slotRole(slot).role;
    m_steps.append(m_work.roles());
    m_pressed.append(slot);
    // Taken from whichever slot held it; the label is the user's own and stays with the slot.
    m_work.setRole(slot, taken.role);
    return taken;
}

void GuidedPass::skip() {
    if (done())
        return;
    m_steps.append(m_work.roles());
    m_pressed.append(-1);
}

bool GuidedPass::redoLast() {
    if (m_steps.isEmpty())
        return false;
    m_work.setRoles(m_steps.takeLast());
    m_pressed.removeLast();
    return true;
}

QList<int> GuidedPass::missing() const {
    QList<int> free;
    for (const int role : m_order)
        if (m_work.slotWithRole(role) < 0)
            free.append(role);
    return free;
}
