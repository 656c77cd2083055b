#include "ConfigFile.h"
#include "Configuration.h"
#include "FileAccess.h"
#include "RealFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

namespace {

struct Run {
    int status;
    QString out;
    QString err;
};

Run finish(QProcess& p) {
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Runs the tool; `input`, when given, is piped into its standard input.
Run tarvenpad(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    p.start(QStringLiteral(TARVENPAD_EXE), args);
    if (!input.isNull()) {
        p.write(input);
        p.closeWriteChannel();
    }
    return finish(p);
}

// Runs the tool with a file-size limit of `limit` bytes. The tool itself must turn SIGXFSZ
// into an error it reports.
Run tarvenpadLimited(const QStringList& args, rlim_t limit) {
    QProcess p;
    p.setChildProcessModifier([limit] {
        const rlimit l{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &l);
    });
    p.start(QStringLiteral(TARVENPAD_EXE), args);
    return finish(p);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestTarvenpad : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void help();
    void usageErrors_data();
    void usageErrors();
    void units();
    void showTable();
    void jsonRoundTrips();
    void importRejects_data();
    void importRejects();
    void writeOutcomes_data();
    void writeOutcomes();
    void writeTrace();
    void readIntoFile();
    void pipes();
    void fifos();
    void hugeInputs();
    void fullDisk();
    void fileSizeLimit();
    void devices();
    void nonUtf8Names();
    void formatByHeader();

private:
    QTemporaryDir m_dir;
    QString m_sample; // a .TPD file with a few settings
    QByteArray m_json;
};

void TestTarvenpad::initTestCase() {
    Configuration c;
    c.setKeyCode(0, 0x29);
    c.setControl(0, true);
    c.setKeyCode(36, 0xE8);
    c.applyModifierByte(36, 1);
    c.setOption(Configuration::Option::RotaryOnAux, true);
    m_sample = m_dir.filePath("sample.TPD");
    QVERIFY(WriteConfigFile(c, m_sample).ok());
    const Run r = tarvenpad({"show", m_sample, "--json"});
    QCOMPARE(r.status, 0);
    m_json = r.out.toUtf8();
}

void TestTarvenpad::help() {
    const Run r = tarvenpad({"--help"});
    QCOMPARE(r.status, 0);
    for (const char* word : {"units", "show", "import", "export", "write", "read", "--unit",
                             "--all", "--json", "--emulate", "--trace", "  7  "})
        QVERIFY2(r.out.contains(word), word);
}

void TestTarvenpad::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"frob"};
    QTest::newRow("unknown option") << QStringList{"units", "--frob"};
    QTest::newRow("missing file") << QStringList{"show"};
    QTest::newRow("bad unit") << QStringList{"read", "x.TPD", "--unit", "5"};
    QTest::newRow("unit and all") << QStringList{"write", "x.TPD", "--unit", "1", "--all"};
}

void TestTarvenpad::usageErrors() {
    QFETCH(QStringList, args);
    const Run r = tarvenpad(args);
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.startsWith("tarvenpad: "));
}

void TestTarvenpad::units() {
    Run r = tarvenpad({"units", "--emulate", "3"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QString("1 11\n2 22\n3 33\n"));
    r = tarvenpad({"units", "--emulate", "0"});
    QCOMPARE(r.status, 5);
    QVERIFY(r.err.contains("no TARVEN-PAD unit found"));
}

void TestTarvenpad::showTable() {
    const Run r = tarvenpad({"show", m_sample});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split('\n');
    QVERIFY(lines[1].startsWith("Input 1      Esc                41  -     x       -   -"));
    QVERIFY(lines[37].startsWith("Rotary  1A   Left Mouse        232  -     x       -   x"));
    QVERIFY(r.out.contains("Rotary-5 on AUX  on"));
    QVERIFY(r.out.contains("Relay-8 on AUX   off"));

    const Run bad = tarvenpad({"show", m_dir.filePath("missing.TPD")});
    QCOMPARE(bad.status, 3);
    writeFile(m_dir.filePath("junk.TPD"), QByteArray(94, 'q'));
    QCOMPARE(tarvenpad({"show", m_dir.filePath("junk.TPD")}).status, 3);
}

void TestTarvenpad::jsonRoundTrips() {
    const QJsonObject doc = QJsonDocument::fromJson(m_json).object();
    QCOMPARE(doc.value("format").toString(), QString("tarvenpad-config"));
    QCOMPARE(doc.value("version").toInt(), 1);
    const QJsonArray slotArray = doc.value("slots").toArray();
    QCOMPARE(slotArray.size(), 46);
    QCOMPARE(slotArray[0].toObject().value("keyName").toString(), QString("Esc"));
    QCOMPARE(slotArray[36].toObject().value("label").toString(), QString("Rotary  1A"));
    QCOMPARE(slotArray[36].toObject().value("repeat").toBool(), true);

    const QString json = m_dir.filePath("sample.json"), back = m_dir.filePath("back.TPD");
    QCOMPARE(tarvenpad({"export", m_sample, json}).status, 0);
    QCOMPARE(readFile(json), m_json);
    QCOMPARE(tarvenpad({"import", json, back}).status, 0);
    QCOMPARE(readFile(back), readFile(m_sample));
    QCOMPARE(tarvenpad({"export", m_sample, m_dir.filePath("no/such/dir.json")}).status, 4);
}

void TestTarvenpad::importRejects_data() {
    QTest::addColumn<QString>("change"); // a JSON pointer-ish edit of the sample document
    QTest::addColumn<QString>("message");
    QTest::newRow("bad JSON") << "truncate"
                              << "bad JSON";
    QTest::newRow("unknown format") << "format"
                                    << "\"format\"";
    QTest::newRow("unknown version") << "version"
                                     << "\"version\"";
    QTest::newRow("missing slot") << "drop slot 7"
                                  << "slot 7 (Input 8) is missing";
    QTest::newRow("key out of range") << "key 256"
                                      << "slots[3].key";
    QTest::newRow("wrong type") << "shift string"
                                << "slots[5].shift must be true or false";
    QTest::newRow("option missing") << "drop option"
                                    << "options.relayOnAux";
}

void TestTarvenpad::importRejects() {
    QFETCH(QString, change);
    QFETCH(QString, message);
    QJsonObject doc = QJsonDocument::fromJson(m_json).object();
    QJsonArray slotArray = doc.value("slots").toArray();
    QByteArray bytes;
    if (change == "format")
        doc["format"] = "something-else";
    else if (change == "version")
        doc["version"] = 2;
    else if (change == "drop slot 7")
        slotArray.removeAt(7);
    else if (change == "key 256") {
        QJsonObject s = slotArray[3].toObject();
        s["key"] = 256;
        slotArray[3] = s;
    } else if (change == "shift string") {
        QJsonObject s = slotArray[5].toObject();
        s["shift"] = "yes";
        slotArray[5] = s;
    } else if (change == "drop option") {
        QJsonObject o = doc["options"].toObject();
        o.remove("relayOnAux");
        doc["options"] = o;
    }
    doc["slots"] = slotArray;
    bytes = QJsonDocument(doc).toJson();
    if (change == "truncate")
        bytes.chop(10);
    const QString in = m_dir.filePath("bad.json"), out = m_dir.filePath("bad.TPD");
    writeFile(in, bytes);
    QFile::remove(out);
    const Run r = tarvenpad({"import", in, out});
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!QFile::exists(out));
}

void TestTarvenpad::writeOutcomes_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text"); // expected on stdout (status 0) or stderr
    QTest::newRow("one unit") << QStringList{"--emulate", "1"} << 0
                              << "unit 1: programmed and verified\n";
    QTest::newRow("two units, none chosen")
        << QStringList{"--emulate", "2"} << 2 << "unit 2, serial 22";
    QTest::newRow("two units, unit 2")
        << QStringList{"--emulate", "2", "--unit", "2"} << 0 << "unit 2: programmed and verified\n";
    QTest::newRow("all") << QStringList{"--emulate", "3", "--all"} << 0
                         << "unit 1: programmed and verified\nunit 2: programmed and verified\n"
                            "unit 3: programmed and verified\n";
    QTest::newRow("unit not attached")
        << QStringList{"--emulate", "1", "--unit", "3"} << 5 << "unit 3 is not attached";
    QTest::newRow("no unit") << QStringList{"--emulate", "0"} << 5 << "no TARVEN-PAD unit found";
    QTest::newRow("I/O error") << QStringList{"--emulate", "1", "--emulate-fault", "fail:50"} << 6
                               << "Device I/O Error";
    QTest::newRow("read-back differs")
        << QStringList{"--emulate", "1", "--emulate-fault", "drop:1:73"} << 7
        << "Rotary  1A (modifiers)";
}

void TestTarvenpad::writeOutcomes() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, text);
    const Run r = tarvenpad(QStringList{"write", m_sample} + args);
    QCOMPARE(r.status, status);
    if (status == 0)
        QCOMPARE(r.out, text);
    else
        QVERIFY2(r.err.contains(text), qPrintable(r.err));
}

void TestTarvenpad::writeTrace() {
    const Run r = tarvenpad({"write", m_sample, "--emulate", "1", "--trace"});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 94 + 1 + 94);
    const QRegularExpression shape("^1( [0-9a-f]{2}){12}$");
    for (const QString& line : lines)
        QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
    QCOMPARE(lines[0], QString("1 02 81 00 01 09 00 00 00 00 00 00 00"));
    QCOMPARE(lines[1], QString("1 02 81 00 02 29 00 00 00 00 00 00 00"));
    QCOMPARE(lines[94], QString("1 02 81 00 fe 9a 00 00 00 00 00 00 00"));
    QCOMPARE(lines[95], QString("1 02 82 00 01 00 00 00 00 00 00 09 00"));
    QCOMPARE(lines[188], QString("1 02 82 00 5e 00 00 00 00 00 00 00 00"));
}

void TestTarvenpad::readIntoFile() {
    const QString out = m_dir.filePath("read.TPD");
    Run r = tarvenpad({"read", out, "--emulate", "1"});
    QCOMPARE(r.status, 0);
    Configuration factory;
    factory.ClearVariables();
    QCOMPARE(readFile(out), EncodeConfigFile(factory));
    QCOMPARE(tarvenpad({"read", m_dir.filePath("no/dir/x.TPD"), "--emulate", "1"}).status, 4);
    QCOMPARE(tarvenpad({"read", out, "--emulate", "2"}).status, 2);
    QCOMPARE(tarvenpad({"read", out, "--emulate", "1", "--emulate-fault", "fail:3"}).status, 6);
}

// Standard input and output as pipes: read once, written in place.
void TestTarvenpad::pipes() {
    const QByteArray tpd = readFile(m_sample);
    const Run table = tarvenpad({"show", m_sample});
    Run r = tarvenpad({"show", "/dev/stdin"}, tpd);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, table.out);
    r = tarvenpad({"show", "/dev/stdin", "--json"}, m_json);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.toUtf8(), m_json);
    r = tarvenpad({"export", m_sample, "/dev/stdout"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.toUtf8(), m_json);
    r = tarvenpad({"show", "/dev/stdin"}, QByteArray(""));
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.contains("is empty"), qPrintable(r.err));
}

void TestTarvenpad::fifos() {
    const QString in = m_dir.filePath("in.fifo"), out = m_dir.filePath("out.fifo");
    QVERIFY(::mkfifo(QFile::encodeName(in).constData(), 0600) == 0);
    QVERIFY(::mkfifo(QFile::encodeName(out).constData(), 0600) == 0);

    // show FIFO: the tool waits for a writer, like any program reading a FIFO.
    QProcess show;
    show.start(QStringLiteral(TARVENPAD_EXE), {"show", in});
    int writer = -1;
    QElapsedTimer timer;
    timer.start();
    while (writer < 0 && timer.elapsed() < 20000) {
        writer = ::open(QFile::encodeName(in).constData(), O_WRONLY | O_NONBLOCK);
        if (writer < 0)
            QThread::msleep(10);
    }
    QVERIFY(writer >= 0);
    const QByteArray tpd = readFile(m_sample);
    QCOMPARE(::write(writer, tpd.constData(), size_t(tpd.size())), ssize_t(tpd.size()));
    ::close(writer);
    const Run shown = finish(show);
    QCOMPARE(shown.status, 0);
    QVERIFY(shown.out.contains("Rotary-5 on AUX  on"));

    // export into a FIFO: written in place, to whoever reads it.
    const int reader = ::open(QFile::encodeName(out).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    QProcess exporting;
    exporting.start(QStringLiteral(TARVENPAD_EXE), {"export", m_sample, out});
    QByteArray got;
    timer.restart();
    // Until the tool has ended and the FIFO is drained (before the tool opens it for
    // writing, a read says end of file too).
    for (bool ended = false;;) {
        char buffer[4096];
        const ssize_t n = ::read(reader, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, n);
            continue;
        }
        if (ended || timer.elapsed() > 20000)
            break;
        ended = exporting.waitForFinished(10) || exporting.state() == QProcess::NotRunning;
    }
    ::close(reader);
    QCOMPARE(exporting.exitCode(), 0);
    QCOMPARE(got, m_json);
    QVERIFY(realfiles::isFifo(in) && realfiles::isFifo(out));
}

// Inputs far beyond any configuration are refused at once, without filling memory.
void TestTarvenpad::hugeInputs() {
    const QString zeros = m_dir.filePath("zeros64G"), brace = m_dir.filePath("brace64G");
    if (!realfiles::makeSparse(zeros, qint64(64) << 30) ||
        !realfiles::makeSparse(brace, qint64(64) << 30, "{"))
        QSKIP("this file system does not take a 64 GiB sparse file");
    for (const QString& file : {zeros, brace}) {
        QElapsedTimer timer;
        timer.start();
        const Run r = tarvenpad({"show", file});
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(r.status, 3);
        QVERIFY2(r.err.contains(file), qPrintable(r.err));
    }
    QVERIFY(tarvenpad({"show", brace}).err.contains("longer than 1 MiB"));
    const Run piped = tarvenpad({"show", "/dev/stdin"}, QByteArray(3 << 20, '{'));
    QCOMPARE(piped.status, 3);
    QVERIFY2(piped.err.contains("longer than 1 MiB"), qPrintable(piped.err));
    rusage usage{};
    QVERIFY(::getrusage(RUSAGE_CHILDREN, &usage) == 0);
    QVERIFY2(usage.ru_maxrss < 100 * 1024, qPrintable(QString::number(usage.ru_maxrss)));
}

// A real full disk (a tiny tmpfs; mounting needs root): import, export and read fail with
// status 4 and leave the old files as they were.
void TestTarvenpad::fullDisk() {
    realfiles::TinyTmpfs fs(m_dir.filePath("tiny"));
    if (!fs.mounted())
        QSKIP(qPrintable("cannot mount a tmpfs here: " + fs.error()));
    const QString tpd = fs.filePath("old.TPD"), json = fs.filePath("old.json");
    const QByteArray oldTpd = readFile(m_sample);
    writeFile(tpd, oldTpd);
    writeFile(json, "{\"kept\": true}\n");
    QVERIFY(fs.fill());
    const QStringList names = realfiles::namesIn(fs.path());
    const QString jsonIn = m_dir.filePath("full-in.json");
    writeFile(jsonIn, m_json);
    for (const QStringList& args :
         {QStringList{"import", jsonIn, tpd}, QStringList{"export", m_sample, json},
          QStringList{"read", tpd, "--emulate", "1"}}) {
        const Run r = tarvenpad(args);
        QCOMPARE(r.status, 4);
        QVERIFY2(r.err.contains("No space left on device"), qPrintable(r.err));
    }
    QCOMPARE(readFile(tpd), oldTpd);
    QCOMPARE(readFile(json), QByteArray("{\"kept\": true}\n"));
    QCOMPARE(realfiles::namesIn(fs.path()), names);
}

// A file-size limit (no root needed): every write is cut short with EFBIG.
void TestTarvenpad::fileSizeLimit() {
    const QString tpd = m_dir.filePath("limit.TPD"), json = m_dir.filePath("limit.json");
    QByteArray oldTpd = readFile(m_sample);
    oldTpd[5] = 'x';
    writeFile(tpd, oldTpd);
    writeFile(json, "[]");
    const QString jsonIn = m_dir.filePath("limit-in.json");
    writeFile(jsonIn, m_json);
    const QStringList before = realfiles::namesIn(m_dir.path());
    for (const QStringList& args :
         {QStringList{"import", jsonIn, tpd}, QStringList{"export", m_sample, json},
          QStringList{"read", tpd, "--emulate", "1"}}) {
        const Run r = tarvenpadLimited(args, 50);
        QCOMPARE(r.status, 4);
        QVERIFY2(r.err.contains("File too large"), qPrintable(r.err));
    }
    QCOMPARE(readFile(tpd), oldTpd);
    QCOMPARE(readFile(json), QByteArray("[]"));
    QCOMPARE(realfiles::namesIn(m_dir.path()), before);
}

// Copies of /dev/null and /dev/full made here: written in place, and still devices after.
void TestTarvenpad::devices() {
    QString why;
    const QString null = realfiles::makeCharDevice(m_dir.filePath("null"), 1, 3, why);
    if (null.isEmpty())
        QSKIP(qPrintable(why));
    const QString full = realfiles::makeCharDevice(m_dir.filePath("full"), 1, 7, why);
    QVERIFY2(!full.isEmpty(), qPrintable(why));
    QCOMPARE(tarvenpad({"export", m_sample, null}).status, 0);
    QCOMPARE(tarvenpad({"read", null, "--emulate", "1"}).status, 0);
    const Run r = tarvenpad({"export", m_sample, full});
    QCOMPARE(r.status, 4);
    QVERIFY2(r.err.contains("No space left on device"), qPrintable(r.err));
    QCOMPARE(tarvenpad({"read", full, "--emulate", "1"}).status, 4);
    QVERIFY(realfiles::isCharDevice(null, 1, 3));
    QVERIFY(realfiles::isCharDevice(full, 1, 7));
}

// A file name that is not UTF-8 is used as its bytes (through a shell, since QProcess
// passes its arguments as UTF-8).
void TestTarvenpad::nonUtf8Names() {
    QDir(m_dir.path()).mkdir("latin1");
    const QString folder = m_dir.filePath("latin1");
    const QString json = m_dir.filePath("names.json");
    writeFile(json, m_json);
    QProcess p;
    p.start("/bin/sh",
            {"-c",
             "name=$(printf '%s/na\\377me.TPD' \"$3\") && \"$0\" import \"$2\" \"$name\" "
             "&& \"$0\" show \"$name\" >/dev/null && \"$0\" export \"$name\" \"$name.json\"",
             TARVENPAD_EXE, "unused", json, folder});
    const Run r = finish(p);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(realfiles::rawNamesIn(folder),
             (QList<QByteArray>{"na\xffme.TPD", "na\xffme.TPD.json"}));
    const QByteArray native = QFile::encodeName(folder) + "/na\xffme.TPD";
    InputBytes written; // QFile cannot open it: Qt 6 cannot name it
    QVERIFY(ReadInput(PathFromNative(native), InputKind::RegularFile, written).ok());
    QCOMPARE(written.bytes, readFile(m_sample));
    ::unlink(native.constData());
    ::unlink((native + ".json").constData());
}

// The .TPD header decides first: JSON after newlines is JSON, a .TPD whose first modifier
// byte scrambles to "{" is a .TPD.
void TestTarvenpad::formatByHeader() {
    const QString padded = m_dir.filePath("padded.json");
    writeFile(padded, QByteArray(70, '\n') + m_json);
    Run r = tarvenpad({"show", padded});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, tarvenpad({"show", m_sample}).out);
    QByteArray tpd = readFile(m_sample);
    tpd[1] = '{';
    const QString brace = m_dir.filePath("brace.TPD");
    writeFile(brace, tpd);
    r = tarvenpad({"show", brace});
    QCOMPARE(r.status, 0);
    QVERIFY(
        r.out.split('\n')[1].startsWith("Input 1      Esc                41  x     x       x   -"));
}

QTEST_GUILESS_MAIN(TestTarvenpad)
#include "tst_Tarvenpad.moc"
