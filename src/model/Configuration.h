// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AuxOptions.h"
#include "model/ConfigState.h"
#include "model/KeySlot.h"
#include "model/SlotRole.h"

#include <QObject>
#include <QString>
#include <array>

// The configuration being edited and its document state. Every change goes through the
// setters here, whether it comes from the user, a file, a unit or a reset, so the editing
// rules hold without any window and the window only follows the signals.
class Configuration : public QObject {
    Q_OBJECT
public:
    static constexpr int SlotCount = ConfigState::SlotCount;
    static constexpr int InputCount = 36;
    static constexpr int RotaryCount = 10;

    enum class Flag { Control, Shift, Alt, Repeat };
    Q_ENUM(Flag)
    enum class Option { ReverseX, ReverseY, ActiveHigh, RotaryOnAux, RelayOnAux };
    Q_ENUM(Option)

    // Every flag in the order loaders set them, every option in bit order, and the options
    // that only mean something while the AUX port carries a trackball.
    static constexpr std::array<Flag, 4> Flags{Flag::Control, Flag::Shift, Flag::Alt, Flag::Repeat};
    static constexpr std::array<Option, 5> Options{Option::ReverseX, Option::ReverseY,
                                                   Option::ActiveHigh, Option::RotaryOnAux,
                                                   Option::RelayOnAux};
    static constexpr std::array<Option, 3> TrackballOptions{Option::ReverseX, Option::ReverseY,
                                                            Option::ActiveHigh};

    explicit Configuration(QObject* parent = nullptr);

    static bool isInputSlot(int slot) { return slot >= 0 && slot < InputCount; }

    const KeySlot& slot(int slot) const { return m_slots.at(slot); }
    const AuxOptions& aux() const { return m_aux; }
    bool flag(int slot, Flag flag) const;
    bool option(Option option) const;

    // Input slots either repeat or carry modifiers: turning a modifier on turns Repeat off
    // and turning Repeat on turns the modifiers off. Rotary slots keep any combination.
    // Every change marks the configuration modified.
    void setFlag(int slot, Flag flag, bool on);
    void setControl(int slot, bool on) { setFlag(slot, Flag::Control, on); }
    void setShift(int slot, bool on) { setFlag(slot, Flag::Shift, on); }
    void setAlt(int slot, bool on) { setFlag(slot, Flag::Alt, on); }
    void setRepeat(int slot, bool on) { setFlag(slot, Flag::Repeat, on); }

    // Loading a code from a file or unit: the document state is the loader's business.
    void setKeyCode(int slot, quint8 code);
    // The user's choice from the key selection: marks modified even when the key is the same.
    void assignKey(int slot, quint8 code);

    void setOption(Option option, bool on);
    // ReverseX, ReverseY and ActiveHigh may be edited only while the AUX port is not used
    // for rotaries or relays.
    bool trackballOptionsAvailable() const { return !m_aux.rotaryOnAux && !m_aux.relayOnAux; }

    // Loaders apply a stored byte flag by flag in the encoder's order (Control, Shift, Alt,
    // Repeat; the options in bit order) so the same rules act as for the user's clicks.
    void applyModifierByte(int slot, quint8 value);
    void applyOptionsByte(quint8 value);
    quint8 modifierByte(int slot) const;
    quint8 optionsByte() const;

    // What a slot is for on the panel. Roles belong to the panel, not to the keys: loading a
    // unit's keys leaves them; a file, a preset, New and Undo set them. No two slots hold one
    // role: setting a role another slot holds takes it from there. Returns that slot, or -1.
    // Every change marks the configuration modified.
    const SlotRole& slotRole(int slot) const { return m_roles.at(slot); }
    int setRole(int slot, int role);
    // The label as PanelRole::cleanLabel makes it.
    void setLabel(int slot, const QString& label);
    // The slot that holds `role`, or -1.
    int slotWithRole(int role) const;
    bool hasRoles() const;
    std::array<SlotRole, SlotCount> roles() const { return m_roles; }
    // Every slot's role and label at once, through the setters above.
    void setRoles(const std::array<SlotRole, SlotCount>& roles);

    ConfigState state() const { return {m_slots, m_aux, m_roles}; }
    // Brings the slots and options back to an earlier state through the setters above, so
    // the window follows as for any other change. Flags are turned off before others are
    // turned on, which keeps the input-slot rule from touching flags the state wants; the AUX
    // uses change before the trackball options. Whether the result counts as modified is the
    // caller's business.
    void restore(const ConfigState& state);

    bool configModified() const { return m_modified; }
    void setConfigModified(bool modified);
    QString currentFileName() const { return m_fileName; }
    void setCurrentFileName(const QString& fileName);

    // Back to the defaults: no keys, no flags, no options, no file, nothing to save. The
    // same road as restore(), so the window follows as for Undo.
    void ClearVariables();

signals:
    void flagChanged(int slot, Configuration::Flag flag, bool on);
    void keyChanged(int slot);
    void optionChanged(Configuration::Option option, bool on);
    void trackballAvailabilityChanged(bool available);
    void configModifiedChanged(bool modified);
    void currentFileNameChanged(const QString& fileName);
    // The slot's role or label changed.
    void roleChanged(int slot);

private:
    void clearKey(int slot);
    bool& flagRef(int slot, Flag flag);
    bool& optionRef(Option option);

    std::array<KeySlot, SlotCount> m_slots{};
    AuxOptions m_aux;
    std::array<SlotRole, SlotCount> m_roles{};
    bool m_modified = false;
    QString m_fileName;
};
