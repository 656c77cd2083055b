// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Configuration.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

// Undo and redo of the user's edits. Each click or key choice goes through here as one step
// around the model's own setters; ConfigModified follows the step that matches the last
// file written or loaded.
class EditHistory : public QObject {
    Q_OBJECT
public:
    explicit EditHistory(Configuration& config, QObject* parent = nullptr);

    // The user's actions, one step each.
    void setFlag(int slot, Configuration::Flag flag, bool on);
    void setOption(Configuration::Option option, bool on);
    // The choice marks the configuration even when the slot already had the key, but only
    // a change is a step.
    void assignKey(int slot, quint8 code);
    // A role for a slot, taken from the slot that held it (returned, or -1) in the same step.
    int setRole(int slot, int role);
    void setLabel(int slot, const QString& label);
    // A whole configuration at once (a preset), as one step named `text`; it marks the
    // configuration even when nothing changes, as any choice does.
    void replaceAll(const QString& text, const ConfigState& state);

    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    // What the next undo or redo does, for example "Shift on Input 3" (menu text form).
    QString undoText() const { return m_stack.undoText(); }
    QString redoText() const { return m_stack.redoText(); }
    void undo();
    void redo();

    // The configuration as it stands is in a file now.
    void markClean();
    // A load replaced the configuration: a new history that starts from it, unmodified.
    void startOver();
    // No state in the history is in a file any more (the configuration came from a unit).
    void forgetClean();

signals:
    void changed();
    // A whole configuration took the place of the one shown: a load, a new one or a preset.
    void replaced();

private:
    void record(const QString& text, const std::function<void()>& edit);
    void followClean();

    Configuration& m_config;
    QUndoStack m_stack;
    bool m_restoring = false;
};
