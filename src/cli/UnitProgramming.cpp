// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UnitProgramming.h"

#include "identify/IdentifyWording.h"

#include "files/RestoreJournal.h"
#include "identify/IdentifySession.h"

#include "cli/TerminalProgress.h"
#include "device/DeviceImage.h"
#include "device/DeviceLink.h"
#include "device/HidAccess.h"
#include "device/UnitListScope.h"
#include "device/UnitListing.h"
#include "files/ConfigFile.h"
#include "files/FileAccess.h"
#include "model/ConfigImage.h"
#include "model/Configuration.h"
#include "model/ConfigurationDifferences.h"
#include "model/SlotText.h"

#include <QDir>
#include <QStringList>
#include <cstring>

int UnitProgramming::worse(int a, int b) {
    return severity(b) > severity(a) ? b : a;
}

int UnitProgramming::severity(int status) {
    switch (status) {
    case Differs:
        return 6;
    case IoError:
        return 5;
    case AccessDenied:
        return 4;
    case NoUnit:
        return 3;
    case CannotWrite:
        return 2;
    default:
        return status ? 1 : 0;
    }
}

UnitProgramming::Outcome UnitProgramming::notFound(HidAccess& access, const QString& what) {
    const OpenFailure why = access.lastOpenFailure();
    const QString detail = failureDetail(why);
    if (why.kind == OpenFailure::Kind::AccessDenied)
        return {AccessDenied, tr("%1: this user may not open the unit (%2)").arg(what, detail)};
    return {NoUnit, detail.isEmpty() ? what : tr("%1 (%2)").arg(what, detail)};
}

UnitProgramming::Outcome UnitProgramming::program(HidAccess& access, TerminalProgress& progress,
                                                  int unit, const DeviceImage& image,
                                                  const QString& backup,
                                                  UnreadableRoles unreadable) {
    DeviceLink link(access, progress, progress);
    if (!backup.isEmpty()) {
        DeviceImage old;
        const TransferResult r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, old);
        if (r == TransferResult::DeviceNotFound)
            return notFound(access, tr("Device Not Found while backing it up; not "
                                       "written"));
        if (r != TransferResult::Success)
            return {IoError, tr("Device I/O Error while backing it up; not written")};
        Configuration config;
        ApplyDeviceImage(config, old);
        // Through the one writer: a failed backup never leaves a damaged file behind.
        const FileResult saved = WriteConfigFile(config, backup, ReaderWait::Wait, unreadable);
        if (saved.status == FileResult::Status::RolesUnreadable)
            return {CannotWrite, tr("the backup %1 holds panel roles that cannot be read "
                                    "(--replace-roles replaces them); not written")
                                     .arg(QDir::toNativeSeparators(backup))};
        if (!saved.ok())
            return {CannotWrite, tr("cannot write the backup to %1: %2; not written")
                                     .arg(QDir::toNativeSeparators(backup), saved.reason)};
    }
    TransferResult r = link.SendImageToUnit(DeviceIdentifier, unit, image);
    if (r == TransferResult::DeviceNotFound)
        return notFound(access, tr("Device Not Found"));
    if (r == TransferResult::IoError)
        return {IoError, tr("Device I/O Error while writing; the unit is only partly "
                            "programmed, write it again")};
    DeviceImage back;
    r = link.ReceiveImageFromUnit(DeviceIdentifier, unit, back);
    if (r != TransferResult::Success)
        return {r == TransferResult::DeviceNotFound ? NoUnit : IoError,
                r == TransferResult::DeviceNotFound
                    ? tr("written, but reading it back failed (Device Not Found)")
                    : tr("written, but reading it back failed (Device I/O Error)")};
    // Every byte sent must come back, as the window's Verify After Writing checks it.
    const auto differences = ConfigurationDifferences::of(image.bytes, back.bytes);
    if (differences.sameBytes()) {
        // The user chose this configuration: one that identify kept of the unit must never
        // be put back over it.
        RestoreJournal journal;
        if (const FileResult kept = IdentifySession::retire(access, link, journal, unit);
            !kept.ok())
            return {CannotWrite, tr("written and read back equal, but the configuration that "
                                    "identify kept of it cannot be forgotten (%1: %2)")
                                     .arg(QDir::toNativeSeparators(kept.message), kept.reason)};
        return {};
    }
    QStringList where;
    for (const int location : differences.locations())
        where << IdentifyWording::locationName(location);
    return {Differs, tr("the unit holds something else than was written: %1")
                         .arg(where.join(QStringLiteral(", ")))};
}

UnitWatch::Outcome UnitProgramming::programPlugIn(HidAccess& access, const QString& node,
                                                  const DeviceImage& image) {
    using Outcome = UnitWatch::Outcome;
    UnitListScope scope(access);
    // Every encoder attached, however many: only the window's choice stops at four.
    int unit = 0;
    for (int n = 1; !unit; ++n) {
        const QString path = access.unitPath(n);
        if (path.isEmpty() && n > MaxUnits)
            break;
        if (path == node)
            unit = n;
    }
    if (!unit)
        return {};       // another device, or gone already
    QTextStream nowhere; // units programmed side by side draw no progress bar
    TerminalProgress quiet(nowhere, false);
    DeviceLink link(access, quiet, quiet);
    const std::optional<ListedUnit> listed = ListUnit(access, link, unit, Serials::Ask);
    if (!listed)
        return {Outcome::Result::Failed, {}, tr("Device Not Found")};
    if (!listed->accessible())
        return {Outcome::Result::Failed,
                {},
                tr("this user may not open the unit (%1)").arg(failureDetail(listed->refused))};
    DeviceImage held;
    if (link.ReceiveImageFromUnit(DeviceIdentifier, unit, held) != TransferResult::Success)
        return {Outcome::Result::Failed, listed->serial, tr("Device I/O Error while reading")};
    if (held == image)
        return {Outcome::Result::AlreadyProgrammed, listed->serial, {}};
    const UnitProgramming::Outcome written = program(access, quiet, unit, image, {});
    if (written.status != Success)
        return {Outcome::Result::Failed, listed->serial, written.message};
    return {Outcome::Result::Programmed, listed->serial, {}};
}

QString UnitProgramming::failureDetail(const OpenFailure& why) {
    const QString where = why.path.isEmpty() ? tr("unit %1").arg(why.unit) : why.path;
    switch (why.kind) {
    case OpenFailure::Kind::UnitsChanged:
        return tr("%1 is no longer unit %2: units were plugged in or removed during "
                  "the command")
            .arg(where, QString::number(why.unit));
    case OpenFailure::Kind::AccessDenied:
    case OpenFailure::Kind::OpenFailed:
        return tr("%1: %2").arg(where, why.systemError
                                           ? QString::fromLocal8Bit(std::strerror(why.systemError))
                                           : tr("cannot be opened"));
    case OpenFailure::Kind::None:
    case OpenFailure::Kind::NoSuchUnit:
        break;
    }
    return {};
}
