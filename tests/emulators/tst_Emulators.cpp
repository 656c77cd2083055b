// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/EmulatorExport.h"
#include "emulators/EmulatorImport.h"
#include "emulators/MameConfigFile.h"
#include "emulators/RetroArchConfigFile.h"
#include "model/Configuration.h"
#include "model/PanelRole.h"

#include <QtTest>

namespace {

// "SLOT:ROLE:CODE[:FLAGS]" items separated by blanks; FLAGS of c, s and a.
void setUp(Configuration& config, const QString& panel) {
    for (const QString& item : panel.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList f = item.split(QLatin1Char(':'));
        const int slot = f[0].toInt();
        config.setRole(slot, PanelRole::fromKey(f[1]));
        if (f[2] != QLatin1String("-"))
            config.assignKey(slot, quint8(f[2].toInt(nullptr, 16)));
        const QString flags = f.value(3);
        config.setControl(slot, flags.contains(QLatin1Char('c')));
        config.setShift(slot, flags.contains(QLatin1Char('s')));
        config.setAlt(slot, flags.contains(QLatin1Char('a')));
    }
}

} // namespace

class TestEmulators : public QObject {
    Q_OBJECT
private slots:
    void exportMap_data();
    void exportMap();
    void import_data();
    void import();
    void merge_data();
    void merge();
};

void TestEmulators::exportMap_data() {
    QTest::addColumn<bool>("mame");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("mame modifiers and mouse")
        << true << "0:P1_BUTTON1:04:s 1:P1_UP:04 2:COIN1:e8"
        << "<port type=\"P1_BUTTON1\">\n                <newseq type=\"standard\">KEYCODE_LSHIFT "
           "KEYCODE_A</newseq>|<port type=\"COIN1\">\n                <newseq "
           "type=\"standard\">MOUSECODE_1_BUTTON1"
        << QStringList{
               "Input 1 · Player 1 Button 1 sends Shift + A, which holds down A as "
               "Input 2 · Player 1 Up sends it",
               "Player 1 Button 4 keeps MAME's own key, Left Shift, which is also sent by Input 1",
               "Player 2 Button 1 keeps MAME's own key, A, which is also sent by Input 1 "
               "· Player 1 Button 1 and Input 2 · Player 1 Up"};
    QTest::newRow("mame same key, own key kept, no key")
        << true << "0:P1_BUTTON1:04 1:P1_BUTTON2:04 2:P1_BUTTON3:-"
        << "KEYCODE_A"
        << QStringList{"Input 3 · Player 1 Button 3 has no key: MAME keeps its own key",
                       "Input 1 · Player 1 Button 1 and Input 2 · Player 1 Button 2 both send A",
                       "Player 2 Button 1 keeps MAME's own key, A, which is also sent by Input 1"};
    QTest::newRow("retroarch one key per bind, no service")
        << false << "0:P2_BUTTON1:1d:c 1:SERVICE:26 2:EXIT:e9 3:START1:35"
        << "input_player2_b = \"z\"\ninput_player2_b_mbtn = \"nul\"\ninput_exit_emulator = "
           "\"nul\"\ninput_exit_emulator_mbtn = \"3\"\ninput_player1_start = \"tilde\""
        << QStringList{
               "Input 1 · Player 2 Button 1 sends Control + Z, but a RetroArch bind "
               "takes one key: it is written as Z alone.",
               "Input 2 · Service: RetroArch has no control for Service",
               "Input 4 · Start 1 sends ~`, which is also RetroArch's key for "
               "input_netplay_player_chat",
               "Player 1 Button 1 keeps RetroArch's own key, Z, which is also sent by Input 1"};
}

void TestEmulators::exportMap() {
    QFETCH(bool, mame);
    QFETCH(QString, panel);
    QFETCH(QString, written);
    QFETCH(QStringList, warnings);
    Configuration config;
    setUp(config, panel);
    const EmulatorExport map(mame ? Emulator::Mame : Emulator::RetroArch, config);
    const QString file =
        QString::fromUtf8(mame ? MameConfigFile::write(map) : RetroArchConfigFile::write(map));
    for (const QString& part : written.split(QLatin1Char('|')))
        QVERIFY2(file.contains(part), qPrintable(file));
    QVERIFY2(map.warnings().size() == warnings.size(), qPrintable(map.warnings().join("\n")));

    for (int i = 0; i < warnings.size(); ++i)
        QVERIFY2(map.warnings()[i].startsWith(warnings[i]), qPrintable(map.warnings()[i]));
    // What MAME's own reader makes of the file: every control, and nothing else.
    if (mame) {
        QHash<QString, QString> read;
        QString error;
        QVERIFY(MameConfigFile::read(MameConfigFile::write(map), read, error));
        QCOMPARE(read.size(), map.controls().size());
    }
    QVERIFY(!EmulatorExport(Emulator::Mame, Configuration()).error().isEmpty());
}

void TestEmulators::import_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QString>("note");
    const QString mame = QStringLiteral("<mameconfig version=\"10\"><system name=\"default\">"
                                        "<input><port type=\"P1_BUTTON1\"><newseq "
                                        "type=\"standard\">%1</newseq></port></input></system>"
                                        "</mameconfig>");
    QTest::newRow("mame default") << QString() << 0xE0 << false << QString();
    QTest::newRow("mame key") << mame.arg("KEYCODE_Q") << 0x14 << false << QString();
    QTest::newRow("mame modifier")
        << mame.arg("KEYCODE_LSHIFT KEYCODE_Q") << 0x14 << true << QString();
    QTest::newRow("mame not, or") << mame.arg("JOYCODE_1_BUTTON1 OR KEYCODE_P NOT KEYCODE_RSHIFT")
                                  << 0x13 << false << QString();
    QTest::newRow("mame joystick") << mame.arg("JOYCODE_1_BUTTON1") << 0 << false
                                   << "MAME has it on JOYCODE_1_BUTTON1, which is not a key";
    QTest::newRow("mame two keys") << mame.arg("KEYCODE_A KEYCODE_B") << 0 << false
                                   << "MAME's KEYCODE_A KEYCODE_B is several keys at once";
    QTest::newRow("mame none") << mame.arg("NONE") << 0 << false << "MAME has no key for it";
    QTest::newRow("retroarch key") << "input_player1_b = \"kp_plus\"\n"
                                   << 0x57 << false << QString();
    QTest::newRow("retroarch mouse") << "input_player1_b = nul\ninput_player1_b_mbtn = \"2\"\n"
                                     << 0xEA << false << QString();
    QTest::newRow("retroarch joystick")
        << "input_player1_b = \"nul\"\ninput_player1_b_btn = \"0\"\n"
        << 0 << false << "RetroArch has it on a joystick only";
    QTest::newRow("retroarch left out: its own") << "input_player1_a = \"x\"\n"
                                                 << 0x1D << false << QString();
    QTest::newRow("retroarch unknown") << "input_player1_b = \"oem_102\"\n"
                                       << 0 << false << "RetroArch's key \"oem_102\" is not one";
}

void TestEmulators::import() {
    QFETCH(QString, file);
    QFETCH(int, code);
    QFETCH(bool, shift);
    QFETCH(QString, note);
    Configuration config;
    setUp(config, QStringLiteral("4:P1_BUTTON1:07 5:P9:-"));
    QString error;
    const std::optional<EmulatorImport> source =
        file.isEmpty() ? EmulatorImport::defaults(Emulator::Mame)
                       : EmulatorImport::fromFile(file.toUtf8(), error);
    QVERIFY2(source, qPrintable(error));
    const EmulatorImport::Result r = source->apply(config);
    QCOMPARE(int(config.slot(4).keyCode), code ? code : 0x07);
    QCOMPARE(config.slot(4).shift, shift);
    QCOMPARE(r.changed, code ? 1 : 0);
    QCOMPARE(r.notes.size(), note.isEmpty() ? 0 : 1);
    if (!note.isEmpty())
        QVERIFY2(r.notes[0].startsWith("Input 5 · Player 1 Button 1: " + note),
                 qPrintable(r.notes[0]));
}

void TestEmulators::merge_data() {
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("merged");
    const QString b = QStringLiteral("input_player1_b = \"z\"");
    QTest::newRow("replaced in place, twice") << "a = 1\ninput_player1_b=x\n# c\n"
                                                 "input_player1_b = \"y\"\n"
                                              << "a = 1\n" + b + "\n# c\n" + b + "\n";
    QTest::newRow("added, crlf") << "a = 1\r\n"
                                 << "a = 1\r\n" + b + "\r\n";
    QTest::newRow("added, no last newline") << "a = 1"
                                            << "a = 1\n" + b + "\n";
    QTest::newRow("empty") << "" << b + "\n";
}

void TestEmulators::merge() {
    QFETCH(QString, existing);
    QFETCH(QString, merged);
    const RetroArchConfigFile::Binds binds{{"input_player1_b", "z"}};
    QCOMPARE(QString::fromUtf8(RetroArchConfigFile::merge(existing.toUtf8(), binds)), merged);
}

QTEST_GUILESS_MAIN(TestEmulators)
#include "tst_Emulators.moc"
