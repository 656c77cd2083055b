// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ConfigState.h"
#include "model/Configuration.h"
#include "model/PanelRole.h"

#include <QList>
#include <array>

// Labels a panel by pressing it: the roles of a set are asked for one at a time, and the
// input a press came from takes the role asked for. The pass works on a copy of the roles, so
// whoever runs it decides when they go into the configuration, and as one step.
class GuidedPass {
public:
    using Roles = std::array<SlotRole, ConfigState::SlotCount>;

    // What one press did.
    struct Taken {
        int slot = -1;
        int role = PanelRole::None;
        // The role this slot had taken earlier in the pass and now gives up; None otherwise.
        int movedFrom = PanelRole::None;
    };

    // A pass over the roles of `set`, starting from `roles` (what the slots are for now).
    GuidedPass(PanelRole::Set set, const Roles& roles);

    PanelRole::Set set() const { return m_set; }
    // The roles in the order they are asked for.
    const QList<int>& order() const { return m_order; }
    // How many roles have been taken or skipped.
    int index() const { return int(m_steps.size()); }
    bool done() const { return index() >= m_order.size(); }
    // The role asked for now; None once the pass is done.
    int current() const { return done() ? PanelRole::None : m_order.at(index()); }
    // The role asked for before the current one; None at the start.
    int previous() const { return m_steps.isEmpty() ? PanelRole::None : m_order.at(index() - 1); }

    // The press of `slot` takes the role asked for: from whichever slot held it, and in place
    // of the slot's own. Nothing (slot -1) once done or for a slot out of range.
    Taken take(int slot);
    // Leaves the role asked for as it is and asks for the next.
    void skip();
    // Goes back to the role asked for before, as it was before it was taken; false at the
    // start.
    bool redoLast();

    // The roles as the pass has made them.
    Roles roles() const { return m_work.roles(); }
    // Whether the pass changed anything against the roles it started from.
    bool changed() const { return m_work.roles() != m_start; }
    // The roles of the set no slot holds.
    QList<int> missing() const;

private:
    PanelRole::Set m_set;
    QList<int> m_order;
    Roles m_start;
    // The pass's own copy, so that the model's rule (one slot per role) moves each role taken.
    Configuration m_work;
    // The roles before each step, to go back to; the slot each step's press came from (-1
    // for a skip).
    QList<Roles> m_steps;
    QList<int> m_pressed;
};
