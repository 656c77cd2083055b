// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RestoreJournal.h"

#include "files/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const QString Prefix = QStringLiteral("restore-");
const QString Suffix = QStringLiteral(".json");
// A journal entry is a few hundred bytes; anything much longer is not one.
constexpr qsizetype MaxEntrySize = 4096;

std::optional<JournalEntry> parse(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(MaxEntrySize));
    const QJsonObject o = doc.object();
    const QByteArray image =
        QByteArray::fromHex(o.value(QLatin1String("image")).toString().toLatin1());
    JournalEntry entry;
    entry.serial = o.value(QLatin1String("serial")).toString();
    entry.time = QDateTime::fromString(o.value(QLatin1String("time")).toString(), Qt::ISODate);
    if (entry.serial.isEmpty() || image.size() != ConfigImage::Size)
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

QString RestoreJournal::pathFor(const QString& serial) const {
    // Serial characters come from the unit: anything but letters and digits is escaped, so no
    // serial can leave the folder or clash with another.
    const QByteArray name = QUrl::toPercentEncoding(serial, QByteArray(), "-._~");
    return m_folder + QLatin1Char('/') + Prefix + QString::fromLatin1(name) + Suffix;
}

FileResult RestoreJournal::record(const QString& serial, const ConfigImage::Bytes& image,
                                  const QDateTime& time) {
    if (!QDir().mkpath(m_folder)) {
        FileResult r = FileResult::failure(FileResult::Status::WriteFailed, m_folder);
        r.reason = QString::fromLocal8Bit(std::strerror(errno));
        return r;
    }
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QJsonObject o;
    o.insert(QLatin1String("serial"), serial);
    o.insert(QLatin1String("time"), time.toUTC().toString(Qt::ISODate));
    o.insert(
        QLatin1String("image"),
        QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(image.data()), ConfigImage::Size).toHex()));
    // WriteOutput flushes the file to disk before it takes the entry's name.
    return WriteOutput(pathFor(serial), QJsonDocument(o).toJson(), ExistingTail::Drop,
                       ReaderWait::Refuse);
}

QList<JournalEntry> RestoreJournal::pending() const {
    QList<JournalEntry> entries;
    const QDir dir(m_folder);
    for (const QString& name :
         dir.entryList({Prefix + QLatin1Char('*') + Suffix}, QDir::Files, QDir::Name)) {
        if (auto entry = parse(dir.filePath(name)))
            entries.append(*entry);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const JournalEntry& a, const JournalEntry& b) { return a.time < b.time; });
    return entries;
}

std::optional<JournalEntry> RestoreJournal::pendingFor(const QString& serial) const {
    auto entry = parse(pathFor(serial));
    if (entry && entry->serial != serial)
        return std::nullopt;
    return entry;
}

FileResult RestoreJournal::remove(const QString& serial) {
    QFile file(pathFor(serial));
    if (!file.exists() || file.remove())
        return FileResult::success();
    FileResult r = FileResult::failure(FileResult::Status::WriteFailed, file.fileName());
    r.reason = file.errorString();
    return r;
}
