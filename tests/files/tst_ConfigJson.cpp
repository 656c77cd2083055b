// SPDX-License-Identifier: GPL-3.0-or-later
// The strict JSON reader and the format detection of the command-line tool's inputs.
#include "files/ConfigDocument.h"
#include "files/ConfigFile.h"
#include "files/ConfigJson.h"
#include "files/StrictJson.h"
#include "model/Configuration.h"
#include "model/SlotText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTranslator>
#include <QtTest>

namespace {

Configuration& sample() {
    static Configuration c;
    static bool made = false;
    if (!made) {
        c.setKeyCode(0, 0x29);
        c.setControl(0, true);
        c.setKeyCode(1, 0x04);
        c.setKeyCode(36, 0xE8);
        c.applyModifierByte(36, 1);
        c.setOption(Configuration::Option::RotaryOnAux, true);
        made = true;
    }
    return c;
}

// {"format":...,"options":{...},"slots":[{"alt":false,"control":true,"key":41,...},...],...}
QByteArray compact() {
    return QJsonDocument(ConfigToJson(sample())).toJson(QJsonDocument::Compact);
}

// A language that brackets every text, so any text that went through it shows.
class BracketTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char*, int) const override {
        return QStringLiteral("<%1>").arg(QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

QByteArray replaceFirst(QByteArray text, const QByteArray& from, const QByteArray& to) {
    const qsizetype at = text.indexOf(from);
    if (at < 0)
        qFatal("no %s in the sample", from.constData());
    return text.replace(at, from.size(), to);
}

} // namespace

class TestConfigJson : public QObject {
    Q_OBJECT
private slots:
    void acceptsSample();
    void acceptsWholeNumbersWrittenOtherwise();
    void rejects_data();
    void rejects();
    void syntaxErrorHasLine();
    void detection_data();
    void detection();
    void decodesByHeader();
    void documentNamesIgnoreTranslation();
};

void TestConfigJson::acceptsSample() {
    Configuration c;
    const FileResult r = ConfigFromJson(c, compact());
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(EncodeConfigFile(c), EncodeConfigFile(sample()));
    QVERIFY(ConfigFromJson(c, EncodeConfigJson(sample())).ok());
    // Roles and labels come back as they went, in any case; a document without them has none.
    const QByteArray roles = replaceFirst(
        compact(), "\"slot\":1}", "\"slot\":1,\"role\":\"p1_Button1\",\"userLabel\":\" Jump \"}");
    QVERIFY(ConfigFromJson(c, roles).ok());
    QCOMPARE(c.slotRole(1), (SlotRole{PanelRole::fromKey(u"P1_BUTTON1"), QString("Jump")}));
    QCOMPARE(ConfigToJson(c)["slots"].toArray().at(1)["role"].toString(), QString("P1_BUTTON1"));
    QVERIFY(ConfigFromJson(c, compact()).ok() && !c.hasRoles());
}

void TestConfigJson::acceptsWholeNumbersWrittenOtherwise() {
    for (const char* key : {"41.0", "4.1e1", "410e-1", "41.000"}) {
        Configuration c;
        const FileResult r =
            ConfigFromJson(c, replaceFirst(compact(), "\"key\":41", QByteArray("\"key\":") + key));
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(int(c.slot(0).keyCode), 41);
    }
}

void TestConfigJson::rejects_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("message");
    const QByteArray doc = compact();
    const auto row = [&](const char* name, const QByteArray& from, const QByteArray& to,
                         const char* message) {
        QTest::newRow(name) << replaceFirst(doc, from, to) << QString(message);
    };
    row("duplicate at the top", "\"version\":1", "\"version\":1,\"version\":1",
        "\"version\" appears twice");
    row("duplicate in a slot", "\"alt\":false", "\"alt\":false,\"alt\":true",
        "slots[0].alt appears twice");
    row("duplicate option", "\"activeHigh\":false", "\"activeHigh\":false,\"activeHigh\":true",
        "options.activeHigh appears twice");
    row("duplicate slot number", "\"slot\":1}", "\"slot\":0}",
        "slots[1].slot: slot 0 appears twice");
    row("invalid escape", "\"Input 1\"", "\"Input\\q 1\"", "invalid escape \\q");
    row("short \\u", "\"Input 1\"", "\"Input\\u12 1\"", "\\u needs four hex digits");
    row("lone surrogate", "\"Input 1\"", "\"Input\\ud800 1\"", "lone surrogate");
    row("lone low surrogate", "\"Input 1\"", "\"Input\\udc00\"", "lone surrogate");
    row("upper-case hex", "\"Input 1\"", "\"Input\\uDC0F\"", "lone surrogate");
    row("escaped NUL", "\"Input 1\"", "\"Input\\u0000\"", "\\u0000 (NUL)");
    row("raw NUL in a string", "\"Input 1\"", QByteArray("\"Input\0 1\"", 10),
        "a NUL byte in a string");
    row("raw NUL between values", "\"version\":1", QByteArray("\"version\":\0 1", 13),
        "a NUL byte");
    row("raw tab in a string", "\"Input 1\"", "\"Input\t1\"", "raw control character (0x09)");
    row("invalid UTF-8", "\"Input 1\"", "\"Input\xff 1\"", "invalid UTF-8");
    row("overlong UTF-8", "\"Input 1\"", "\"Input\xc0\xaf 1\"", "invalid UTF-8");
    row("key 1e20", "\"key\":41", "\"key\":1e20",
        "slots[0].key must be a whole number from 0 to 255");
    row("key -1e20", "\"key\":41", "\"key\":-1e20", "slots[0].key must be a whole number");
    row("key 1e400", "\"key\":41", "\"key\":1e400", "slots[0].key must be a whole number");
    row("key 2.5", "\"key\":41", "\"key\":2.5", "slots[0].key must be a whole number");
    row("key 256", "\"key\":41", "\"key\":256", "slots[0].key must be a whole number");
    row("key as text", "\"key\":41", "\"key\":\"41\"", "slots[0].key must be a whole number");
    row("slot -1e20", "\"slot\":0}", "\"slot\":-1e20}",
        "slots[0].slot must be a whole number from 0 to 45");
    row("slot 1e300", "\"slot\":0}", "\"slot\":1e300}", "slots[0].slot must be a whole number");
    row("leading zero", "\"key\":41", "\"key\":041", "must not start with 0");
    row("missing key", "\"key\":41,", "", "slots[0].key is missing");
    row("missing flag", "\"alt\":false,", "", "slots[0].alt must be true or false, not missing");
    row("flag as number", "\"alt\":false", "\"alt\":0",
        "slots[0].alt must be true or false, not a number");
    row("unknown slot field", "\"alt\":false", "\"alt\":false,\"colour\":1",
        "slots[0].colour is not a field of a slot");
    row("unknown option", "\"activeHigh\":false", "\"activeHigh\":false,\"turbo\":true",
        "options.turbo is not an option");
    row("unknown field", "\"version\":1", "\"version\":1,\"extra\":null",
        "\"extra\" is not a field of a configuration");
    row("label as number", "\"label\":\"Input 1\"", "\"label\":5",
        "slots[0].label must be a string, not a number");
    row("userLabel as number", "\"slot\":0}", "\"slot\":0,\"userLabel\":5}",
        "slots[0].userLabel must be a string, not a number");
    row("bad role name", "\"slot\":0}", "\"slot\":0,\"role\":\"P5_UP\"}",
        "slots[0].role must name a panel role");
    row("role as number", "\"slot\":0}", "\"slot\":0,\"role\":3}", "slots[0].role must name");
    QTest::newRow("role twice") << replaceFirst(replaceFirst(doc, "\"slot\":0}",
                                                             "\"slot\":0,\"role\":\"COIN1\"}"),
                                                "\"slot\":1}", "\"slot\":1,\"role\":\"coin1\"}")
                                << QString("slots[1].role: slot 0 has it too");
    row("trailing comma", "\"version\":1}", "\"version\":1,}", "expected a name in quotes");
    row("array trailing comma", "}]", "},]", "unexpected character ']'");
    row("wrong format", "tarvenpad-config", "tarvenpad-other", "\"format\" must be");
    row("version 2", "\"version\":1", "\"version\":2", "\"version\" must be 1");
    row("slots not an array", "\"slots\":[", "\"slots\":\"none\",\"later\":[",
        "\"slots\" must be an array, not a string");
    row("deep nesting", "\"version\":1",
        "\"version\":1,\"deep\":" + QByteArray(100, '[') + QByteArray(100, ']'),
        "nested deeper than 64 levels");
    QTest::newRow("text after the document") << doc + " x"
                                             << "more text after the document";
    QTest::newRow("NUL after the document")
        << doc + QByteArray(1, '\0') << "a NUL byte after the document";
    QTest::newRow("cut short") << doc.left(doc.size() - 10) << "a string has no closing quote";
    QTest::newRow("cut after a value") << doc.left(doc.size() - 1) << "the document ends too early";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << "not a JSON object";
    QTest::newRow("empty") << QByteArray("  ") << "the document ends too early";
}

void TestConfigJson::rejects() {
    QFETCH(QByteArray, document);
    QFETCH(QString, message);
    Configuration c;
    c.setKeyCode(5, 0x10);
    c.setConfigModified(true);
    const QByteArray before = EncodeConfigFile(c);
    const FileResult r = ConfigFromJson(c, document);
    QCOMPARE(int(r.status), int(FileResult::Status::Rejected));
    QVERIFY2(r.message.contains(message), qPrintable(r.message));
    QCOMPARE(EncodeConfigFile(c), before);
    QVERIFY(c.configModified());
}

void TestConfigJson::syntaxErrorHasLine() {
    const QByteArray doc = EncodeConfigJson(sample());
    const QByteArray bad = replaceFirst(doc, "\"Rotary  1A\"", "\"Rotary\\x 1A\"");
    const qsizetype at = bad.indexOf("\\x");
    const int line = int(bad.left(at).count('\n')) + 1;
    const int column = int(at - bad.lastIndexOf('\n', at - 1));
    Configuration c;
    const FileResult r = ConfigFromJson(c, bad);
    QVERIFY2(r.message.contains(QStringLiteral("bad JSON at line %1, column %2 (byte %3)")
                                    .arg(line)
                                    .arg(column)
                                    .arg(at)),
             qPrintable(r.message));
}

void TestConfigJson::detection_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("tpd");
    const QByteArray tpd = EncodeConfigFile(sample());
    QByteArray brace = tpd; // first modifier byte 0x30: scrambled, a "{" after the newline
    brace[1] = '{';
    QByteArray space = tpd; // 0x6B: a space after the newline
    space[1] = ' ';
    QByteArray layout36(74, char(0 ^ Mask36));
    layout36[0] = char('O' ^ FileMask);
    const QByteArray json = EncodeConfigJson(sample());
    QTest::newRow(".TPD") << tpd << true << true;
    QTest::newRow(".TPD with \"{\" after its header") << brace << true << true;
    QTest::newRow(".TPD with a space after its header") << space << true << true;
    QTest::newRow(".TPD with a tail") << tpd + QByteArray(500, '{') << true << true;
    QTest::newRow(".TPD, the beginning of a long one") << tpd << false << true;
    QTest::newRow(".TPD cut short") << tpd.left(40) << true << true;
    QTest::newRow("36-slot .TPD") << layout36 << true << true;
    QTest::newRow("JSON") << json << true << false;
    QTest::newRow("JSON after a newline") << "\n" + json << true << false;
    QTest::newRow("JSON after 70 newlines") << QByteArray(70, '\n') + json << true << false;
    QTest::newRow("JSON after newlines and spaces") << "\n \r\n\t " + json << true << false;
    QTest::newRow("junk") << QByteArray(94, 'q') << true << false;
    QTest::newRow("empty") << QByteArray() << true << true;
}

void TestConfigJson::detection() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, complete);
    QFETCH(bool, tpd);
    QCOMPARE(DetectConfigFormat(bytes, complete) == ConfigFormat::Tpd, tpd);
}

void TestConfigJson::decodesByHeader() {
    const QByteArray json = EncodeConfigJson(sample());
    Configuration c;
    FileResult r = DecodeConfiguration(c, {QByteArray(70, '\n') + json, true}, "x.json");
    QVERIFY2(r.ok(), qPrintable(r.message));
    QCOMPARE(EncodeConfigFile(c), EncodeConfigFile(sample()));

    QByteArray brace = EncodeConfigFile(sample());
    brace[1] = '{';
    Configuration d, e;
    QVERIFY(DecodeConfiguration(d, {brace, true}, "x.TPD").ok());
    QVERIFY(DecodeConfigFile(e, brace, "x.TPD").ok());
    QCOMPARE(EncodeConfigFile(d), EncodeConfigFile(e)); // read as the .TPD it is

    r = DecodeConfiguration(d, {QByteArray(94, 'q'), true}, "junk");
    QCOMPARE(int(r.status), int(FileResult::Status::Rejected));
    QVERIFY(r.message.contains("neither a .TPD file nor a JSON document"));
    r = DecodeConfiguration(d, {json, false}, "big.json");
    QCOMPARE(int(r.status), int(FileResult::Status::TooLarge));
    QVERIFY(r.message.contains("big.json") && r.message.contains("1 MiB"));
    r = DecodeConfiguration(d, {QByteArray(), true}, "empty");
    QCOMPARE(int(r.status), int(FileResult::Status::TooShort));
}

// The window shows translated names; the document keeps the English ones whatever language
// wrote it.
void TestConfigJson::documentNamesIgnoreTranslation() {
    int argc = 1;
    char name[] = "tst_configjson";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    BracketTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCOMPARE(SlotLabel(36), QString("<Rotary  1A>"));
    const QJsonArray written = ConfigToJson(sample())["slots"].toArray();
    QCOMPARE(written[0]["label"].toString(), QString("Input 1"));
    QCOMPARE(written[0]["keyName"].toString(), QString("Esc"));
    QCOMPARE(written[36]["label"].toString(), QString("Rotary  1A"));
    QCOMPARE(written[36]["keyName"].toString(), QString("Left Mouse"));
    QCoreApplication::removeTranslator(&translator);
}

QTEST_APPLESS_MAIN(TestConfigJson)
#include "tst_ConfigJson.moc"
