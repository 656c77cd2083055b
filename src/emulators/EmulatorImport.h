// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulators/EmulatorKey.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Configuration;

// Keys from an emulator's map: every slot with a role gets the key the emulator expects for
// it, either the emulator's own (as it ships) or what a file of the user's says: a
// retroarch.cfg, or a MAME default.cfg or controller file. A role whose key cannot be had
// (no key, a joystick only, several keys at once, a key the encoder cannot send) is named
// and its slot left as it was.
class EmulatorImport {
    Q_DECLARE_TR_FUNCTIONS(EmulatorImport)
public:
    struct Result {
        QStringList notes; // each role left as it was, and why; inputs now on one key
        int changed = 0;   // slots whose key changed
        int roles = 0;     // slots with a role the emulator has
        QString error;     // why nothing could be done (no slot has a role)
    };

    static EmulatorImport defaults(Emulator emulator);
    // Which emulator's file it is, the bytes tell; nothing, with the reason, when they are
    // neither.
    static std::optional<EmulatorImport> fromFile(const QByteArray& bytes, QString& error);

    Emulator emulator() const { return m_emulator; }
    // "MAME's own keys", "the keys of this RetroArch configuration".
    QString description() const;
    // Sets the keys on `config` through its setters, so the editing rules hold; the caller
    // keeps an undo step or writes the result.
    Result apply(Configuration& config) const;

private:
    EmulatorImport(Emulator emulator, bool fromFile) : m_emulator(emulator), m_fromFile(fromFile) {}
    // The key for a role, or false with the reason there is none; an empty reason when the
    // emulator has no key of its own for the role.
    bool keyFor(int role, EmulatorKey& key, QString& reason) const;
    bool mameKey(const QString& sequence, EmulatorKey& key, QString& reason) const;
    bool retroArchKey(const QString& bind, EmulatorKey& key, QString& reason) const;
    // A note for each changed slot that now sends what another slot sends.
    static void sameKeys(const Configuration& config, const QList<int>& changed,
                         QStringList& notes);

    Emulator m_emulator;
    bool m_fromFile;
    QHash<QString, QString> m_values; // MAME: port -> sequence; RetroArch: name -> value
};
