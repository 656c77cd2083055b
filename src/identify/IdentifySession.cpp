// SPDX-License-Identifier: GPL-3.0-or-later
#include "identify/IdentifySession.h"

#include "device/DeviceLink.h"
#include "device/HidAccess.h"
#include "device/UnitListScope.h"
#include "device/UnitListing.h"
#include "identify/IdentificationImage.h"
#include "model/ConfigurationDifferences.h"

#include <QLockFile>

namespace {

using Outcome = IdentifySession::Outcome;
using Stage = IdentifySession::Stage;
using IdentificationImage::Holding;

Outcome failed(Stage stage, TransferResult result, const QString& reason = {}) {
    return {result, stage, -1, reason};
}

// A unit as the journal knows it: by its serial number's raw characters, or, for an entry
// kept before entries carried them, by its serial number as shown.
struct Identity {
    QString key;
    QString serial;
    bool matches(const ListedUnit& listed) const {
        return listed.accessible() && listed.serialReadable() &&
               (key.isEmpty() ? listed.serial == serial : listed.serialKey() == key);
    }
};

// The number the unit with this serial has now: units can be pulled out and plugged in again
// meanwhile, and come back under another number, and another unit can take the old number.
// 0 when it is not attached, -1 when more than one attached unit answers to it.
int findUnit(HidAccess& access, DeviceLink& link, const Identity& who, int likely) {
    if (likely > 0) {
        if (const auto listed = ListUnit(access, link, likely, Serials::Ask);
            listed && who.matches(*listed))
            return likely;
    }
    int found = 0;
    for (const ListedUnit& listed : ListUnits(access, link, Serials::Ask))
        if (who.matches(listed))
            found = found == 0 ? listed.unit : -1;
    return found;
}

Outcome notFound(int unit) {
    return unit < 0 ? failed(Stage::Serial, TransferResult::IoError, QStringLiteral("shared"))
                    : failed(Stage::Finding, TransferResult::DeviceNotFound);
}

// Writes `image` to unit `unit`, reads it back and compares.
Outcome putOnUnit(DeviceLink& link, int unit, const DeviceImage& image) {
    if (TransferResult r = link.SendImageToUnit(DeviceIdentifier, unit, image);
        r != TransferResult::Success)
        return failed(Stage::Restoring, r);
    DeviceImage back;
    if (TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, back);
        r != TransferResult::Success)
        return failed(Stage::Verifying, r);
    if (const QList<int> differ = ConfigurationDifferences::of(image.bytes, back.bytes).locations();
        !differ.isEmpty())
        return {TransferResult::IoError, Stage::Verifying, differ.first(), {}};
    return {};
}

Outcome journalFailure(const FileResult& r) {
    return failed(Stage::Journal, TransferResult::Success,
                  r.reason.isEmpty() ? r.message : r.message + QLatin1String(": ") + r.reason);
}

Outcome stale(const JournalEntry& entry) {
    return failed(Stage::Stale, TransferResult::IoError, entry.time.toUTC().toString(Qt::ISODate));
}

// The lock's name for an entry kept before entries carried a key.
QString lockKey(const JournalEntry& entry) {
    return entry.key.isEmpty() ? QString::fromLatin1(entry.serial.toUtf8().toHex()) : entry.key;
}

} // namespace

IdentifySession::IdentifySession(HidAccess& access, DeviceLink& link, RestoreJournal& journal)
    : m_access(access), m_link(link), m_journal(journal) {}

IdentifySession::~IdentifySession() {
    // The last resort: whoever ended the session without putting the unit's own configuration
    // back has no one left to tell; the journal still holds it when this fails too.
    if (m_written)
        putBack();
}

Outcome IdentifySession::readUnit(int unit) {
    const auto listed = ListUnit(m_access, m_link, unit, Serials::Ask);
    if (!listed || !listed->accessible())
        return failed(Stage::Reading, TransferResult::DeviceNotFound);
    // Without a serial number of its own the unit could not be found again, nor told from
    // another: its configuration could end up on the wrong unit.
    if (!listed->serialReadable())
        return failed(Stage::Serial, TransferResult::IoError);
    m_serial = listed->serial;
    m_key = listed->serialKey();
    for (const ListedUnit& other : ListUnits(m_access, m_link, Serials::Ask))
        if (other.unit != unit && other.accessible() && other.serial == m_serial)
            return notFound(-1);
    if (const FileResult r = m_journal.prepare(); !r.ok())
        return journalFailure(r);
    if (const QString why = m_journal.lock(m_key, m_lock); !why.isEmpty())
        return failed(Stage::Locked, TransferResult::IoError, why);
    const TransferResult r = m_link.ReceiveImageFromUnit(DeviceIdentifier, unit, m_onUnit);
    if (r != TransferResult::Success)
        return failed(Stage::Reading, r);
    return {};
}

Outcome IdentifySession::start(int unit) {
    UnitListScope scope(m_access);
    m_unit = unit;
    m_written = false;
    m_stale.reset();
    m_lock.reset();
    if (Outcome read = readUnit(unit); !read.ok())
        return read;
    m_own = m_onUnit;
    // A session that was killed left the unit's own configuration in the journal, and the
    // unit may still hold the temporary one, or part of it: then the journal's is the unit's
    // own. A unit that holds something else has had a newer configuration written since.
    if (const auto pending = m_journal.pendingFor(m_key, m_serial)) {
        DeviceImage kept;
        kept.bytes = pending->image;
        switch (IdentificationImage::holding(kept, m_onUnit)) {
        case Holding::Own:
            if (const FileResult r = m_journal.remove(*pending); !r.ok())
                return journalFailure(r);
            break;
        case Holding::Temporary:
            m_own = kept;
            m_written = true;
            break;
        case Holding::Other:
            m_stale = pending;
            return stale(*pending);
        }
    }
    m_identifying = IdentificationImage::build(m_own);
    return {};
}

bool IdentifySession::needsWrite() const {
    return !IdentificationImage::identifiesItself(m_onUnit);
}

Outcome IdentifySession::putIdentificationImage() {
    UnitListScope scope(m_access);
    // The unit numbers may have changed since start(): only the unit with the serial number
    // that was read gets the temporary configuration.
    const int unit = findUnit(m_access, m_link, {m_key, m_serial}, m_unit);
    if (unit <= 0)
        return notFound(unit);
    m_unit = unit;
    if (const FileResult r = m_journal.record(m_key, m_serial, m_own.bytes); !r.ok())
        return journalFailure(r);
    // From here on the unit may hold either configuration: putBack() must run.
    m_written = true;
    // Whatever a failed write left, the presses are named by what it meant to write.
    m_onUnit = m_identifying;
    if (TransferResult r = m_link.SendImageToUnit(DeviceIdentifier, m_unit, m_identifying);
        r != TransferResult::Success)
        return failed(Stage::Writing, r);
    return {};
}

int IdentifySession::slotForEventCode(int eventCode) const {
    return IdentificationImage::slotForEventCode(onUnit(), eventCode);
}

Outcome IdentifySession::putBack() {
    if (!m_written)
        return {};
    UnitListScope scope(m_access);
    const int unit = findUnit(m_access, m_link, {m_key, m_serial}, m_unit);
    if (unit <= 0)
        return notFound(unit);
    m_unit = unit;
    if (Outcome outcome = putOnUnit(m_link, unit, m_own); !outcome.ok())
        return outcome;
    m_written = false;
    m_onUnit = m_own;
    if (const FileResult r = m_journal.retire(m_key, m_serial); !r.ok())
        return journalFailure(r);
    return {};
}

Outcome IdentifySession::restore(HidAccess& access, DeviceLink& link, RestoreJournal& journal,
                                 const JournalEntry& entry) {
    std::unique_ptr<QLockFile> lock;
    if (const FileResult r = journal.prepare(); !r.ok())
        return journalFailure(r);
    if (const QString why = journal.lock(lockKey(entry), lock); !why.isEmpty())
        return failed(Stage::Locked, TransferResult::IoError, why);
    UnitListScope scope(access);
    const int unit = findUnit(access, link, {entry.key, entry.serial}, 0);
    if (unit <= 0)
        return notFound(unit);
    DeviceImage own, onUnit;
    own.bytes = entry.image;
    if (TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, onUnit);
        r != TransferResult::Success)
        return failed(Stage::Reading, r);
    const Holding holding = IdentificationImage::holding(own, onUnit);
    if (holding == Holding::Other)
        return stale(entry);
    if (holding == Holding::Temporary) {
        if (Outcome outcome = putOnUnit(link, unit, own); !outcome.ok())
            return outcome;
    }
    if (const FileResult r = journal.remove(entry); !r.ok())
        return journalFailure(r);
    return {};
}

FileResult IdentifySession::retire(HidAccess& access, DeviceLink& link, RestoreJournal& journal,
                                   int unit) {
    // Most writes find the journal empty: no unit is asked for its serial number then.
    if (journal.pending().isEmpty())
        return FileResult::success();
    const auto listed = ListUnit(access, link, unit, Serials::Ask);
    if (!listed || !listed->serialReadable())
        return FileResult::success();
    return journal.retire(listed->serialKey(), listed->serial);
}
