// SPDX-License-Identifier: GPL-3.0-or-later
#include "RealFiles.h"
#include "files/ConfigDocument.h"
#include "files/ConfigFile.h"
#include "files/FileAccess.h"
#include "files/NativePath.h"
#include "model/Configuration.h"
#include "model/PanelRole.h"
#include "model/SlotText.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <sys/resource.h>

namespace {

struct Run {
    int status;
    QString out;
    QString err;
    QByteArray bytes; // standard output as it came
};

QString workDir; // every run starts here, so that relative names work

Run finish(QProcess& p) {
    p.waitForFinished(60000);
    const QByteArray out = p.readAllStandardOutput();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(out),
            QString::fromUtf8(p.readAllStandardError()), out};
}

// Runs the tool with `input` piped into its standard input.
Run tarvenpad(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(TARVENPAD_EXE), args);
    p.write(input);
    p.closeWriteChannel();
    return finish(p);
}

// Runs the tool with a file-size limit of `limit` bytes. The tool itself must turn SIGXFSZ
// into an error it reports.
Run tarvenpadLimited(const QStringList& args, rlim_t limit) {
    QProcess p;
    p.setWorkingDirectory(workDir);
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

// A .TPD whose panel roles cannot be read: its block's checksum is off by one bit.
QString damagedRoles(const QString& path) {
    Configuration c;
    c.setRole(0, PanelRole::fromKey(u"P1_UP"));
    QByteArray bytes = EncodeConfigFile(c);
    bytes[FileSize46 + 7] = char(bytes[FileSize46 + 7] ^ 1);
    writeFile(path, bytes);
    return path;
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
    void writeAllReportsInOrder();
    void backup();
    void readIntoFile();
    void version();
    void progressOnTerminal();
    void optionForms_data();
    void optionForms();
    void standardStreams_data();
    void standardStreams();
    void failedOutput_data();
    void failedOutput();
    void unitsJson();
    void diff_data();
    void diff();
    void diffJson();
    void completion_data();
    void completion();
    void pipes();
    void fifos();
    void hugeInputs();
    void fullDisk();
    void fileSizeLimit();
    void devices();
    void nonUtf8Names();
    void formatByHeader();
    void legend_data();
    void legend();
    void emulatorMaps_data();
    void emulatorMaps();

private:
    QTemporaryDir m_dir;
    QString m_sample;  // a .TPD file with a few settings
    QString m_factory; // what an emulated unit holds
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
    Configuration factory;
    factory.ClearVariables();
    m_factory = m_dir.filePath("factory.TPD");
    QVERIFY(WriteConfigFile(factory, m_factory).ok());
    workDir = m_dir.path();
    QCOMPARE(tarvenpad({"preset", "arcade-one-player", "arcade.TPD"}).status, 0);
    QCOMPARE(tarvenpad({"preset", "arcade-two-players", "two.TPD"}).status, 0);
    const Run r = tarvenpad({"show", m_sample, "--json"});
    QCOMPARE(r.status, 0);
    m_json = r.out.toUtf8();
}

void TestTarvenpad::help() {
    const Run r = tarvenpad({"--help"});
    QCOMPARE(r.status, 0);
    for (const char* word :
         {"units",   "show",      "import",    "export", "write",  "read",    "--unit", "--all",
          "--json",  "--emulate", "--trace",   "  7  ",  "legend", "preset",  "--list", "identify",
          "restore", "mame",      "retroarch", "keys",   "--from", "--merge", "  9  "})
        QVERIFY2(r.out.contains(word), word);
}

void TestTarvenpad::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says"); // part of the message, where the row checks it
    QTest::newRow("nothing") << QStringList{} << QString();
    QTest::newRow("unknown command") << QStringList{"frob"} << QString();
    QTest::newRow("unknown option") << QStringList{"units", "--frob"} << QString();
    QTest::newRow("missing file") << QStringList{"show"}
                                  << "show: FILE is missing (see tarvenpad help show)";
    QTest::newRow("missing OUT") << QStringList{"export", "x.TPD"} << "OUT.json is missing";
    QTest::newRow("preset, nothing") << QStringList{"preset"} << "NAME and OUT are missing";
    QTest::newRow("an extra file") << QStringList{"show", "x.TPD", "y.TPD"} << "'y.TPD' is extra";
    QTest::newRow("preset --list NAME") << QStringList{"preset", "--list", "x"} << "'x' is extra";
    QTest::newRow("--version extra") << QStringList{"--version", "extra"} << "'extra' is extra";
    QTest::newRow("bad unit") << QStringList{"read", "x.TPD", "--unit", "5"} << QString();
    QTest::newRow("unit and all") << QStringList{"write", "x.TPD", "--unit", "1", "--all"}
                                  << QString();
    // A fault meant for emulated units must not be ignored on real ones.
    QTest::newRow("fault without --emulate")
        << QStringList{"write", "x.TPD", "--emulate-fault", "fail:3"} << QString();
    QTest::newRow("fail:0") << QStringList{"units", "--emulate", "1", "--emulate-fault", "fail:0"}
                            << QString();
    QTest::newRow("fail:-3") << QStringList{"units", "--emulate", "1", "--emulate-fault", "fail:-3"}
                             << QString();
    QTest::newRow("drop:7:5 on two units")
        << QStringList{"units", "--emulate", "2", "--emulate-fault", "drop:7:5"} << QString();
    QTest::newRow("drop:1:500") << QStringList{"units", "--emulate", "2", "--emulate-fault",
                                               "drop:1:500"}
                                << QString();
    QTest::newRow("backup with read")
        << QStringList{"read", "x.TPD", "--backup", "b.TPD"} << QString();
    QTest::newRow("another command's option")
        << QStringList{"show", "x.TPD", "--unit=1"} << QString();
    QTest::newRow("value for a switch") << QStringList{"units", "--json=yes"} << QString();
    QTest::newRow("missing value") << QStringList{"read", "x.TPD", "--unit"} << QString();
    QTest::newRow("help on no command") << QStringList{"help", "frob"} << QString();
    QTest::newRow("identify on demo units, which have no keyboard")
        << QStringList{"identify", "--demo"} << QString();
    QTest::newRow("identify --all") << QStringList{"identify", "--all"} << QString();
    QTest::newRow("identify --roles, no such set")
        << QStringList{"identify", "--roles", "3p9", "--output", "x.TPD"} << "--roles takes a set";
    QTest::newRow("identify --roles without --output")
        << QStringList{"identify", "--roles", "1p6"} << "go together";
    QTest::newRow("restore --unit") << QStringList{"restore", "--unit", "1"} << QString();
    QTest::newRow("keys without --from")
        << QStringList{"keys", "x.TPD", "y.TPD"} << "keys: --from SOURCE is missing";
    QTest::newRow("merge into standard output")
        << QStringList{"retroarch", "arcade.TPD", "-", "--merge"} << "not -";
}

void TestTarvenpad::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const Run r = tarvenpad(args);
    QCOMPARE(r.status, 2);
    QVERIFY(r.err.startsWith("tarvenpad: "));
    QVERIFY2(r.err.contains(says), qPrintable(r.err));
    QCOMPARE(r.err.count('\n'), 1);
}

void TestTarvenpad::units() {
    Run r = tarvenpad({"units", "--emulate", "3"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QString("1 11\n2 22\n3 33\n"));
    QCOMPARE(tarvenpad({"units", "--demo"}).out, QString("1 4172\n2 12935\n"));
    r = tarvenpad({"units", "--emulate", "0"});
    QCOMPARE(r.status, 5);
    QVERIFY(r.err.contains("no TARVEN-PAD unit found"));
    QVERIFY(r.err.contains("see ACCESS in tarvenpad(1)"));
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

    // Roles in a column of their own, only where there are roles; those that cannot be read
    // are warned of, and the keys shown all the same.
    const QStringList roles = tarvenpad({"show", "arcade.TPD"}).out.split('\n');
    QVERIFY(roles[0].endsWith("Repeat  Role") && roles[16].endsWith("-   -"));
    QCOMPARE(roles[5],
             "Input 5      Left Control      224  -     -       -   -       Player 1 Button 1");
    const Run warned = tarvenpad({"show", damagedRoles(m_dir.filePath("damaged.TPD"))});
    QVERIFY(warned.status == 0 && warned.out.startsWith("Slot  "));
    QVERIFY2(warned.err.startsWith("tarvenpad: warning: The panel roles in"),
             qPrintable(warned.err));
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
    QCOMPARE(tarvenpad({"export", "arcade.TPD", json}).status, 0); // roles go both ways
    QCOMPARE(tarvenpad({"import", json, back}).status, 0);
    QCOMPARE(readFile(back), readFile(m_dir.filePath("arcade.TPD")));
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
    QTest::newRow("all, unit 2 differs")
        << QStringList{"--emulate", "3", "--all", "--emulate-fault", "drop:2:73"} << 7
        << "unit 2: the unit holds something else";
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
    QCOMPARE(r.err.count('\n'), status ? 1 : 0);
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

void TestTarvenpad::writeAllReportsInOrder() {
    const Run r =
        tarvenpad({"write", m_sample, "--emulate", "4", "--all", "--emulate-fault", "drop:3:1"});
    QCOMPARE(r.status, 7);
    // Standard output holds every unit in order; the failure is on standard error as well.
    const QString failure = "unit 3: the unit holds something else than was written: Input 1 "
                            "(modifiers)\n";
    QCOMPARE(r.out, "unit 1: programmed and verified\nunit 2: programmed and verified\n" + failure +
                        "unit 4: programmed and verified\n");
    QCOMPARE(r.err, "tarvenpad: " + failure);
}

// The units' configurations land in their own files before anything is written; a unit
// whose backup fails is left alone.
void TestTarvenpad::backup() {
    Configuration factory;
    factory.ClearVariables();
    const QString pattern = m_dir.filePath("backup-{unit}-{serial}.TPD");
    Run r = tarvenpad({"write", m_sample, "--emulate", "2", "--all", "--backup", pattern});
    QCOMPARE(r.status, 0);
    QCOMPARE(readFile(m_dir.filePath("backup-1-11.TPD")), EncodeConfigFile(factory));
    QCOMPARE(readFile(m_dir.filePath("backup-2-22.TPD")), EncodeConfigFile(factory));

    r = tarvenpad({"write", m_sample, "--emulate", "1", "--trace", "--backup",
                   m_dir.filePath("no/dir/{unit}.TPD")});
    QCOMPARE(r.status, 4);
    QVERIFY(r.err.contains("not written"));
    QVERIFY(!r.err.contains(" 02 81 ")); // nothing stored

    r = tarvenpad(
        {"write", m_sample, "--emulate", "2", "--all", "--backup", m_dir.filePath("same.TPD")});
    QCOMPARE(r.status, 2);
    QVERIFY(!QFile::exists(m_dir.filePath("same.TPD")));
}

void TestTarvenpad::readIntoFile() {
    const QString out = m_dir.filePath("read.TPD");
    Run r = tarvenpad({"read", out, "--emulate", "1"});
    QCOMPARE(r.status, 0);
    Configuration factory;
    factory.ClearVariables();
    QCOMPARE(readFile(out), EncodeConfigFile(factory));
    QCOMPARE(tarvenpad({"read", m_dir.filePath("no/dir/x.TPD"), "--emulate", "1"}).status, 4);
    QCOMPARE(tarvenpad({"preset", "arcade-two-players", QString(245, 'p') + ".TPD"}).status, 0);
    QCOMPARE(tarvenpad({"read", out, "--emulate", "2"}).status, 2);
    QCOMPARE(tarvenpad({"read", out, "--emulate", "1", "--emulate-fault", "fail:3"}).status, 6);
    // The demo's unit 1 holds the sample: Up arrow with repeat on Input 1, the rotary rows.
    QCOMPARE(tarvenpad({"read", out, "--demo", "--unit", "1"}).status, 0);
    Configuration sample;
    QVERIFY(ReadConfigFile(sample, out).ok());
    QCOMPARE(sample.slot(0).keyCode, quint8(0x52));
    QVERIFY(sample.slot(0).repeat);
    QVERIFY(sample.aux().rotaryOnAux);
    QVERIFY(tarvenpad({"show", out})
                .out.contains("\nInput 10     %5                 34  -     x       x"));
}

void TestTarvenpad::version() {
    const Run r = tarvenpad({"--version"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QString("tarvenpad " TARVENPAD_VERSION "\n"));
}

// On a terminal the transfer draws a bar from the counts it reports; through a pipe nothing.
void TestTarvenpad::progressOnTerminal() {
    QProcess p;
    p.setWorkingDirectory(workDir);
    // script(1) gives the tool a real terminal for its standard error.
    p.start("script",
            {"-qec", QString("'%1' write sample.TPD --emulate 1").arg(TARVENPAD_EXE), "/dev/null"});
    const Run r = finish(p);
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains("[" + QString(30, '#') + "] Writing configuration - 100%"),
             qPrintable(r.out));
    QVERIFY2(
        r.out.contains("[" + QString(15, '#') + QString(15, ' ') + "] Reading configuration - 50%"),
        qPrintable(r.out));
    QVERIFY(!tarvenpad({"write", "sample.TPD", "--emulate", "1"}).err.contains("configuration"));
}

void TestTarvenpad::optionForms_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("text"); // expected in the output of a successful run
    QTest::newRow("--unit=2") << QStringList{"write", "sample.TPD", "--emulate=2", "--unit=2"}
                              << "unit 2: programmed and verified";
    QTest::newRow("options first") << QStringList{"--emulate", "2", "units"} << "2 22\n";
    QTest::newRow("-- ends the options")
        << QStringList{"show", "--json", "--", "--odd.TPD"} << "\"keyName\": \"Esc\"";
    QTest::newRow("help COMMAND") << QStringList{"help", "diff"} << "Usage: tarvenpad diff FILE";
    QTest::newRow("COMMAND --help") << QStringList{"diff", "--help"} << "--unit N";
    QTest::newRow("help identify, on --demo")
        << QStringList{"help", "identify"} << "which emulated units do not have";
    QTest::newRow("restore, nothing kept") << QStringList{"restore"} << "nothing to restore\n";
}

void TestTarvenpad::optionForms() {
    QFETCH(QStringList, args);
    QFETCH(QString, text);
    QFile::copy(m_sample, m_dir.filePath("--odd.TPD"));
    const Run r = tarvenpad(args);
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains(text), qPrintable(r.out));
}

void TestTarvenpad::standardStreams_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("output"); // exactly, on standard output
    const QByteArray sample = readFile(m_sample);
    QTest::newRow("export FILE -")
        << QStringList{"export", m_sample, "-"} << QByteArray() << 0 << m_json;
    QTest::newRow("show - --json") << QStringList{"show", "-", "--json"} << sample << 0 << m_json;
    QTest::newRow("import - -") << QStringList{"import", "-", "-"} << m_json << 0 << sample;
    QTest::newRow("read -") << QStringList{"read", "-", "--emulate", "1"} << QByteArray() << 0
                            << readFile(m_factory);
    QTest::newRow("write -") << QStringList{"write", "-", "--emulate", "2", "--unit", "1"} << m_json
                             << 0 << QByteArray("unit 1: programmed and verified\n");
    QTest::newRow("empty input") << QStringList{"show", "-"} << QByteArray() << 3 << QByteArray();
    QTest::newRow("input over 1 MiB")
        << QStringList{"import", "-", "-"} << QByteArray(1024 * 1024 + 1, ' ') << 3 << QByteArray();
    QTest::newRow("unreadable roles replaced")
        << QStringList{"import", "-", damagedRoles(m_dir.filePath("replaced.TPD")),
                       "--replace-roles"}
        << m_json << 0 << QByteArray();
}

void TestTarvenpad::standardStreams() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QByteArray, output);
    const Run r = tarvenpad(args, input);
    QVERIFY2(r.status == status, qPrintable(r.err));
    QCOMPARE(r.bytes, output);

    // The form: a JSON document from a pipe into a .TPD file.
    const QString out = m_dir.filePath("piped.TPD");
    QCOMPARE(tarvenpad({"import", "-", out}, m_json).status, 0);
    QCOMPARE(readFile(out), readFile(m_sample));
}

// Each writer names what it could not write; standard output is /dev/full throughout.
void TestTarvenpad::failedOutput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said"); // after "tarvenpad: "
    const QString no = m_dir.filePath("no/x.pdf"), to = " to " + no, unit[] = {"--emulate", "1"};
    QTest::newRow("text") << QStringList{"show", m_sample} << "cannot write standard output: ";
    QTest::newRow("bytes") << QStringList{"export", m_sample, "-"}
                           << "cannot write standard output: ";
    QTest::newRow("configuration")
        << QStringList{"export", m_sample, no} << "cannot write the configuration" + to;
    QTest::newRow("legend") << QStringList{"legend", m_sample, no}
                            << "cannot write the legend" + to;
    QTest::newRow("backup") << QStringList{"write", m_sample, unit[0], unit[1], "--backup", no}
                            << "unit 1: cannot write the backup" + to;
    QTest::newRow("log") << QStringList{"watch", m_sample, unit[0], unit[1], "--log", no}
                         << "cannot write the log" + to;
    // A .TPD whose roles cannot be read is left as it is, and the refusal says what goes ahead.
    const QString damaged = damagedRoles(m_dir.filePath("refused.TPD"));
    QTest::newRow("roles unreadable")
        << QStringList{"preset", "arcade-one-player", damaged}
        << "The file \"" + damaged +
               "\" holds panel roles that could not be read: the block is "
               "damaged. Saving replaces them.\nNothing was written. To write it all the same, and "
               "replace those roles, add --replace-roles.\n";
    QTest::newRow("backup's roles unreadable")
        << QStringList{"write", m_sample, unit[0], unit[1], "--backup", damaged}
        << "unit 1: the backup " + damaged + " holds panel roles that cannot be read";
}

void TestTarvenpad::failedOutput() {
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    if (!QFile::exists("/dev/full"))
        QSKIP("no /dev/full");
    QProcess p;
    p.setStandardOutputFile("/dev/full");
    p.start(QStringLiteral(TARVENPAD_EXE), args);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 4);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(err.contains("tarvenpad: " + said), qPrintable(err));
}

void TestTarvenpad::unitsJson() {
    Run r = tarvenpad({"units", "--json", "--emulate", "2"});
    QCOMPARE(r.status, 0);
    QJsonParseError error{};
    const QJsonArray units = QJsonDocument::fromJson(r.bytes, &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(units.size(), 2);
    QCOMPARE(
        units[1].toObject(),
        (QJsonObject{{"unit", 2}, {"serial", "22"}, {"path", "emulated:2"}, {"access", "ok"}}));
    r = tarvenpad({"units", "--json", "--emulate", "0"});
    QCOMPARE(r.status, 5);
    QCOMPARE(QJsonDocument::fromJson(r.bytes).array().size(), 0);
    QVERIFY(QJsonDocument::fromJson(r.bytes).isArray());
}

void TestTarvenpad::diff_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("same") << QStringList{"factory.TPD", "--emulate", "1"} << QByteArray() << 0
                          << "unit 1: the same as factory.TPD\n";
    QTest::newRow("differs")
        << QStringList{"sample.TPD", "--emulate", "1"} << QByteArray() << 7
        << "Input 1: file Esc (41) Control; unit Not Used (0)\n"
           "Rotary  1A: file Left Mouse (232) Control Repeat; unit Not Used (0)\n"
           "Rotary-5 on AUX: file on; unit off\n"
           "unit 1: 3 differences from sample.TPD\n";
    QTest::newRow("standard input, unit 2")
        << QStringList{"-", "--emulate=2", "--unit=2"} << m_json << 7
        << "Rotary-5 on AUX: file on; unit off\nunit 2: 3 differences from standard input\n";
    QTest::newRow("two units, none chosen")
        << QStringList{"sample.TPD", "--emulate", "2"} << QByteArray() << 2 << "";
    QTest::newRow("two files, the same") << QStringList{"-", "sample.TPD"} << m_json << 0
                                         << "sample.TPD: the same as standard input\n";
    QTest::newRow("two files, roles too")
        << QStringList{"factory.TPD", "arcade.TPD"} << QByteArray() << 7
        << "Input 15 (role): factory.TPD no role; arcade.TPD Menu\n"
           "arcade.TPD: not the same as factory.TPD (30 in all)\n";
    QTest::newRow("two files and a unit")
        << QStringList{"factory.TPD", "arcade.TPD", "--emulate", "1"} << QByteArray() << 2 << "";
}

void TestTarvenpad::diff() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, text);
    // Traced where a unit is read; two files are compared without one.
    const QStringList trace =
        args.filter("--emulate").isEmpty() ? QStringList() : QStringList{"--trace"};
    const Run r = tarvenpad(QStringList{"diff"} + trace + args, input);
    QVERIFY2(r.status == status, qPrintable(r.err));
    QVERIFY2(text.isEmpty() || r.out.endsWith(text), qPrintable(r.out));
    // Nothing is written: the trace holds no store request.
    QVERIFY2(
        !r.err.contains(QRegularExpression("^\\d 02 81 ", QRegularExpression::MultilineOption)),
        qPrintable(r.err));
}

void TestTarvenpad::diffJson() {
    const Run r = tarvenpad({"diff", m_sample, "--json", "--emulate", "1"});
    QCOMPARE(r.status, 7);
    const QJsonObject doc = QJsonDocument::fromJson(r.bytes).object();
    QCOMPARE(doc.value("same").toBool(true), false);
    const QJsonArray slotArray = doc.value("slots").toArray();
    QCOMPARE(slotArray.size(), 2);
    QCOMPARE(slotArray[1].toObject().value("label").toString(), QString("Rotary  1A"));
    QCOMPARE(slotArray[1].toObject().value("file").toObject().value("key").toInt(), 232);
    QCOMPARE(slotArray[1].toObject().value("unit").toObject().value("key").toInt(), 0);
    const QJsonArray options = doc.value("options").toArray();
    QCOMPARE(options.size(), 1);
    QCOMPARE(options[0].toObject(), (QJsonObject{{"option", "rotaryOnAux"},
                                                 {"label", "Rotary-5 on AUX"},
                                                 {"file", true},
                                                 {"unit", false}}));
    // Between files the roles count too, with null for none.
    const QJsonObject files =
        QJsonDocument::fromJson(tarvenpad({"diff", m_factory, "arcade.TPD", "--json"}).bytes)
            .object();
    QCOMPARE(files["roles"].toArray().at(0)["other"].toObject(),
             (QJsonObject{{"role", "P1_UP"}, {"userLabel", QJsonValue()}}));
}

void TestTarvenpad::completion_data() {
    QTest::addColumn<QStringList>("words"); // the last one is being completed
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("command") << QStringList{"tarvenpad", "wr"} << QStringList{"write"};
    QTest::newRow("command's option")
        << QStringList{"tarvenpad", "--emulate", "2", "write", "--u"} << QStringList{"--unit"};
    QTest::newRow("only the command's options")
        << QStringList{"tarvenpad", "show", "--"} << QStringList{"--help", "--json"};
    QTest::newRow("watch's options")
        << QStringList{"tarvenpad", "watch", "--"}
        << QStringList{"--demo", "--emulate", "--emulate-fault", "--help",
                       "--json", "--log",     "--trace"};
    QTest::newRow("import's option")
        << QStringList{"tarvenpad", "import", "--"} << QStringList{"--help", "--replace-roles"};
    QTest::newRow("identify's sets") << QStringList{"tarvenpad", "identify", "--roles", ""}
                                     << QStringList{"1p6", "2p6", "2p8", "4p4"};
    QTest::newRow("configuration files")
        << QStringList{"tarvenpad", "show", "c"} << QStringList{"c.JSON", "c.tpd", "cdir"};
    QTest::newRow("keys' sources") << QStringList{"tarvenpad", "keys", "--from", ""}
                                   << QStringList{"cdir", "mame", "retroarch"};
}

void TestTarvenpad::completion() {
    QFETCH(QStringList, words);
    QFETCH(QStringList, offered);
    if (QStandardPaths::findExecutable("bash").isEmpty())
        QSKIP("no bash");
    QTemporaryDir dir;
    for (const char* name : {"c.tpd", "c.JSON", "c.txt"})
        writeFile(dir.filePath(name), "x");
    QVERIFY(QDir(dir.path()).mkdir("cdir"));
    QProcess bash;
    bash.setWorkingDirectory(dir.path());
    bash.start("bash", QStringList{"-c",
                                   "source \"$0\" && COMP_WORDS=(\"$@\") && "
                                   "COMP_CWORD=$(($# - 1)) && _tarvenpad; "
                                   "printf '%s\\n' \"${COMPREPLY[@]}\"",
                                   TARVENPAD_COMPLETION} +
                           words);
    QVERIFY(bash.waitForFinished(60000));
    QStringList got =
        QString::fromUtf8(bash.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    got.sort();
    QCOMPARE(got, offered);
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

// A sheet per configuration and format: its text names every input's assignment in the
// order of the tiles, and the picture is a page that is not blank.
void TestTarvenpad::legend_data() {
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("format");
    for (const char* config : {"sample.TPD", "factory.TPD", "arcade-two-players.json"})
        for (const char* format : {"pdf", "svg", "png"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(config, format)))
                << QString(config) << QString(format);
}

void TestTarvenpad::legend() {
    QFETCH(QString, config);
    QFETCH(QString, format);
    qputenv("LC_PAPER", "C"); // A4
    if (config.endsWith(".json"))
        QCOMPARE(tarvenpad({"preset", config.chopped(5), config}).status, 0);
    const QString out = m_dir.filePath("legend." + format);
    const Run r = tarvenpad({"legend", config, out});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QString text;
    if (format == "png") {
        const QImage page(out);
        QVERIFY(qAbs(double(page.height()) / page.width() - 297.0 / 210) < 0.01);
        int dark = 0;
        for (int y = 0; y < page.height(); y += 4)
            for (int x = 0; x < page.width(); x += 4)
                dark += qGray(page.pixel(x, y)) < 128;
        QVERIFY(dark > 500);
        return;
    } else if (format == "svg") {
        QXmlStreamReader svg(readFile(out));
        while (!svg.atEnd())
            if (svg.readNext() == QXmlStreamReader::Characters)
                text += svg.text().toString() + ' ';
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    } else {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-raw", out, "-"});
        if (!pdftotext.waitForFinished(60000))
            QSKIP("no pdftotext (poppler-utils)");
        text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    }
    text = text.simplified();
    Configuration c;
    QVERIFY(LoadConfiguration(c, m_dir.filePath(config)).ok());
    qsizetype at = text.indexOf(config);
    for (int slot = 0; slot < Configuration::InputCount && at >= 0; ++slot) {
        at = text.indexOf(SlotName(slot) + ' ', at);
        at = text.indexOf(AssignmentText(c.slot(slot)), at);
        if (c.slotRole(slot).role != PanelRole::None) // under the key
            at = text.indexOf(PanelRole::name(c.slotRole(slot).role), at);
        QVERIFY2(at >= 0, qPrintable(SlotName(slot) + ": " + text));
    }
}

// Each row's OUT, judged by its contents: an emulator file's text, or a configuration's key
// codes as "SLOT=CODE". Rows run in order: "keys --from mame" reads what the row before wrote.
void TestTarvenpad::emulatorMaps_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // part of standard output
    QTest::addColumn<QStringList>("has");
    QTest::newRow("mame") << QStringList{"mame", "arcade.TPD", "m.cfg"} << 0 << ""
                          << QStringList{"<port type=\"P1_BUTTON1\">", "KEYCODE_LCONTROL"};
    QTest::newRow("retroarch") << QStringList{"retroarch", "arcade.TPD", "r.cfg"} << 9 << ""
                               << QStringList{"input_player1_b = \"ctrl\""};
    QTest::newRow("warnings") << QStringList{"mame", "two.TPD", "w.cfg"} << 9 << ""
                              << QStringList{"P2_BUTTON5"};
    QTest::newRow("merge") << QStringList{"retroarch", "arcade.TPD", "retroarch.cfg", "--merge"}
                           << 9 << "the old file is kept as retroarch.cfg.bak."
                           << QStringList{"video_driver = \"gl\"", "input_player1_b = \"ctrl\""};
    QTest::newRow("merge again: no change, no backup")
        << QStringList{"retroarch", "arcade.TPD", "r.cfg", "--merge"} << 9
        << "holds these binds already" << QStringList{};
    QTest::newRow("not over a whole retroarch.cfg")
        << QStringList{"retroarch", "arcade.TPD", "retroarch.cfg"} << 4 << "" << QStringList{};
    QTest::newRow("keys --from retroarch")
        << QStringList{"keys", "arcade.TPD", "ra.json", "--from", "retroarch"} << 0
        << "took RetroArch's own keys." << QStringList{" 4=29 "};
    QTest::newRow("keys --from mame") << QStringList{"keys", "ra.json", "ma.TPD", "--from", "mame"}
                                      << 0 << "took MAME's own keys." << QStringList{" 4=224 "};
    QTest::newRow("keys --from a file")
        << QStringList{"keys", "arcade.TPD", "f.json", "--from", "retroarch.cfg"} << 9
        << "took the keys of this RetroArch configuration." << QStringList{" 4=20 "};
    QTest::newRow("keys --from MAME, any case")
        << QStringList{"keys", "ra.json", "mb.TPD", "--from", "MAME"} << 0
        << "took MAME's own keys." << QStringList{" 4=224 "};
    QTest::newRow("no roles") << QStringList{"mame", "sample.TPD", "n.cfg"} << 3 << ""
                              << QStringList{};
    QTest::newRow("no source") << QStringList{"keys", "arcade.TPD", "s.json", "--from", "none.cfg"}
                               << 3 << "" << QStringList{};
}

void TestTarvenpad::emulatorMaps() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QStringList, has);
    const QByteArray retroArch = "video_driver = \"gl\"\ninput_player1_b = \"q\"\n";
    writeFile(m_dir.filePath("retroarch.cfg"), retroArch);
    QFile::remove(m_dir.filePath("retroarch.cfg.bak"));
    const Run r = tarvenpad(args);
    QVERIFY2(r.status == status, qPrintable(r.err));
    QVERIFY2(r.out.contains(out), qPrintable(r.out));
    // Warnings only, one a line; a failure is one line and writes nothing.
    const QString file = m_dir.filePath(args[2]);
    if (status == 9)
        QCOMPARE(r.err.count("tarvenpad: warning: "), r.err.count('\n'));
    QCOMPARE(QFile::exists(file), status != 3);
    QString text = QString::fromUtf8(readFile(file));
    if (Configuration c; !file.endsWith(".cfg") && LoadConfiguration(c, file).ok())
        for (int k = 0; k < Configuration::SlotCount; ++k)
            text += QStringLiteral(" %1=%2 ").arg(k).arg(c.slot(k).keyCode);
    for (const QString& part : has)
        QVERIFY2(text.contains(part), qPrintable(text));
    if (args.contains("--merge"))
        QCOMPARE(readFile(file + ".bak"), r.out.contains("already") ? QByteArray() : retroArch);
}

QTEST_GUILESS_MAIN(TestTarvenpad)
#include "tst_Tarvenpad.moc"
