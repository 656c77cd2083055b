// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RestoreJournal.h"

#include "files/FileAccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Prefix = QStringLiteral("restore-");
const QString Suffix = QStringLiteral(".json");
// A journal entry is a few hundred bytes; anything much longer is not one.
constexpr qsizetype MaxEntrySize = 4096;

FileResult folderFailure(const QString& folder, const QString& reason) {
    FileResult r = FileResult::failure(FileResult::Status::WriteFailed, folder);
    r.reason = reason;
    return r;
}

// The journal decides what is written onto units: a folder that someone else may write, or a
// link to one, could hand them another configuration.
QString unsafeFolder(const QString& folder) {
    struct stat st {};
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return QCoreApplication::translate("RestoreJournal", "it is not a folder");
    if (st.st_uid != ::geteuid())
        return QCoreApplication::translate("RestoreJournal", "it belongs to another user");
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        return QCoreApplication::translate("RestoreJournal", "other users may write to it");
    return {};
}

std::optional<JournalEntry> parse(const QString& path) {
    if (QFileInfo(path).isSymLink())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(MaxEntrySize));
    const QJsonObject o = doc.object();
    const QByteArray image =
        QByteArray::fromHex(o.value(QLatin1String("image")).toString().toLatin1());
    JournalEntry entry;
    entry.key = o.value(QLatin1String("key")).toString();
    entry.serial = o.value(QLatin1String("serial")).toString();
    entry.time = QDateTime::fromString(o.value(QLatin1String("time")).toString(), Qt::ISODate);
    // The key names the entry's lock file: one that is not hex was not written here, and
    // could name a file outside the folder.
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]*$"));
    if (entry.serial.isEmpty() || image.size() != ConfigImage::Size ||
        !hex.match(entry.key).hasMatch())
        return std::nullopt;
    std::copy(image.begin(), image.end(), entry.image.begin());
    entry.path = path;
    return entry;
}

} // namespace

RestoreJournal::RestoreJournal(const QString& folder) : m_folder(folder) {}

QString RestoreJournal::defaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QLatin1String("/.local/state");
    return state + QLatin1String("/tarvenpad");
}

QString RestoreJournal::pathFor(const QString& key) const {
    // Keys are hex, as parse() insists: the name cannot leave the folder, and two serial
    // numbers never share one.
    return m_folder + QLatin1Char('/') + Prefix + key + Suffix;
}

FileResult RestoreJournal::makeFolder() const {
    // One that others could write already may hold entries they planted: not made safe, refused.
    if (QFileInfo::exists(m_folder)) {
        if (const QString why = unsafeFolder(m_folder); !why.isEmpty())
            return folderFailure(m_folder, why);
    }
    if (!QDir().mkpath(m_folder))
        return folderFailure(m_folder, QString::fromLocal8Bit(std::strerror(errno)));
    if (::chmod(QFile::encodeName(m_folder).constData(), S_IRWXU) != 0)
        return folderFailure(m_folder, QString::fromLocal8Bit(std::strerror(errno)));
    if (const QString why = unsafeFolder(m_folder); !why.isEmpty())
        return folderFailure(m_folder, why);
    return FileResult::success();
}

FileResult RestoreJournal::record(const QString& key, const QString& serial,
                                  const ConfigImage::Bytes& image, const QDateTime& time) {
    if (FileResult r = makeFolder(); !r.ok())
        return r;
    const QString path = pathFor(key);
    if (QFileInfo(path).isSymLink())
        return folderFailure(path, QCoreApplication::translate("RestoreJournal", "it is a link"));
    QJsonObject o;
    o.insert(QLatin1String("key"), key);
    o.insert(QLatin1String("serial"), serial);
    o.insert(QLatin1String("time"), time.toUTC().toString(Qt::ISODate));
    o.insert(
        QLatin1String("image"),
        QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(image.data()), ConfigImage::Size).toHex()));
    // WriteOutput flushes the file to disk before it takes the entry's name.
    return WriteOutput(path, QJsonDocument(o).toJson(), ExistingTail::Drop, ReaderWait::Refuse);
}

QList<JournalEntry> RestoreJournal::pending() const {
    QList<JournalEntry> entries;
    const QDir dir(m_folder);
    if (!dir.exists() || !unsafeFolder(m_folder).isEmpty())
        return entries;
    for (const QString& name :
         dir.entryList({Prefix + QLatin1Char('*') + Suffix}, QDir::Files, QDir::Name)) {
        if (auto entry = parse(dir.filePath(name)))
            entries.append(*entry);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const JournalEntry& a, const JournalEntry& b) { return a.time < b.time; });
    return entries;
}

bool RestoreJournal::isFor(const JournalEntry& entry, const QString& key, const QString& serial) {
    return entry.key.isEmpty() ? entry.serial == serial : entry.key == key;
}

std::optional<JournalEntry> RestoreJournal::pendingFor(const QString& key,
                                                       const QString& serial) const {
    // A copy under another name (a file manager's "copy of") is the same entry: any file
    // whose content names the unit counts, and the one that was read is the one removed.
    for (const JournalEntry& entry : pending())
        if (isFor(entry, key, serial))
            return entry;
    return std::nullopt;
}

FileResult RestoreJournal::remove(const JournalEntry& entry) {
    QFile file(entry.path);
    if (!file.exists() || file.remove())
        return FileResult::success();
    FileResult r = FileResult::failure(FileResult::Status::WriteFailed, file.fileName());
    r.reason = file.errorString();
    return r;
}

FileResult RestoreJournal::retire(const QString& key, const QString& serial) {
    for (const JournalEntry& entry : pending())
        if (isFor(entry, key, serial))
            if (FileResult r = remove(entry); !r.ok())
                return r;
    return FileResult::success();
}

QString RestoreJournal::lock(const QString& key, std::unique_ptr<QLockFile>& held) {
    if (const FileResult r = makeFolder(); !r.ok())
        return r.reason.isEmpty() ? r.message : r.message + QLatin1String(": ") + r.reason;
    // Hidden: the folder lists the kept configurations, not who holds which unit.
    auto file = std::make_unique<QLockFile>(m_folder + QLatin1String("/.unit-") + key +
                                            QLatin1String(".lock"));
    // A lock whose program has gone is taken over; a live one is never waited for.
    file->setStaleLockTime(0);
    if (file->tryLock(0)) {
        held = std::move(file);
        return {};
    }
    qint64 pid = 0;
    QString host, app;
    if (file->getLockInfo(&pid, &host, &app) && pid > 0)
        return QCoreApplication::translate(
                   "RestoreJournal",
                   "it is being identified or restored by another program (%1, process %2)")
            .arg(app.isEmpty() ? QCoreApplication::translate("RestoreJournal", "unknown") : app)
            .arg(pid);
    return QCoreApplication::translate("RestoreJournal",
                                       "it is being identified or restored by another program");
}
