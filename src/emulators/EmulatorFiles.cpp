// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/EmulatorFiles.h"

#include "emulators/EmulatorExport.h"
#include "emulators/MameConfigFile.h"
#include "emulators/RetroArchConfigFile.h"

#include <QDir>

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
    const QByteArray bytes = map.emulator() == Emulator::Mame ? MameConfigFile::write(map)
                                                              : RetroArchConfigFile::write(map);
    FileResult r = WriteOutput(path, bytes, ExistingTail::Drop, wait);
    if (!r.ok())
        r.message = tr("Cannot write \"%1\":\n%2.").arg(shown(path), r.reason);
    return r;
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
    backup = backupName(path);
    r = WriteOutput(backup, old.bytes, ExistingTail::Drop, ReaderWait::Refuse);
    if (!r.ok())
        return failed(r.status,
                      tr("Cannot keep a backup of \"%1\" as \"%2\":\n%3.\n\nThe file is left as "
                         "it was.")
                          .arg(shown(path), shown(backup), r.reason),
                      r.reason);
    const QByteArray merged =
        RetroArchConfigFile::merge(old.bytes, RetroArchConfigFile::binds(map));
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
    QString why;
    std::optional<EmulatorImport> source =
        input.complete ? EmulatorImport::fromFile(input.bytes, why) : std::nullopt;
    if (!input.complete)
        why = tr("It is longer than any emulator configuration.");
    if (!source)
        error = tr("Cannot take keys from \"%1\":\n%2").arg(shown(path), why);
    return source;
}
