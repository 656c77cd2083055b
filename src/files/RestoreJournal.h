// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileResult.h"
#include "model/ConfigImage.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// A unit's own configuration, kept on disk while the unit holds a temporary one, so that a
// program that is killed or a unit that is pulled out loses nothing: the next start of either
// program finds it and offers to put it back.
struct JournalEntry {
    QString serial;
    QDateTime time; // when the temporary configuration went onto the unit
    ConfigImage::Bytes image{};
    QString path;
};

class RestoreJournal {
public:
    // The journal in `folder`; by default the user's state folder.
    explicit RestoreJournal(const QString& folder = defaultFolder());
    // $XDG_STATE_HOME/tarvenpad, or ~/.local/state/tarvenpad.
    static QString defaultFolder();
    QString folder() const { return m_folder; }

    // Keeps the unit's own image, flushed to disk before this returns: only then may the
    // temporary configuration be written.
    FileResult record(const QString& serial, const ConfigImage::Bytes& image,
                      const QDateTime& time = QDateTime::currentDateTimeUtc());
    // Every unit whose own image has not been put back, oldest first. Files that are not
    // journal entries are left alone.
    QList<JournalEntry> pending() const;
    std::optional<JournalEntry> pendingFor(const QString& serial) const;
    // Called only once the unit holds its own image again, read back equal.
    FileResult remove(const QString& serial);

private:
    QString pathFor(const QString& serial) const;

    QString m_folder;
};
