// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/EmulatorFiles.h"

#include "emulators/EmulatorExport.h"
#include "emulators/MameConfigFile.h"
#include "emulators/RetroArchConfigFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

FileResult failed(FileResult::Status status, const QString& message, const QString& reason) {
    FileResult r = FileResult::failure(status, message);
    r.reason = reason;
    return r;
}

} // namespace

FileResult EmulatorFiles::write(const EmulatorExport& map, const QString& path, ReaderWait wait) {
    // The binds alone over a whole retroarch.cfg would lose every other setting in it.
    InputBytes old;
    if (map.emulator() == Emulator::RetroArch && QFileInfo(path).isFile() &&
        ReadInput(path, InputKind::RegularFile, old).ok() &&
        RetroArchConfigFile::holdsSettings(old.bytes))
        return failed(FileResult::Status::Rejected,
                      tr("\"%1\" holds RetroArch settings other than binds, which the binds "
                         "alone would replace, so it is left as it was. Merge the binds into it "
                         "instead.")
                          .arg(shown(path)),
                      QString());
    FileResult r = WriteOutput(path, contents(map), ExistingTail::Drop, wait);
    if (!r.ok())
        r.message = tr("Cannot write \"%1\":\n%2.").arg(shown(path), r.reason);
    return r;
}

QByteArray EmulatorFiles::contents(const EmulatorExport& map) {
    return map.emulator() == Emulator::Mame ? MameConfigFile::write(map)
                                            : RetroArchConfigFile::write(map);
}

FileResult EmulatorFiles::merge(const EmulatorExport& map, const QString& path, QString& backup) {
    InputBytes old;
    FileResult r = ReadInput(path, InputKind::RegularFile, old);
    if (!r.ok())
        return failed(r.status, tr("Cannot read \"%1\":\n%2.").arg(shown(path), r.reason),
                      r.reason);
    if (!old.complete)
        return failed(FileResult::Status::TooLarge,
                      tr("\"%1\" is longer than any RetroArch configuration, so it is left "
                         "as it was.")
                          .arg(shown(path)),
                      QString());
    if (!old.bytes.trimmed().isEmpty() && !RetroArchConfigFile::looksLike(old.bytes))
        return failed(FileResult::Status::Rejected,
                      tr("\"%1\" holds no RetroArch binds (no input_ lines), so it is left "
                         "as it was. Give the binds a file of their own instead.")
                          .arg(shown(path)),
                      QString());
    const QByteArray merged =
        RetroArchConfigFile::merge(old.bytes, RetroArchConfigFile::binds(map));
    // Nothing to change is nothing to back up: merging again adds no backup.
    backup.clear();
    if (merged == old.bytes)
        return FileResult::success();
    backup = backupName(path);
    // The backup is made with the file's own permissions before anything is in it: a
    // retroarch.cfg may hold passwords.
    QFile made(backup);
    if (made.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        made.setPermissions(QFile::permissions(path));
    made.close();
    r = WriteOutput(backup, old.bytes, ExistingTail::Drop, ReaderWait::Refuse);
    if (!r.ok())
        return failed(r.status,
                      tr("Cannot keep a backup of \"%1\" as \"%2\":\n%3.\n\nThe file is left as "
                         "it was.")
                          .arg(shown(path), shown(backup), r.reason),
                      r.reason);
    r = WriteOutput(path, merged, ExistingTail::Drop, ReaderWait::Refuse);
    if (!r.ok())
        r.message =
            tr("Cannot write \"%1\":\n%2.\n\nIt is left as it was.").arg(shown(path), r.reason);
    return r;
}

QString EmulatorFiles::backupName(const QString& path) {
    QString name = path + QStringLiteral(".bak");
    for (int n = 2; PathExists(name); ++n)
        name = path + QStringLiteral(".bak%1").arg(n);
    return name;
}

std::optional<EmulatorImport> EmulatorFiles::read(const QString& path, InputKind kind,
                                                  QString& error) {
    InputBytes input;
    const FileResult r = ReadInput(path, kind, input);
    if (!r.ok()) {
        error = tr("Cannot read \"%1\":\n%2.").arg(shown(path), r.reason);
        return std::nullopt;
    }
    QString why = tr("It is longer than any emulator configuration.");
    std::optional<EmulatorImport> source =
        input.complete ? EmulatorImport::fromFile(input.bytes, why) : std::nullopt;
    if (!source)
        error = tr("Cannot take keys from \"%1\":\n%2").arg(shown(path), why);
    return source;
}
