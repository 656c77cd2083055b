// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real file systems and special files for the tests: a tiny tmpfs that can be filled up, a
// process with a file-size limit, character devices and FIFOs made in a temporary folder.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace realfiles {

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

// The names in a folder as their bytes, sorted; also names QDir would not list.
inline QList<QByteArray> rawNamesIn(const QString& folder) {
    QList<QByteArray> names;
    if (DIR* d = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent* e = ::readdir(d))
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                names << QByteArray(e->d_name);
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The names in a folder, to show that no temporary file was left behind.
inline QStringList namesIn(const QString& folder) {
    QStringList names;
    for (const QByteArray& name : rawNamesIn(folder))
        names << QString::fromUtf8(name);
    return names;
}

// A tmpfs of a few pages mounted on `mountPoint` for as long as the object lives. Mounting
// needs root (CI runs as root); mounted() tells whether it worked, error() why not.
class TinyTmpfs {
public:
    explicit TinyTmpfs(const QString& mountPoint,
                       const char* options = "size=256k,nr_inodes=64,mode=0777")
        : m_path(mountPoint) {
        QDir().mkpath(mountPoint);
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs",
                    MS_NOSUID | MS_NODEV | MS_NOEXEC, options) == 0)
            m_mounted = true;
        else
            m_error = QString::fromLocal8Bit(strerror(errno));
    }
    ~TinyTmpfs() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }
    TinyTmpfs(const TinyTmpfs&) = delete;
    TinyTmpfs& operator=(const TinyTmpfs&) = delete;

    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_path; }
    QString filePath(const QString& name) const { return m_path + '/' + name; }

    // Takes every free block with a filler file; with `inodes` also every free inode.
    // True when the file system is full afterwards.
    bool fill(bool inodes = false) {
        const QByteArray filler = QFile::encodeName(filePath(".filler"));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd < 0)
            return false;
        const QByteArray chunk(4096, 'f');
        while (::write(fd, chunk.constData(), size_t(chunk.size())) > 0) {
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        if (!inodes)
            return full;
        for (int i = 0; i < 100000; ++i) {
            const QByteArray name = QFile::encodeName(filePath(QStringLiteral(".inode%1").arg(i)));
            const int f = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (f < 0)
                return errno == ENOSPC;
            ::close(f);
        }
        return false;
    }

private:
    QString m_path;
    bool m_mounted = false;
    QString m_error;
};

// Runs `body` in a child process whose files may not grow past `limit` bytes, with SIGXFSZ
// ignored so that a write past the limit fails with EFBIG. Returns the child's exit code
// (body's return value), or -1 when it did not exit normally.
inline int withFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit l{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &l) != 0)
            ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// A copy of a character device (such as /dev/null: 1, 3 or /dev/full: 1, 7) in a folder of
// the test's own. Empty string when it cannot be made or used here (no CAP_MKNOD, a nodev
// mount), with the reason in `why`.
inline QString makeCharDevice(const QString& path, unsigned major, unsigned minor, QString& why) {
    const QByteArray native = QFile::encodeName(path);
    ::unlink(native.constData());
    if (::mknod(native.constData(), S_IFCHR | 0666, makedev(major, minor)) != 0) {
        why = QStringLiteral("mknod: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return QString();
    }
    const int fd = ::open(native.constData(), O_WRONLY);
    if (fd < 0) {
        why = QStringLiteral("opening a device node here: %1")
                  .arg(QString::fromLocal8Bit(strerror(errno)));
        ::unlink(native.constData());
        return QString();
    }
    ::close(fd);
    return path;
}

inline bool isCharDevice(const QString& path, unsigned major, unsigned minor) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode) &&
           ::major(st.st_rdev) == major && ::minor(st.st_rdev) == minor;
}

inline bool isFifo(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// A sparse file of `size` bytes holding `start` at its beginning (nothing allocated but the
// blocks `start` takes).
inline bool makeSparse(const QString& path, qint64 size, const QByteArray& start = {}) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    bool ok = ::write(fd, start.constData(), size_t(start.size())) == start.size() &&
              ::ftruncate(fd, off_t(size)) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

} // namespace realfiles
