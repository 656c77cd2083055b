// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/DeviceImage.h"
#include "device/TransferResult.h"
#include "files/RestoreJournal.h"

#include <QString>
#include <memory>
#include <optional>

class DeviceLink;
class HidAccess;
class QLockFile;

// One unit while its inputs are identified, for the window and the tool alike: its own
// configuration is read and kept, a temporary one that gives every input a key of its own
// goes on only when needed (journaled first), and the unit's own goes back at the end.
class IdentifySession {
public:
    enum class Stage {
        Reading,   // the unit's own configuration or serial number
        Journal,   // keeping the unit's own configuration on disk
        Writing,   // the identification configuration
        Restoring, // the unit's own configuration, back onto the unit
        Verifying, // reading it back: `location` is the first location that differs
        Finding,   // the unit with the journaled serial number is not attached
        Serial,    // no serial number to tell the unit by: `reason` is empty when it cannot be
                   // read, "shared" when another attached unit has the same
        Stale,     // the journal's configuration is older than the unit's: `reason` is when
                   // it was kept (ISO 8601, UTC); nothing was written
        Locked,    // another program identifies or restores the unit: `reason` says which
    };
    struct Outcome {
        TransferResult result = TransferResult::Success;
        Stage stage = Stage::Reading;
        int location = -1; // the first location that differs, for Stage::Verifying
        QString reason;    // what else the stage says; for Stage::Journal the file's path and
                           // the system's reason
        bool ok() const {
            return result == TransferResult::Success && location < 0 && reason.isEmpty();
        }
    };

    IdentifySession(HidAccess& access, DeviceLink& link, RestoreJournal& journal);
    // A session whose unit still holds the identification configuration puts the unit's own
    // back when it ends without putBack().
    ~IdentifySession();
    IdentifySession(const IdentifySession&) = delete;
    IdentifySession& operator=(const IdentifySession&) = delete;

    // Reads the unit's serial number and its own configuration, and holds the unit's lock.
    // When the journal still holds a configuration for that unit (a session that was
    // killed), that one is the unit's own while the unit holds the temporary one or part of
    // it; an entry the unit already equals is removed; one older than what the unit holds
    // ends the start with Stage::Stale (see staleEntry()).
    Outcome start(int unit);
    int unit() const { return m_unit; }
    QString serial() const { return m_serial; }
    const DeviceImage& ownImage() const { return m_own; }
    // The journal entry that start() found older than the unit's configuration.
    const std::optional<JournalEntry>& staleEntry() const { return m_stale; }
    // Whether identifying needs the temporary configuration: what the unit holds does not
    // give every pressable input a plain key of its own.
    bool needsWrite() const;
    // Journals the unit's own configuration (on disk before anything is written), then
    // writes the identification configuration to the unit with the serial number read.
    Outcome putIdentificationImage();
    // Whether the unit holds something other than its own configuration (or may, after a
    // failed write): putBack() has work to do.
    bool written() const { return m_written; }
    // What the unit holds now, which names the slot of each press.
    const DeviceImage& onUnit() const { return m_onUnit; }
    // The slot a press of this Linux key came from; -1 when no pressable slot sends it.
    int slotForEventCode(int eventCode) const;
    // Writes the unit's own configuration back when another was written, reads it back, and
    // removes the journal entry once it is equal. The unit is found by its serial number, so
    // a unit that was pulled out and plugged in again, under another number, is found too.
    Outcome putBack();
    // Gives up putting the unit's own configuration back: it stays in the journal, to be
    // offered again, and the session's end does no exchange.
    void leaveToJournal() { m_written = false; }

    // Puts a journaled configuration back onto the attached unit with its serial number,
    // only while that unit holds the temporary configuration or part of it: write, read
    // back, and the entry removed once equal. An entry the unit already equals is removed.
    static Outcome restore(HidAccess& access, DeviceLink& link, RestoreJournal& journal,
                           const JournalEntry& entry);

    // After a new configuration went onto `unit`: the user chose it, so a configuration kept
    // of that unit must never be put back over it.
    static FileResult retire(HidAccess& access, DeviceLink& link, RestoreJournal& journal,
                             int unit);

private:
    Outcome readUnit(int unit);

    HidAccess& m_access;
    DeviceLink& m_link;
    RestoreJournal& m_journal;
    std::unique_ptr<QLockFile> m_lock;
    int m_unit = 0;
    QString m_serial;
    QString m_key;
    DeviceImage m_own;
    DeviceImage m_identifying;
    DeviceImage m_onUnit;
    std::optional<JournalEntry> m_stale;
    bool m_written = false;
};
