#include "ConfigFile.h"
#include "Configuration.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status;
    QString out;
    QString err;
};

Run tarvenpad(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TARVENPAD_EXE), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
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
    void writeAllReportsInOrder();
    void backup();
    void readIntoFile();

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
    // A fault meant for emulated units must not be ignored on real ones.
    QTest::newRow("fault without --emulate")
        << QStringList{"write", "x.TPD", "--emulate-fault", "fail:3"};
    QTest::newRow("fail:0") << QStringList{"units", "--emulate", "1", "--emulate-fault", "fail:0"};
    QTest::newRow("fail:-3") << QStringList{"units", "--emulate", "1", "--emulate-fault",
                                            "fail:-3"};
    QTest::newRow("drop:7:5 on two units")
        << QStringList{"units", "--emulate", "2", "--emulate-fault", "drop:7:5"};
    QTest::newRow("drop:1:500") << QStringList{"units", "--emulate", "2", "--emulate-fault",
                                               "drop:1:500"};
    QTest::newRow("backup with read") << QStringList{"read", "x.TPD", "--backup", "b.TPD"};
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
    QCOMPARE(tarvenpad({"units", "--demo"}).out, QString("1 4172\n2 12935\n"));
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
    QCOMPARE(r.out, QString("unit 1: programmed and verified\nunit 2: programmed and verified\n"
                            "unit 4: programmed and verified\n"));
    QVERIFY(r.err.startsWith("tarvenpad: unit 3: the unit holds something else than was "
                             "written: Input 1 (modifiers)"));
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

QTEST_GUILESS_MAIN(TestTarvenpad)
#include "tst_Tarvenpad.moc"
