// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/EmulatorImport.h"

#include "emulators/EmulatorControls.h"
#include "emulators/EmulatorKeys.h"
#include "emulators/MameConfigFile.h"
#include "emulators/RetroArchConfigFile.h"
#include "model/Configuration.h"
#include "model/PanelRole.h"
#include "model/SlotText.h"

#include <algorithm>

namespace {

bool isModifier(int code) {
    return code == EmulatorKeys::LeftControl || code == EmulatorKeys::LeftShift ||
           code == EmulatorKeys::LeftAlt;
}

bool isSet(const QString& value) {
    return !value.isEmpty() && value != QLatin1String("nul");
}

} // namespace

EmulatorImport EmulatorImport::defaults(Emulator emulator) {
    return EmulatorImport(emulator, false);
}

std::optional<EmulatorImport> EmulatorImport::fromFile(const QByteArray& bytes, QString& error) {
    if (MameConfigFile::looksLike(bytes)) {
        EmulatorImport source(Emulator::Mame, true);
        QString why;
        if (!MameConfigFile::read(bytes, source.m_values, why)) {
            error = tr("It is not a MAME configuration file that can be read: %1.").arg(why);
            return std::nullopt;
        }
        return source;
    }
    if (RetroArchConfigFile::looksLike(bytes)) {
        EmulatorImport source(Emulator::RetroArch, true);
        source.m_values = RetroArchConfigFile::read(bytes);
        return source;
    }
    error = tr("It is neither a RetroArch configuration (no input_ lines) nor a MAME "
               "configuration file (no <mameconfig> element).");
    return std::nullopt;
}

QString EmulatorImport::description() const {
    if (m_emulator == Emulator::Mame)
        return m_fromFile ? tr("the keys of this MAME configuration file") : tr("MAME's own keys");
    return m_fromFile ? tr("the keys of this RetroArch configuration") : tr("RetroArch's own keys");
}

EmulatorImport::Result EmulatorImport::apply(Configuration& config) const {
    Result result;
    if (!config.hasRoles()) {
        result.error = tr("No input has a panel role yet, so no input can take a key from "
                          "an emulator. Give the inputs their roles first: right-click an "
                          "input in the window, or let tarvenpad identify --roles learn them.");
        return result;
    }
    const QString emulator = EmulatorControls::name(m_emulator);
    QList<int> changed;
    QStringList left; // roles the emulator has no key of its own for
    const QString ownless = tr("%1 has no key of its own for it").arg(emulator);
    for (int slot = 0; slot < Configuration::SlotCount; ++slot) {
        const int role = config.slotRole(slot).role;
        if (!PanelRole::valid(role))
            continue;
        const QString who = SlotNameWithRole(config, slot);
        if (EmulatorControls::control(m_emulator, role).isEmpty()) {
            result.notes << tr("%1: %2 has no control for %3; left as it was.")
                                .arg(who, emulator, PanelRole::name(role));
            continue;
        }
        ++result.roles;
        EmulatorKey key;
        QString reason;
        if (!keyFor(role, key, reason)) {
            // RetroArch has nothing for players 2 to 4: one note for them all, not dozens.
            if (reason.isEmpty())
                left << who;
            else
                result.notes << tr("%1: %2; left as it was.").arg(who, reason);
            continue;
        }
        const KeySlot before = config.slot(slot);
        // Modifiers off before on, so that the model's rule for inputs (modifiers or
        // Repeat) sees the end state it must.
        const std::pair<Configuration::Flag, bool> flags[] = {
            {Configuration::Flag::Control, key.control},
            {Configuration::Flag::Shift, key.shift},
            {Configuration::Flag::Alt, key.alt}};
        for (const auto& [flag, on] : flags)
            if (!on)
                config.setFlag(slot, flag, false);
        for (const auto& [flag, on] : flags)
            if (on)
                config.setFlag(slot, flag, true);
        if (before.keyBlank || before.keyCode != key.code)
            config.assignKey(slot, key.code);
        if (!(config.slot(slot) == before)) {
            ++result.changed;
            changed << slot;
        }
    }
    if (left.size() == 1)
        result.notes.prepend(tr("%1: %2; left as it was.").arg(left[0], ownless));
    else if (!left.isEmpty())
        result.notes.prepend(tr("%1 has no key of its own for these, left as they were: %2.")
                                 .arg(emulator, left.join(QStringLiteral(", "))));
    sameKeys(config, changed, result.notes);
    return result;
}

void EmulatorImport::sameKeys(const Configuration& config, const QList<int>& changed,
                              QStringList& notes) {
    // The unit would send one key for two inputs: the emulator could not tell them apart.
    for (const int slot : changed) {
        const EmulatorKey key = EmulatorKey::of(config.slot(slot));
        for (int other = 0; other < Configuration::SlotCount; ++other) {
            if (other == slot || config.slot(other).keyBlank ||
                !(EmulatorKey::of(config.slot(other)) == key) ||
                (other < slot && changed.contains(other)))
                continue;
            notes << tr("%1 now sends %2, as %3 does: the emulator cannot tell them apart.")
                         .arg(SlotNameWithRole(config, slot), EmulatorKeys::text(key),
                              SlotNameWithRole(config, other));
        }
    }
}

bool EmulatorImport::keyFor(int role, EmulatorKey& key, QString& reason) const {
    const QString control = EmulatorControls::control(m_emulator, role);
    if (!m_fromFile || !m_values.contains(control)) {
        // MAME's files hold only what differs from its own keys, and a file of RetroArch
        // binds for --appendconfig only some: what they leave out is the emulator's own.
        key = EmulatorControls::defaultKey(m_emulator, role);
        return !key.isNone();
    }
    return m_emulator == Emulator::Mame ? mameKey(m_values.value(control), key, reason)
                                        : retroArchKey(control, key, reason);
}

bool EmulatorImport::mameKey(const QString& sequence, EmulatorKey& key, QString& reason) const {
    // A sequence is alternatives joined by OR; each is codes held together, with NOT before
    // a code that must not be held. The first alternative the encoder can send is taken.
    const QStringList alternatives = sequence.split(QStringLiteral(" OR "), Qt::SkipEmptyParts);
    reason = tr("MAME has no key for it");
    for (const QString& alternative : alternatives) {
        const QStringList tokens = alternative.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QList<int> codes;
        bool usable = true;
        for (qsizetype i = 0; i < tokens.size() && usable; ++i) {
            if (tokens[i] == QLatin1String("NOT")) {
                ++i;
                continue;
            }
            if (tokens[i] == QLatin1String("NONE") || tokens[i] == QLatin1String("DEFAULT")) {
                usable = false;
                continue;
            }
            const int code = EmulatorKeys::fromMameToken(tokens[i]);
            if (code < 0) {
                reason = tokens[i].startsWith(QLatin1String("KEYCODE_"))
                             ? tr("MAME's %1 is not a key the encoder can send").arg(tokens[i])
                             : tr("MAME has it on %1, which is not a key").arg(tokens[i]);
                usable = false;
            }
            codes << code;
        }
        if (!usable || codes.isEmpty())
            continue;
        EmulatorKey found{quint8(codes.takeLast())};
        for (const int code : codes) {
            found.control |= code == EmulatorKeys::LeftControl;
            found.shift |= code == EmulatorKeys::LeftShift;
            found.alt |= code == EmulatorKeys::LeftAlt;
        }
        const bool modifiersOnly =
            std::all_of(codes.begin(), codes.end(), isModifier) &&
            codes.size() == int(found.control) + int(found.shift) + int(found.alt);
        if (!modifiersOnly) {
            reason = tr("MAME's %1 is several keys at once").arg(alternative);
            continue;
        }
        key = found;
        return true;
    }
    return false;
}

bool EmulatorImport::retroArchKey(const QString& bind, EmulatorKey& key, QString& reason) const {
    const QString name = m_values.value(bind);
    const int code = EmulatorKeys::fromRetroArchName(name);
    if (code < 0) {
        reason = tr("RetroArch's key \"%1\" is not one the encoder can send").arg(name);
        return false;
    }
    if (code > 0) {
        key = EmulatorKey{quint8(code)};
        return true;
    }
    const QString button = m_values.value(bind + QStringLiteral("_mbtn"));
    if (const int mouse = EmulatorKeys::fromRetroArchMouseButton(button)) {
        key = EmulatorKey{quint8(mouse)};
        return true;
    }
    if (isSet(button))
        reason =
            tr("RetroArch has it on mouse button %1, which the encoder does not have").arg(button);
    else if (isSet(m_values.value(bind + QStringLiteral("_btn"))) ||
             isSet(m_values.value(bind + QStringLiteral("_axis"))))
        reason = tr("RetroArch has it on a joystick only");
    else
        reason = tr("RetroArch has no key for it");
    return false;
}
