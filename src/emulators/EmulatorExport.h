// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulators/EmulatorKey.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class Configuration;

// One control of an emulator's map: the slot whose role it is, and the key the emulator
// is told to take for it (for RetroArch, without the modifiers it cannot bind).
struct ExportedControl {
    int slot = -1;
    int role = 0;
    QString control; // MAME's port type or RetroArch's bind name
    EmulatorKey key;
};

// What the configuration's panel roles say to an emulator: a control for every slot whose
// role the emulator has and whose key it can name, and a warning for everything it
// cannot be told or will not see as the panel means it: a role without a key, a key
// without a name, modifiers RetroArch cannot bind, and inputs that press another
// control's keys (the emulator's own keys for roles not on the panel among them).
class EmulatorExport {
    Q_DECLARE_TR_FUNCTIONS(EmulatorExport)
public:
    EmulatorExport(Emulator emulator, const Configuration& config);

    Emulator emulator() const { return m_emulator; }
    const QList<ExportedControl>& controls() const { return m_controls; }
    const QStringList& warnings() const { return m_warnings; }
    // Why nothing can be written at all (no slot has a role), or "".
    QString error() const { return m_error; }

private:
    void addSlot(const Configuration& config, int slot);
    void findClashes(const Configuration& config);

    Emulator m_emulator;
    QList<ExportedControl> m_controls;
    QStringList m_warnings;
    QString m_error;
};
