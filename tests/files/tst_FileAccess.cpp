// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer on real file systems: a full tmpfs, a file-size limit, FIFOs, pipes,
// copies of /dev/null and /dev/full, huge sparse files, names that are not UTF-8.
#include "RealFiles.h"
#include "files/ConfigFile.h"
#include "files/FileAccess.h"
#include "files/NativePath.h"
#include "model/Configuration.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace realfiles;

namespace {

QByteArray pattern(qsizetype size, char seed) {
    QByteArray b(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        b[i] = char(seed + i * 7);
    return b;
}

ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

FileResult write(const QString& path, const QByteArray& bytes,
                 ExistingTail tail = ExistingTail::Keep) {
    return WriteOutput(path, bytes, tail, ReaderWait::Refuse);
}

} // namespace

class TestFileAccess : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void namesRoundTrip();
    void nonUtf8NameOnDisk();
    void newFileFollowsUmask();
    void replaceKeepsModeAndTail_data();
    void replaceKeepsModeAndTail();
    void dropTailReplacesWhole();
    void hugeTailWrittenInPlace();
    void symlinkFollowed();
    void fileSizeLimit_data();
    void fileSizeLimit();
    void readOnlyFolderWritesInPlace();
    void fullTmpfs();
    void devices();
    void fifoWrite();
    void descriptorPaths();
    void readBounds();
    void readRefusesSpecialForWindow();
    void hugeSparseReadFast();
    void failures_data();
    void failures();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    qsizetype m_descriptors = 0; // open before the case, to be open again after it
    QString path(const QString& name) const { return m_dir->filePath(name); }
};

static qsizetype openDescriptors() {
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size();
}

void TestFileAccess::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_descriptors = openDescriptors();
}

// Every path through the reader and the writer closes what it opened.
void TestFileAccess::cleanup() {
    QCOMPARE(openDescriptors(), m_descriptors);
}

void TestFileAccess::namesRoundTrip() {
    QList<QByteArray> names = {"plain.TPD",
                               "gr\xc3\xbc\xc3\x9f.TPD",
                               "emoji\xf0\x9f\x98\x80.json",
                               "latin1-\xfc.TPD",
                               "\xff\xfe",
                               "cut\xe2\x82",
                               "\xc0\xaf overlong",
                               "surrogate\xed\xa0\x80",
                               "\xf4\x90\x80\x80 too high"};
    QRandomGenerator random(11);
    for (int i = 0; i < 200; ++i) {
        QByteArray b(int(random.bounded(1, 24)), Qt::Uninitialized);
        for (char& c : b)
            c = char(random.bounded(1, 256));
        names << b;
    }
    for (const QByteArray& name : names) {
        const QString s = PathFromNative(name);
        QCOMPARE(NativePath(s), name);
        QVERIFY(!s.contains(QChar(0xFFFD)) || name.contains("\xef\xbf\xbd"));
    }
    // Valid UTF-8 is decoded as Qt decodes it.
    QCOMPARE(PathFromNative("gr\xc3\xbc\xc3\x9f"), QString::fromUtf8("gr\xc3\xbc\xc3\x9f"));
    QCOMPARE(NativePath(QString::fromUtf8("emoji\xf0\x9f\x98\x80")),
             QByteArray("emoji\xf0\x9f\x98\x80"));
    const char* argv[] = {"tool", "a\xff.TPD"};
    QCOMPARE(NativePath(ArgumentsFromNative(2, argv).at(1)), QByteArray("a\xff.TPD"));
}

void TestFileAccess::nonUtf8NameOnDisk() {
    const QByteArray native = QFile::encodeName(m_dir->path()) + "/na\xffme.TPD";
    const QString name = PathFromNative(native);
    QVERIFY(write(name, "config").ok());
    QVERIFY(::access(native.constData(), F_OK) == 0);
    InputBytes input;
    QVERIFY(ReadInput(name, InputKind::RegularFile, input).ok());
    QCOMPARE(input.bytes, QByteArray("config"));
    // Nothing else was created, in particular no name with U+FFFD in it.
    QCOMPARE(rawNamesIn(m_dir->path()), QList<QByteArray>{"na\xffme.TPD"});
    ::unlink(native.constData()); // QTemporaryDir could not remove it
}

void TestFileAccess::newFileFollowsUmask() {
    const mode_t old = ::umask(027);
    const FileResult r = write(path("new.TPD"), "abc");
    ::umask(old);
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(modeOf(path("new.TPD")), mode_t(0640));
    QCOMPARE(readBytes(path("new.TPD")), QByteArray("abc"));
    QCOMPARE(namesIn(m_dir->path()), QStringList{"new.TPD"});
}

// Written new, then replaced; a name too long to take the temporary file's suffix too.
void TestFileAccess::replaceKeepsModeAndTail_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("short") << "old.TPD";
    for (int bytes : {249, 250, 255})
        QTest::addRow("%d bytes", bytes) << QString(bytes - 4, QLatin1Char('n')) + ".TPD";
}

void TestFileAccess::replaceKeepsModeAndTail() {
    QFETCH(QString, name);
    const QString p = path(name);
    const QByteArray old = pattern(5000, 'a');
    QVERIFY(write(p, old).ok());
    QCOMPARE(readBytes(p), old);
    QVERIFY(::chmod(QFile::encodeName(p).constData(), 0604) == 0);
    const ino_t before = inodeOf(p);
    const QByteArray image = pattern(94, 'Z');
    QVERIFY(write(p, image).ok());
    QCOMPARE(readBytes(p), image + old.mid(94));
    QCOMPARE(modeOf(p), mode_t(0604));
    QVERIFY(inodeOf(p) != before); // replaced by a rename, not overwritten
    QCOMPARE(namesIn(m_dir->path()), QStringList{name});
}

void TestFileAccess::dropTailReplacesWhole() {
    const QString p = path("old.json");
    QVERIFY(writeBytes(p, pattern(5000, 'a')));
    QVERIFY(write(p, "{}", ExistingTail::Drop).ok());
    QCOMPARE(readBytes(p), QByteArray("{}"));
}

// The window's Save over a 64 GiB file: its first bytes in place, nothing else read.
void TestFileAccess::hugeTailWrittenInPlace() {
    const QString p = path("huge.TPD");
    const qint64 size = qint64(64) << 30;
    const QByteArray old = pattern(94, 'a');
    if (!makeSparse(p, size, old))
        QSKIP("this file system does not take a 64 GiB sparse file");
    const ino_t before = inodeOf(p);
    const QByteArray image = pattern(94, 'Z');
    QElapsedTimer timer;
    timer.start();
    QVERIFY(write(p, image).ok());
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(QFileInfo(p).size(), size);
    QCOMPARE(inodeOf(p), before);
    QFile f(p);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(200), image + QByteArray(106, '\0'));
    QCOMPARE(namesIn(m_dir->path()), QStringList{"huge.TPD"});
}

void TestFileAccess::symlinkFollowed() {
    QVERIFY(QDir(m_dir->path()).mkdir("real"));
    const QString target = path("real/target.TPD");
    QVERIFY(writeBytes(target, "old"));
    QVERIFY(QFile::link(target, path("link.TPD")));
    QVERIFY(write(path("link.TPD"), "new").ok());
    QVERIFY(QFileInfo(path("link.TPD")).isSymLink());
    QCOMPARE(readBytes(target), QByteArray("new"));
    QCOMPARE(namesIn(path("real")), QStringList{"target.TPD"});
}

// A real "file too large": every kind of write stops at the limit, and the old file stays.
void TestFileAccess::fileSizeLimit_data() {
    QTest::addColumn<int>("oldSize");
    QTest::addColumn<int>("newSize");
    QTest::addColumn<bool>("keepTail");
    QTest::addColumn<int>("limit");
    QTest::newRow(".TPD over a .TPD") << 94 << 94 << true << 50;
    QTest::newRow(".TPD over a longer file") << 3000 << 94 << true << 1000;
    QTest::newRow(".TPD as a new file") << -1 << 94 << true << 50;
    QTest::newRow("JSON over JSON") << 8000 << 9000 << false << 4096;
    QTest::newRow(".TPD in place over 2 MiB") << (2 << 20) << 94 << true << 50;
}

void TestFileAccess::fileSizeLimit() {
    QFETCH(int, oldSize);
    QFETCH(int, newSize);
    QFETCH(bool, keepTail);
    QFETCH(int, limit);
    const QString p = path("target");
    const QByteArray old = pattern(qMax(oldSize, 0), 'o');
    if (oldSize >= 0)
        QVERIFY(writeBytes(p, old));
    const QByteArray image = pattern(newSize, 'N');
    const int code = withFileSizeLimit(rlim_t(limit), [&] {
        const FileResult r = write(p, image, keepTail ? ExistingTail::Keep : ExistingTail::Drop);
        if (r.ok())
            return 1;
        if (r.status != FileResult::Status::WriteFailed || !r.message.contains(p) ||
            !r.message.contains(QString::fromLocal8Bit(strerror(EFBIG))))
            return 2;
        return 0;
    });
    QCOMPARE(code, 0);
    if (oldSize >= 0) {
        QCOMPARE(readBytes(p), old);
        QCOMPARE(namesIn(m_dir->path()), QStringList{"target"});
    } else {
        QCOMPARE(namesIn(m_dir->path()), QStringList{});
    }
}

// A folder we may not create in, holding a file we may write: written in place (as
// QSaveFile's direct-write fallback), and a failure there puts the old bytes back.
void TestFileAccess::readOnlyFolderWritesInPlace() {
    QVERIFY(QDir(m_dir->path()).mkdir("shared"));
    const QString folder = path("shared");
    const QString p = path("shared/panel.TPD");
    const QByteArray old = pattern(300, 'o');
    QVERIFY(writeBytes(p, old));
    const QByteArray nativeFolder = QFile::encodeName(folder);
    const QByteArray nativeFile = QFile::encodeName(p);
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    QVERIFY(::chmod(nativeFolder.constData(), 0555) == 0);
    QVERIFY(::chmod(nativeFile.constData(), 0666) == 0);
    // Root may create files anywhere: the writes run as nobody then.
    const bool root = ::geteuid() == 0;
    const auto asUser = [&](const std::function<int()>& body, rlim_t limit) {
        return withFileSizeLimit(limit, [&] {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return 90;
            if (::access(nativeFolder.constData(), W_OK) == 0)
                return 91;
            return body();
        });
    };
    const ino_t before = inodeOf(p);
    const QByteArray image = pattern(94, 'N');
    QCOMPARE(asUser([&] { return write(p, image).ok() ? 0 : 1; }, RLIM_INFINITY), 0);
    QCOMPARE(readBytes(p), image + old.mid(94));
    QCOMPARE(inodeOf(p), before);

    // Failing half-way (the limit cuts the write at byte 50): the old bytes come back.
    const QByteArray current = readBytes(p);
    QCOMPARE(asUser([&] { return write(p, pattern(94, 'X')).ok() ? 1 : 0; }, 50), 0);
    QCOMPARE(readBytes(p), current);
    // A JSON document longer than the file, cut off by the limit: the old length comes back.
    QCOMPARE(
        asUser([&] { return write(p, pattern(2000, 'J'), ExistingTail::Drop).ok() ? 1 : 0; }, 1000),
        0);
    QCOMPARE(readBytes(p), current);
    // A shorter one replaces the whole file.
    QCOMPARE(asUser([&] { return write(p, "{}", ExistingTail::Drop).ok() ? 0 : 1; }, RLIM_INFINITY),
             0);
    QCOMPARE(readBytes(p), QByteArray("{}"));
    QCOMPARE(namesIn(folder), QStringList{"panel.TPD"});
    QVERIFY(::chmod(nativeFolder.constData(), 0755) == 0);
}

// A real full disk: every write fails with the system's reason and changes nothing.
void TestFileAccess::fullTmpfs() {
    TinyTmpfs fs(path("tiny"));
    if (!fs.mounted())
        QSKIP(qPrintable("cannot mount a tmpfs here: " + fs.error()));
    const QByteArray tpd = pattern(94, 'o'), json = pattern(3000, 'j');
    QVERIFY(writeBytes(fs.filePath("old.TPD"), tpd));
    QVERIFY(writeBytes(fs.filePath("old.json"), json));
    // A 64 GiB sparse file whose first block is a hole: writing in place needs a block.
    QVERIFY(makeSparse(fs.filePath("huge.TPD"), qint64(64) << 30));
    const QStringList names = namesIn(fs.path()) << ".filler";
    const QString noSpace = QString::fromLocal8Bit(strerror(ENOSPC));
    for (bool inodes : {false, true}) {
        QVERIFY(fs.fill(inodes));
        const QStringList full = namesIn(fs.path());
        for (const auto& [name, tail] :
             {std::pair{"old.TPD", ExistingTail::Keep}, std::pair{"old.json", ExistingTail::Drop},
              std::pair{"huge.TPD", ExistingTail::Keep},
              std::pair{"new.TPD", ExistingTail::Keep}}) {
            const QString p = fs.filePath(name);
            const FileResult r =
                write(p, pattern(tail == ExistingTail::Drop ? 5000 : 94, 'N'), tail);
            QVERIFY2(!r.ok(), name);
            QVERIFY2(r.message.contains(p) && r.reason == noSpace, qPrintable(r.message));
        }
        QCOMPARE(readBytes(fs.filePath("old.TPD")), tpd);
        QCOMPARE(readBytes(fs.filePath("old.json")), json);
        QCOMPARE(QFileInfo(fs.filePath("huge.TPD")).size(), qint64(64) << 30);
        QFile huge(fs.filePath("huge.TPD"));
        QVERIFY(huge.open(QIODevice::ReadOnly));
        QCOMPARE(huge.read(94), QByteArray(94, '\0'));
        QCOMPARE(namesIn(fs.path()), full);
    }
    // The same writes through WriteConfigFile, the window's writer.
    Configuration c;
    c.setKeyCode(3, 0x29);
    QCOMPARE(int(WriteConfigFile(c, fs.filePath("old.TPD")).status),
             int(FileResult::Status::WriteFailed));
    QCOMPARE(readBytes(fs.filePath("old.TPD")), tpd);
}

// Copies of /dev/null and /dev/full in our own folder: written in place, still devices.
void TestFileAccess::devices() {
    QString why;
    const QString null = makeCharDevice(path("null"), 1, 3, why);
    if (null.isEmpty())
        QSKIP(qPrintable(why));
    const QString full = makeCharDevice(path("full"), 1, 7, why);
    QVERIFY2(!full.isEmpty(), qPrintable(why));
    QVERIFY(write(null, pattern(94, 'N')).ok());
    QVERIFY(write(null, pattern(7000, 'J'), ExistingTail::Drop).ok());
    const FileResult r = write(full, pattern(94, 'N'));
    QCOMPARE(int(r.status), int(FileResult::Status::WriteFailed));
    QCOMPARE(r.reason, QString::fromLocal8Bit(strerror(ENOSPC)));
    QVERIFY(r.message.contains(full));
    QVERIFY(isCharDevice(null, 1, 3));
    QVERIFY(isCharDevice(full, 1, 7));
    QCOMPARE(namesIn(m_dir->path()), (QStringList{"full", "null"}));
    // Reading one is reading an empty input.
    InputBytes input;
    QVERIFY(ReadInput(null, InputKind::Any, input).ok());
    QVERIFY(input.bytes.isEmpty() && input.complete);
}

void TestFileAccess::fifoWrite() {
    const QString fifo = path("fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    // The window does not wait for a reader that is not there.
    QElapsedTimer timer;
    timer.start();
    FileResult r = write(fifo, pattern(94, 'N'));
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(!r.ok());
    QVERIFY2(r.message.contains(fifo) && r.message.contains("no program is reading"),
             qPrintable(r.message));
    // With a reader the bytes go through it.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    r = write(fifo, pattern(94, 'N'));
    QVERIFY2(r.ok(), qPrintable(r.message));
    QByteArray got(200, '\0');
    QCOMPARE(::read(reader, got.data(), 200), ssize_t(94));
    got.truncate(94);
    QCOMPARE(got, pattern(94, 'N'));
    ::close(reader);
    QVERIFY(isFifo(fifo));
    QCOMPARE(namesIn(m_dir->path()), QStringList{"fifo"});
}

// /dev/fd/N, /proc/self/fd/N: the descriptor itself, for reading and writing.
void TestFileAccess::descriptorPaths() {
    int fds[2];
    QVERIFY(::pipe(fds) == 0);
    QVERIFY(write(QStringLiteral("/dev/fd/%1").arg(fds[1]), "through a pipe").ok());
    ::close(fds[1]);
    InputBytes input;
    QVERIFY(ReadInput(QStringLiteral("/proc/self/fd/%1").arg(fds[0]), InputKind::Any, input).ok());
    QCOMPARE(input.bytes, QByteArray("through a pipe"));
    // Read to the end, once: the descriptor stays open and now gives nothing more.
    QVERIFY(ReadInput(QStringLiteral("/dev/fd/%1").arg(fds[0]), InputKind::Any, input).ok());
    QVERIFY(input.bytes.isEmpty());
    ::close(fds[0]);
}

void TestFileAccess::readBounds() {
    InputBytes input;
    QVERIFY(writeBytes(path("exact"), pattern(MaxInputSize, 'e')));
    QVERIFY(ReadInput(path("exact"), InputKind::Any, input).ok());
    QVERIFY(input.complete);
    QCOMPARE(input.bytes.size(), MaxInputSize);
    QVERIFY(writeBytes(path("over"), pattern(MaxInputSize + 1, 'e')));
    QVERIFY(ReadInput(path("over"), InputKind::Any, input).ok());
    QVERIFY(!input.complete);
    QCOMPARE(input.bytes, pattern(MaxInputSize, 'e'));

    // A pipe longer than the bound is not read to its end.
    int fds[2];
    QVERIFY(::pipe(fds) == 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        std::signal(SIGPIPE, SIG_IGN); // the reader stops early: the writes fail with EPIPE
        ::close(fds[0]);
        const QByteArray chunk(65536, '{');
        for (int i = 0; i < 64; ++i) // 4 MiB, more than the reader takes
            if (::write(fds[1], chunk.constData(), size_t(chunk.size())) < 0)
                break;
        ::_exit(0);
    }
    ::close(fds[1]);
    QVERIFY(ReadInput(QStringLiteral("/dev/fd/%1").arg(fds[0]), InputKind::Any, input).ok());
    ::close(fds[0]);
    ::waitpid(writer, nullptr, 0);
    QVERIFY(!input.complete);
    QCOMPARE(input.bytes.size(), MaxInputSize);
}

// The window's Open: a FIFO without a writer, a device, a folder, each named and refused
// at once.
void TestFileAccess::readRefusesSpecialForWindow() {
    const QString fifo = path("fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(QDir(m_dir->path()).mkdir("folder"));
    for (const auto& [p, what] :
         {std::pair{fifo, "a FIFO"}, std::pair{QStringLiteral("/dev/null"), "a character device"},
          std::pair{path("folder"), "Is a directory"}}) {
        QElapsedTimer timer;
        timer.start();
        InputBytes input;
        const FileResult r = ReadInput(p, InputKind::RegularFile, input);
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(int(r.status), int(FileResult::Status::ReadFailed));
        QVERIFY2(r.message.contains(p) && r.message.contains(what), qPrintable(r.message));
    }
}

void TestFileAccess::hugeSparseReadFast() {
    const QString p = path("huge");
    if (!makeSparse(p, qint64(64) << 30, "{"))
        QSKIP("this file system does not take a 64 GiB sparse file");
    QElapsedTimer timer;
    timer.start();
    InputBytes input;
    QVERIFY(ReadInput(p, InputKind::Any, input).ok());
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(!input.complete);
    QCOMPARE(input.bytes.size(), MaxInputSize);
}

void TestFileAccess::failures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    const auto reason = [](int error) { return QString::fromLocal8Bit(strerror(error)); };
    QTest::newRow("no such folder") << "missing/dir/x.TPD" << reason(ENOENT);
    QTest::newRow("a folder") << "." << reason(EISDIR);
    QTest::newRow("under a file") << "file/x.TPD" << reason(ENOTDIR);
    QTest::newRow("256 bytes") << QString(256, QLatin1Char('n')) << reason(ENAMETOOLONG);
}

void TestFileAccess::failures() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QVERIFY(writeBytes(path("file"), "x"));
    const QString p = QDir::cleanPath(path(name));
    const FileResult r = write(p, "abc");
    QCOMPARE(int(r.status), int(FileResult::Status::WriteFailed));
    QCOMPARE(r.reason, reason);
    QVERIFY2(r.message.contains(p), qPrintable(r.message));
    InputBytes input;
    const FileResult read = ReadInput(p, InputKind::Any, input);
    QCOMPARE(int(read.status), int(FileResult::Status::ReadFailed));
    QVERIFY2(read.message.contains(p), qPrintable(read.message));
    QCOMPARE(namesIn(m_dir->path()), QStringList{"file"});
}

QTEST_APPLESS_MAIN(TestFileAccess)
#include "tst_FileAccess.moc"
