// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileAccess.h"

#include "files/NativePath.h"

#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype ChunkSize = 64 * 1024;

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

FileResult readFailure(const QString& path, const QString& reason) {
    FileResult r = FileResult::failure(
        FileResult::Status::ReadFailed,
        QCoreApplication::translate("FileAccess", "Cannot open the file \"%1\":\n%2.")
            .arg(displayName(path), reason));
    r.reason = reason;
    return r;
}

FileResult writeFailure(const QString& path, const QString& reason) {
    FileResult r =
        FileResult::failure(FileResult::Status::WriteFailed,
                            QCoreApplication::translate("FileAccess", "Cannot write \"%1\":\n%2.")
                                .arg(displayName(path), reason));
    r.reason = reason;
    return r;
}

QString kindName(mode_t mode) {
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("FileAccess", "a FIFO (named pipe)");
    if (S_ISCHR(mode))
        return QCoreApplication::translate("FileAccess", "a character device");
    if (S_ISBLK(mode))
        return QCoreApplication::translate("FileAccess", "a block device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("FileAccess", "a socket");
    if (S_ISDIR(mode))
        return QCoreApplication::translate("FileAccess", "a folder");
    return QCoreApplication::translate("FileAccess", "not a regular file");
}

QString notRegularReason(mode_t mode) {
    return QCoreApplication::translate("FileAccess", "It is %1, not a regular file")
        .arg(kindName(mode));
}

// /dev/stdin, /dev/stdout, /dev/stderr, /dev/fd/N and /proc/self/fd/N name a descriptor we
// already have; -1 for any other path.
int descriptorOf(const QByteArray& path) {
    if (path == "/dev/stdin")
        return STDIN_FILENO;
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.startsWith(prefix))
            continue;
        const QByteArray number = path.mid(qsizetype(std::strlen(prefix)));
        if (number.isEmpty() || number.size() > 9)
            return -1;
        for (char c : number)
            if (c < '0' || c > '9')
                return -1;
        return number.toInt();
    }
    return -1;
}

int openRetrying(const QByteArray& path, int flags, mode_t mode = 0) {
    int fd;
    do
        fd = ::open(path.constData(), flags, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    void reset(int fd) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Closes now and says whether the system accepted it (errno set otherwise).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 || errno == EINTR; // after EINTR the descriptor is gone on Linux
    }

private:
    int m_fd;
};

// Writes all bytes at `offset` (or at the descriptor's position when offset < 0), going on
// after short writes. `done` tells how many were written before a failure (errno set).
bool writeAll(int fd, const char* data, qsizetype size, off_t offset, qsizetype* done = nullptr) {
    qsizetype written = 0;
    while (written < size) {
        const ssize_t n = offset < 0 ? ::write(fd, data + written, size_t(size - written))
                                     : ::pwrite(fd, data + written, size_t(size - written),
                                                offset + off_t(written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            if (done)
                *done = written;
            return false;
        }
        written += n;
    }
    if (done)
        *done = written;
    return true;
}

// Reads up to `size` bytes at `offset` into `out`; false on an error (errno set).
bool readAt(int fd, off_t offset, qsizetype size, QByteArray& out) {
    out.resize(size);
    qsizetype have = 0;
    while (have < size) {
        const ssize_t n = ::pread(fd, out.data() + have, size_t(size - have), offset + off_t(have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        have += n;
    }
    out.resize(have);
    return true;
}

// Devices, FIFOs and pipes cannot be synced; that is no failure of the write.
bool syncIfPossible(int fd) {
    if (::fsync(fd) == 0)
        return true;
    return errno == EINVAL || errno == EROFS || errno == ENOTSUP || errno == EBADF;
}

// For calls whose failure changes nothing we would do.
void bestEffort(int) {}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

// A descriptor the caller already has: written where it stands, as a shell redirection
// would. Left open.
FileResult writeDescriptor(const QString& path, int fd, const QByteArray& bytes) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return writeFailure(path, systemReason(errno));
    if (S_ISDIR(st.st_mode))
        return writeFailure(path, systemReason(EISDIR));
    if (!writeAll(fd, bytes.constData(), bytes.size(), -1) || !syncIfPossible(fd))
        return writeFailure(path, systemReason(errno));
    return FileResult::success();
}

// A character device or a FIFO: opened for writing only, never created or truncated.
FileResult writeSpecial(const QString& path, const QByteArray& native, const QByteArray& bytes,
                        ReaderWait wait, mode_t expected) {
    int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY;
    if (S_ISFIFO(expected) && wait == ReaderWait::Refuse)
        flags |= O_NONBLOCK;
    Descriptor fd(openRetrying(native, flags));
    if (fd.get() < 0) {
        if (errno == ENXIO && S_ISFIFO(expected))
            return writeFailure(path, QCoreApplication::translate(
                                          "FileAccess", "It is a FIFO (named pipe) and no program "
                                                        "is reading from it"));
        return writeFailure(path, systemReason(errno));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return writeFailure(path, systemReason(errno));
    if ((st.st_mode & S_IFMT) != (expected & S_IFMT))
        return writeFailure(
            path, QCoreApplication::translate("FileAccess", "It changed while it was being saved"));
    if (!writeAll(fd.get(), bytes.constData(), bytes.size(), -1)) {
        if (errno == EAGAIN)
            return writeFailure(path, QCoreApplication::translate(
                                          "FileAccess", "The program reading from the FIFO does "
                                                        "not take the data"));
        return writeFailure(path, systemReason(errno));
    }
    if (!syncIfPossible(fd.get()) || !fd.close())
        return writeFailure(path, systemReason(errno));
    return FileResult::success();
}

// A regular file overwritten where it is: first the bytes to be overwritten are read, and
// if anything fails they are written back and the file is cut back to its old length.
FileResult writeInPlace(const QString& path, const QByteArray& target, const QByteArray& bytes,
                        ExistingTail tail) {
    Descriptor fd(openRetrying(target, O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0)
        return writeFailure(path, systemReason(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return writeFailure(path, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        return writeFailure(path, notRegularReason(st.st_mode));
    const off_t oldSize = st.st_size;
    QByteArray saved;
    if (!readAt(fd.get(), 0, qMin(qsizetype(oldSize), bytes.size()), saved))
        return writeFailure(path, systemReason(errno));

    qsizetype written = 0;
    const auto undo = [&](int error) {
        QString reason = systemReason(error);
        const qsizetype back = qMin(written, saved.size());
        bool restored = writeAll(fd.get(), saved.constData(), back, 0);
        if (restored && off_t(written) > oldSize)
            restored = ::ftruncate(fd.get(), oldSize) == 0;
        if (restored)
            restored = ::fsync(fd.get()) == 0;
        if (!restored)
            reason += QCoreApplication::translate(
                          "FileAccess", ".\nPutting back the old contents failed too (%1), so the "
                                        "file may be damaged")
                          .arg(systemReason(errno));
        return writeFailure(path, reason);
    };
    if (!writeAll(fd.get(), bytes.constData(), bytes.size(), 0, &written) || ::fsync(fd.get()) != 0)
        return undo(errno);
    if (tail == ExistingTail::Drop && oldSize > off_t(bytes.size())) {
        if (::ftruncate(fd.get(), off_t(bytes.size())) != 0)
            return undo(errno);
        if (::fsync(fd.get()) != 0)
            return writeFailure(path, systemReason(errno));
    }
    if (!fd.close())
        return writeFailure(path, systemReason(errno));
    return FileResult::success();
}

// The temporary file of an atomic save: removed unless it has been renamed into place.
class TemporaryFile {
public:
    ~TemporaryFile() {
        if (!m_path.isEmpty())
            ::unlink(m_path.constData());
    }
    // Creates NAME.XXXXXX beside `target`, or a short name in the same folder where NAME
    // leaves no room for the suffix (a name of 249 to 255 bytes is a valid name); -1 with
    // errno set on failure.
    int create(const QByteArray& target) {
        int fd = make(target + ".XXXXXX");
        if (fd < 0 && errno == ENAMETOOLONG)
            fd = make(folderOf(target) + "/tarvenpad-save.XXXXXX");
        return fd;
    }
    bool renameTo(const QByteArray& target) {
        if (::rename(m_path.constData(), target.constData()) != 0)
            return false;
        m_path.clear();
        return true;
    }

private:
    int make(QByteArray pattern) {
        const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd >= 0)
            m_path = pattern;
        return fd;
    }

    QByteArray m_path;
};

// Copies the old file's bytes from `from` on behind what has been written to `to`.
bool copyTail(const QByteArray& oldPath, off_t from, int to) {
    Descriptor old(openRetrying(oldPath, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (old.get() < 0)
        return false;
    QByteArray chunk;
    for (off_t at = from;; at += off_t(chunk.size())) {
        if (!readAt(old.get(), at, ChunkSize, chunk))
            return false;
        if (chunk.isEmpty())
            return true;
        if (!writeAll(to, chunk.constData(), chunk.size(), -1))
            return false;
    }
}

// Writes `bytes` into a new file beside `target` and renames it over `target`, so that a
// failure leaves the old file as it was; `old` is the existing file's status, or nullptr.
FileResult replaceFile(const QString& path, const QByteArray& target, const QByteArray& bytes,
                       ExistingTail tail, const struct stat* old) {
    TemporaryFile temporary;
    Descriptor fd(temporary.create(target));
    if (fd.get() < 0) {
        // A folder we may not create files in, holding a file we may write: in place.
        if (old && (errno == EACCES || errno == EPERM))
            return writeInPlace(path, target, bytes, tail);
        return writeFailure(path, systemReason(errno));
    }
    // The new file takes the old one's permissions and, where we may, its owner; failing
    // that is no reason to keep the old contents.
    if (old) {
        bestEffort(::fchown(fd.get(), old->st_uid, old->st_gid));
        bestEffort(::fchmod(fd.get(), old->st_mode & 07777));
    } else {
        bestEffort(::fchmod(fd.get(), 0666 & ~currentUmask()));
    }
    if (!writeAll(fd.get(), bytes.constData(), bytes.size(), -1))
        return writeFailure(path, systemReason(errno));
    if (tail == ExistingTail::Keep && old && old->st_size > off_t(bytes.size()) &&
        !copyTail(target, off_t(bytes.size()), fd.get()))
        return writeFailure(path, systemReason(errno));
    if (::fsync(fd.get()) != 0 || !fd.close())
        return writeFailure(path, systemReason(errno));
    if (!temporary.renameTo(target))
        return writeFailure(path, systemReason(errno));
    // Make the rename itself durable. The new file is in place by now, so a failure here is
    // not reported as a failed save.
    Descriptor folder(openRetrying(folderOf(target), O_RDONLY | O_CLOEXEC | O_DIRECTORY));
    if (folder.get() >= 0)
        bestEffort(::fsync(folder.get()));
    return FileResult::success();
}

} // namespace

FileResult ReadInput(const QString& path, InputKind kind, InputBytes& input) {
    input = InputBytes{};
    const QByteArray native = NativePath(path);
    const int described = kind == InputKind::Any ? descriptorOf(native) : -1;
    Descriptor owned;
    int fd = described;
    if (fd < 0) {
        struct stat st {};
        if (::stat(native.constData(), &st) != 0)
            return readFailure(path, systemReason(errno));
        if (S_ISDIR(st.st_mode))
            return readFailure(path, systemReason(EISDIR));
        if (kind == InputKind::RegularFile && !S_ISREG(st.st_mode))
            return readFailure(path, notRegularReason(st.st_mode));
        // The window's Open must not wait, even for a file that became a FIFO just now.
        const int nonBlocking = kind == InputKind::RegularFile ? O_NONBLOCK : 0;
        fd = openRetrying(native, O_RDONLY | O_CLOEXEC | O_NOCTTY | nonBlocking);
        if (fd < 0)
            return readFailure(path, systemReason(errno));
        owned.reset(fd);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return readFailure(path, systemReason(errno));
    if (S_ISDIR(st.st_mode))
        return readFailure(path, systemReason(EISDIR));
    if (kind == InputKind::RegularFile && !S_ISREG(st.st_mode))
        return readFailure(path, notRegularReason(st.st_mode));

    // A regular file's length is known: past the bound only its beginning is read. Any other
    // input is read up to one byte past the bound, to know whether it goes on.
    const bool longFile = S_ISREG(st.st_mode) && st.st_size > MaxInputSize;
    const qsizetype limit = longFile ? MaxInputSize : MaxInputSize + 1;
    QByteArray& bytes = input.bytes;
    qsizetype have = 0;
    for (;;) {
        const qsizetype want = qMin(ChunkSize, limit - have);
        if (want <= 0)
            break;
        bytes.resize(have + want);
        const ssize_t n = ::read(fd, bytes.data() + have, size_t(want));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            bytes.clear();
            return readFailure(path, systemReason(errno));
        }
        if (n == 0)
            break;
        have += n;
    }
    bytes.resize(qMin(have, MaxInputSize));
    input.complete = !longFile && have <= MaxInputSize;
    return FileResult::success();
}

FileResult WriteOutput(const QString& path, const QByteArray& bytes, ExistingTail tail,
                       ReaderWait wait) {
    const QByteArray native = NativePath(path);
    if (native.isEmpty())
        return writeFailure(path, systemReason(ENOENT));
    if (const int fd = descriptorOf(native); fd >= 0)
        return writeDescriptor(path, fd, bytes);

    struct stat st {};
    const bool exists = ::stat(native.constData(), &st) == 0;
    if (!exists && errno != ENOENT)
        return writeFailure(path, systemReason(errno));
    QByteArray target = native;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return writeFailure(path, systemReason(EISDIR));
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))
            return writeSpecial(path, native, bytes, wait, st.st_mode);
        if (!S_ISREG(st.st_mode))
            return writeFailure(path, QCoreApplication::translate(
                                          "FileAccess", "It is %1; only files, character devices "
                                                        "and FIFOs are written")
                                          .arg(kindName(st.st_mode)));
        // Through a symbolic link: the file it names is replaced, the link stays.
        if (char* real = ::realpath(native.constData(), nullptr)) {
            target = QByteArray(real);
            std::free(real);
        }
        // A .TPD's tail too long to copy: its first bytes are written in place.
        if (tail == ExistingTail::Keep && st.st_size - off_t(bytes.size()) > MaxInputSize)
            return writeInPlace(path, target, bytes, tail);
    }

    return replaceFile(path, target, bytes, tail, exists ? &st : nullptr);
}

bool PathExists(const QString& path) {
    struct stat st {};
    return ::lstat(NativePath(path).constData(), &st) == 0;
}

void ReportWriteSignalsAsErrors(bool brokenPipes) {
    std::signal(SIGXFSZ, SIG_IGN);
    if (brokenPipes)
        std::signal(SIGPIPE, SIG_IGN);
}
