// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditHistory.h"

#include "app/EditStep.h"
#include "model/KeyCodes.h"
#include "model/SlotText.h"

using Flag = Configuration::Flag;
using Option = Configuration::Option;

EditHistory::EditHistory(Configuration& config, QObject* parent)
    : QObject(parent), m_config(config) {}

void EditHistory::setFlag(int slot, Flag flag, bool on) {
    record(tr("%1 on %2").arg(FlagName(flag), SlotName(slot)),
           [=, this] { m_config.setFlag(slot, flag, on); });
}

void EditHistory::setOption(Option option, bool on) {
    record(OptionName(option), [=, this] { m_config.setOption(option, on); });
}

void EditHistory::assignKey(int slot, quint8 code) {
    // The model marks the configuration even when the slot already had the key; that choice
    // changes nothing an undo could take back, so it leaves no step.
    record(tr("Key %1 on %2").arg(KeyCodeName(code), SlotName(slot)),
           [=, this] { m_config.assignKey(slot, code); });
}

int EditHistory::setRole(int slot, int role) {
    const int held = m_config.slotWithRole(role);
    record(role == PanelRole::None ? tr("No role on %1").arg(SlotName(slot))
                                   : tr("%1 on %2").arg(PanelRole::name(role), SlotName(slot)),
           [=, this] { m_config.setRole(slot, role); });
    return held == slot ? -1 : held;
}

void EditHistory::setLabel(int slot, const QString& label) {
    record(tr("Label on %1").arg(SlotName(slot)), [=, this] { m_config.setLabel(slot, label); });
}

void EditHistory::replaceAll(const QString& text, const ConfigState& state) {
    record(text, [=, this] { m_config.restore(state); });
    emit replaced();
}

void EditHistory::record(const QString& text, const std::function<void()>& edit) {
    // Showing the rotary rows lets pending events run in the middle of an undo; a click
    // taken there becomes its own step once the undo is complete.
    if (m_restoring) {
        QMetaObject::invokeMethod(
            this, [=, this] { record(text, edit); }, Qt::QueuedConnection);
        return;
    }
    const ConfigState before = m_config.state();
    edit();
    const ConfigState after = m_config.state();
    if (before == after)
        return;
    m_stack.push(new EditStep(m_config, before, after, text));
    followClean();
}

void EditHistory::undo() {
    // A second undo from within the first would undo the same step twice.
    if (m_restoring || !m_stack.canUndo())
        return;
    m_restoring = true;
    m_stack.undo();
    m_restoring = false;
    followClean();
}

void EditHistory::redo() {
    if (m_restoring || !m_stack.canRedo())
        return;
    m_restoring = true;
    m_stack.redo();
    m_restoring = false;
    followClean();
}

void EditHistory::markClean() {
    m_stack.setClean();
    followClean();
}

void EditHistory::startOver() {
    m_stack.clear();
    followClean();
    emit replaced();
}

void EditHistory::forgetClean() {
    m_stack.resetClean();
    followClean();
}

void EditHistory::followClean() {
    m_config.setConfigModified(!m_stack.isClean());
    emit changed();
}
