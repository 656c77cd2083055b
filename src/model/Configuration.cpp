// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Configuration.h"

#include "model/Modifiers.h"

Configuration::Configuration(QObject* parent) : QObject(parent) {}

bool& Configuration::flagRef(int slot, Flag flag) {
    KeySlot& s = m_slots.at(slot);
    switch (flag) {
    case Flag::Control:
        return s.control;
    case Flag::Shift:
        return s.shift;
    case Flag::Alt:
        return s.alt;
    case Flag::Repeat:
        break;
    }
    return s.repeat;
}

bool& Configuration::optionRef(Option option) {
    switch (option) {
    case Option::ReverseX:
        return m_aux.reverseX;
    case Option::ReverseY:
        return m_aux.reverseY;
    case Option::ActiveHigh:
        return m_aux.activeHigh;
    case Option::RotaryOnAux:
        return m_aux.rotaryOnAux;
    case Option::RelayOnAux:
        break;
    }
    return m_aux.relayOnAux;
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
    const AuxOptions o = DecodeOptions(value);
    setOption(Option::ReverseX, o.reverseX);
    setOption(Option::ReverseY, o.reverseY);
    setOption(Option::ActiveHigh, o.activeHigh);
    setOption(Option::RotaryOnAux, o.rotaryOnAux);
    setOption(Option::RelayOnAux, o.relayOnAux);
}

quint8 Configuration::modifierByte(int slot) const {
    return EncodeModifiers(m_slots.at(slot));
}

quint8 Configuration::optionsByte() const {
    return EncodeOptions(m_aux);
}

void Configuration::restore(const ConfigState& state) {
    static constexpr Flag flags[] = {Flag::Control, Flag::Shift, Flag::Alt, Flag::Repeat};
    for (int k = 0; k < SlotCount; ++k) {
        const KeySlot& target = state.keySlots.at(k);
        if (target.keyBlank)
            clearKey(k);
        else
            setKeyCode(k, target.keyCode);
        const auto wanted = [&target](Flag f) {
            switch (f) {
            case Flag::Control:
                return target.control;
            case Flag::Shift:
                return target.shift;
            case Flag::Alt:
                return target.alt;
            case Flag::Repeat:
                break;
            }
            return target.repeat;
        };
        for (Flag f : flags)
            if (!wanted(f))
                setFlag(k, f, false);
        for (Flag f : flags)
            if (wanted(f))
                setFlag(k, f, true);
    }
    setOption(Option::ReverseX, state.aux.reverseX);
    setOption(Option::ReverseY, state.aux.reverseY);
    setOption(Option::ActiveHigh, state.aux.activeHigh);
    setOption(Option::RotaryOnAux, state.aux.rotaryOnAux);
    setOption(Option::RelayOnAux, state.aux.relayOnAux);
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
    for (int k = 0; k < SlotCount; ++k) {
        clearKey(k);
        setFlag(k, Flag::Control, false);
        setFlag(k, Flag::Alt, false);
        setFlag(k, Flag::Shift, false);
        setFlag(k, Flag::Repeat, false);
    }
    // The rotary section goes before the trackball options so that they are editable
    // again by the time they are cleared.
    setOption(Option::RotaryOnAux, false);
    setOption(Option::RelayOnAux, false);
    setOption(Option::ReverseX, false);
    setOption(Option::ReverseY, false);
    setOption(Option::ActiveHigh, false);
    setConfigModified(false);
}
