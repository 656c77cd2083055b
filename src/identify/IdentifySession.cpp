// SPDX-License-Identifier: GPL-3.0-or-later
#include "identify/IdentifySession.h"

#include "device/DeviceLink.h"
#include "device/HidAccess.h"
#include "device/UnitListScope.h"
#include "device/UnitListing.h"
#include "identify/IdentificationImage.h"
#include "model/ConfigurationDifferences.h"

namespace {

using Outcome = IdentifySession::Outcome;
using Stage = IdentifySession::Stage;

Outcome failed(Stage stage, TransferResult result, const QString& detail = {}) {
    return {result, stage, detail};
}

// The number the unit with this serial has now: units can be pulled out and plugged in again
// meanwhile, and come back under another number. 0 when it is not attached.
int findUnit(HidAccess& access, DeviceLink& link, const QString& serial, int likely) {
    if (likely > 0) {
        if (const auto listed = ListUnit(access, link, likely, true);
            listed && listed->serial == serial)
            return likely;
    }
    for (const ListedUnit& listed : ListUnits(access, link, true))
        if (listed.serial == serial)
            return listed.unit;
    return 0;
}

// Writes `image` to the unit with `serial`, reads it back and compares.
Outcome putOnUnit(HidAccess& access, DeviceLink& link, const QString& serial, int likely,
                  const DeviceImage& image, int* foundUnit = nullptr) {
    UnitListScope scope(access);
    const int unit = findUnit(access, link, serial, likely);
    if (foundUnit)
        *foundUnit = unit;
    if (unit == 0)
        return failed(Stage::Finding, TransferResult::DeviceNotFound);
    if (TransferResult r = link.SendImageToUnit(DeviceIdentifier, unit, image);
        r != TransferResult::Success)
        return failed(Stage::Restoring, r);
    DeviceImage back;
    if (TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, back);
        r != TransferResult::Success)
        return failed(Stage::Verifying, r);
    if (const QList<int> differ = ConfigurationDifferences::of(image.bytes, back.bytes).locations();
        !differ.isEmpty())
        return failed(Stage::Verifying, TransferResult::IoError, QString::number(differ.first()));
    return {};
}

Outcome journalFailure(const FileResult& r) {
    return failed(Stage::Journal, TransferResult::Success,
                  r.reason.isEmpty() ? r.message : r.message + QLatin1String(": ") + r.reason);
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

Outcome IdentifySession::start(int unit) {
    UnitListScope scope(m_access);
    m_unit = unit;
    m_written = false;
    const auto listed = ListUnit(m_access, m_link, unit, true);
    if (!listed || !listed->accessible() || listed->serial.isEmpty())
        return failed(Stage::Reading, TransferResult::DeviceNotFound);
    m_serial = listed->serial;
    const TransferResult r = m_link.ReceiveImageFromUnit(DeviceIdentifier, unit, m_onUnit);
    if (r != TransferResult::Success)
        return failed(Stage::Reading, r);
    m_own = m_onUnit;
    // A session that was killed left the unit's own configuration in the journal, and the
    // unit most likely still holds the temporary one: the journal's is the unit's own, or it
    // would be overwritten there by the temporary one and lost.
    if (const auto pending = m_journal.pendingFor(m_serial)) {
        m_own.bytes = pending->image;
        m_written = m_own.bytes != m_onUnit.bytes;
    }
    m_identifying = IdentificationImage::build(m_own);
    return {};
}

bool IdentifySession::needsWrite() const {
    return !IdentificationImage::identifiesItself(m_onUnit);
}

Outcome IdentifySession::putIdentificationImage() {
    if (const FileResult r = m_journal.record(m_serial, m_own.bytes); !r.ok())
        return journalFailure(r);
    // From here on the unit may hold either configuration: putBack() must run.
    m_written = true;
    UnitListScope scope(m_access);
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
    int unit = 0;
    Outcome outcome = putOnUnit(m_access, m_link, m_serial, m_unit, m_own, &unit);
    if (unit != 0)
        m_unit = unit;
    if (!outcome.ok())
        return outcome;
    m_written = false;
    m_onUnit = m_own;
    if (const FileResult r = m_journal.remove(m_serial); !r.ok())
        return journalFailure(r);
    return {};
}

Outcome IdentifySession::restore(HidAccess& access, DeviceLink& link, RestoreJournal& journal,
                                 const JournalEntry& entry) {
    DeviceImage image;
    image.bytes = entry.image;
    Outcome outcome = putOnUnit(access, link, entry.serial, 0, image);
    if (!outcome.ok())
        return outcome;
    if (const FileResult r = journal.remove(entry.serial); !r.ok())
        return journalFailure(r);
    return {};
}
