// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileResult.h"
#include "model/ConfigImage.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QLockFile;

// A unit's own configuration, kept on disk while the unit holds a temporary one, so that a
// program that is killed or a unit that is pulled out loses nothing: the next start of either
// program finds it and offers to put it back.
struct JournalEntry {
    QString key;    // the serial number's raw characters in hex: two units never share one
    QString serial; // as the user sees it
    QDateTime time; // when the temporary configuration went onto the unit
    ConfigImage::Bytes image{};
    QString path; // the file it was read from, which is the one removed
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
    FileResult record(const QString& key, const QString& serial, const ConfigImage::Bytes& image,
                      const QDateTime& time = QDateTime::currentDateTimeUtc());
    // Every unit whose own image has not been put back, oldest first. Files that are not
    // journal entries, and links, are left alone; a folder that others may write is not read.
    QList<JournalEntry> pending() const;
    // The entry for the unit with this key; an entry written before entries carried a key
    // is found by its serial number.
    std::optional<JournalEntry> pendingFor(const QString& key, const QString& serial) const;
    // Called only once the entry is of no more use: the unit holds its own image again, read
    // back equal, or the user chose to drop it.
    FileResult remove(const JournalEntry& entry);
    // The entry of `key`, if any, removed: a new configuration went onto that unit.
    FileResult retire(const QString& key, const QString& serial);

    // Makes the folder, or says why it cannot be used: before anything relies on it.
    FileResult prepare() const { return makeFolder(); }
    // One program at a time per unit: held while a session or a restore runs. Empty on
    // success; otherwise why not, naming the other program where the lock says.
    QString lock(const QString& key, std::unique_ptr<QLockFile>& held);

private:
    // Whether `entry` is the unit's; an entry kept before entries carried a key is known by
    // its serial number.
    static bool isFor(const JournalEntry& entry, const QString& key, const QString& serial);
    QString pathFor(const QString& key) const;
    FileResult makeFolder() const;

    QString m_folder;
};
