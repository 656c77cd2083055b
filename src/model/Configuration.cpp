// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Configuration.h"

#include "model/Modifiers.h"

#include <algorithm>

Configuration::Configuration(QObject* parent) : QObject(parent) {}

namespace {

// Where each flag and option lives, in the order of the enums: the one place that ties a
// name to a field.
constexpr bool KeySlot::*FlagField[] = {&KeySlot::control, &KeySlot::shift, &KeySlot::alt,
                                        &KeySlot::repeat};
constexpr bool AuxOptions::*OptionField[] = {&AuxOptions::reverseX, &AuxOptions::reverseY,
                                             &AuxOptions::activeHigh, &AuxOptions::rotaryOnAux,
                                             &AuxOptions::relayOnAux};
static_assert(std::size(FlagField) == Configuration::Flags.size());
static_assert(std::size(OptionField) == Configuration::Options.size());

// The AUX uses change before the trackball options, so that those are editable again by
// the time they change.
constexpr std::array<Configuration::Option, 5> RestoreOrder{
    Configuration::Option::RotaryOnAux, Configuration::Option::RelayOnAux,
    Configuration::Option::ReverseX, Configuration::Option::ReverseY,
    Configuration::Option::ActiveHigh};

} // namespace

bool& Configuration::flagRef(int slot, Flag flag) {
    return m_slots.at(slot).*FlagField[int(flag)];
}

bool& Configuration::optionRef(Option option) {
    return m_aux.*OptionField[int(option)];
}

bool Configuration::flag(int slot, Flag flag) const {
    return const_cast<Configuration*>(this)->flagRef(slot, flag);
}

bool Configuration::option(Option option) const {
    return const_cast<Configuration*>(this)->optionRef(option);
}

void Configuration::setFlag(int slot, Flag flag, bool on) {
    bool& value = flagRef(slot, flag);
    if (value == on)
        return;
    value = on;
    emit flagChanged(slot, flag, on);
    setConfigModified(true);
    if (!on || !isInputSlot(slot))
        return;
    if (flag == Flag::Repeat) {
        setFlag(slot, Flag::Control, false);
        setFlag(slot, Flag::Alt, false);
        setFlag(slot, Flag::Shift, false);
    } else {
        setFlag(slot, Flag::Repeat, false);
    }
}

void Configuration::setKeyCode(int slot, quint8 code) {
    KeySlot& s = m_slots.at(slot);
    if (!s.keyBlank && s.keyCode == code)
        return;
    s.keyCode = code;
    s.keyBlank = false;
    emit keyChanged(slot);
}

void Configuration::assignKey(int slot, quint8 code) {
    setKeyCode(slot, code);
    setConfigModified(true);
}

void Configuration::clearKey(int slot) {
    KeySlot& s = m_slots.at(slot);
    if (s.keyBlank && s.keyCode == 0)
        return;
    s.keyCode = 0;
    s.keyBlank = true;
    emit keyChanged(slot);
}

void Configuration::setOption(Option option, bool on) {
    bool& value = optionRef(option);
    if (value == on)
        return;
    const bool wasAvailable = trackballOptionsAvailable();
    value = on;
    emit optionChanged(option, on);
    setConfigModified(true);
    if (wasAvailable != trackballOptionsAvailable())
        emit trackballAvailabilityChanged(trackballOptionsAvailable());
}

void Configuration::applyModifierByte(int slot, quint8 value) {
    const ModifierFlags f = DecodeModifiers(value);
    setFlag(slot, Flag::Control, f.control);
    setFlag(slot, Flag::Shift, f.shift);
    setFlag(slot, Flag::Alt, f.alt);
    setFlag(slot, Flag::Repeat, f.repeat);
}

void Configuration::applyOptionsByte(quint8 value) {
    const AuxOptions decoded = DecodeOptions(value);
    for (const Option option : Options)
        setOption(option, decoded.*OptionField[int(option)]);
}

quint8 Configuration::modifierByte(int slot) const {
    return EncodeModifiers(m_slots.at(slot));
}

quint8 Configuration::optionsByte() const {
    return EncodeOptions(m_aux);
}

void Configuration::restore(const ConfigState& state) {
    for (int k = 0; k < SlotCount; ++k) {
        const KeySlot& target = state.keySlots.at(k);
        if (target.keyBlank)
            clearKey(k);
        else
            setKeyCode(k, target.keyCode);
        for (const bool on : {false, true})
            for (const Flag f : Flags)
                if (target.*FlagField[int(f)] == on)
                    setFlag(k, f, on);
    }
    for (const Option option : RestoreOrder)
        setOption(option, state.aux.*OptionField[int(option)]);
    setRoles(state.roles);
}

int Configuration::setRole(int slot, int role) {
    if (!PanelRole::valid(role))
        role = PanelRole::None;
    SlotRole& s = m_roles.at(slot);
    if (s.role == role)
        return -1;
    const int holder = role == PanelRole::None ? -1 : slotWithRole(role);
    if (holder >= 0) {
        m_roles.at(holder).role = PanelRole::None;
        emit roleChanged(holder);
    }
    s.role = role;
    emit roleChanged(slot);
    setConfigModified(true);
    return holder;
}

void Configuration::setLabel(int slot, const QString& label) {
    const QString clean = PanelRole::cleanLabel(label);
    SlotRole& s = m_roles.at(slot);
    if (s.label == clean)
        return;
    s.label = clean;
    emit roleChanged(slot);
    setConfigModified(true);
}

int Configuration::slotWithRole(int role) const {
    if (role == PanelRole::None)
        return -1;
    for (int k = 0; k < SlotCount; ++k)
        if (m_roles[k].role == role)
            return k;
    return -1;
}

bool Configuration::hasRoles() const {
    return std::any_of(m_roles.begin(), m_roles.end(),
                       [](const SlotRole& r) { return !r.isEmpty(); });
}

void Configuration::setRoles(const std::array<SlotRole, SlotCount>& roles) {
    // Roles that go come off first, so that none is taken from a slot that keeps it.
    for (int k = 0; k < SlotCount; ++k)
        if (m_roles[k].role != roles[k].role)
            setRole(k, PanelRole::None);
    for (int k = 0; k < SlotCount; ++k) {
        setRole(k, roles[k].role);
        setLabel(k, roles[k].label);
    }
}

void Configuration::setConfigModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit configModifiedChanged(modified);
}

void Configuration::setCurrentFileName(const QString& fileName) {
    if (m_fileName == fileName)
        return;
    m_fileName = fileName;
    emit currentFileNameChanged(fileName);
}

void Configuration::ClearVariables() {
    setCurrentFileName(QString());
    restore(ConfigState{});
    setConfigModified(false);
}
