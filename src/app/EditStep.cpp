// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditStep.h"

#include "model/Configuration.h"

EditStep::EditStep(Configuration& config, const ConfigState& before, const ConfigState& after,
                   const QString& text)
    : QUndoCommand(text), m_config(config), m_before(before), m_after(after) {}

void EditStep::undo() {
    m_config.restore(m_before);
    m_applied = false;
}

void EditStep::redo() {
    if (!m_applied)
        m_config.restore(m_after);
    m_applied = true;
}
