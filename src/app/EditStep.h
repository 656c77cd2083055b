// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ConfigState.h"

#include <QUndoCommand>

class Configuration;

// One user action as the states before and after it, so undoing returns exactly to what
// was there, whatever the editing rules changed on the way.
class EditStep : public QUndoCommand {
public:
    EditStep(Configuration& config, const ConfigState& before, const ConfigState& after,
             const QString& text);

    void undo() override;
    // The action itself made the change; only a later redo has to apply it again.
    void redo() override;

private:
    Configuration& m_config;
    ConfigState m_before;
    ConfigState m_after;
    bool m_applied = true;
};
