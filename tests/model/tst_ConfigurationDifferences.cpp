// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Configuration.h"
#include "model/ConfigurationDifferences.h"

#include <QtTest>

using Option = Configuration::Option;

class TestConfigurationDifferences : public QObject {
    Q_OBJECT
private slots:
    void sameConfiguration();
    void linesName_data();
    void linesName();
    void atMostTwelveLines();
};

void TestConfigurationDifferences::sameConfiguration() {
    Configuration a, b;
    a.setKeyCode(3, 0x29); // a loaded key against a reset slot's blank key of the same code
    b.setKeyCode(3, 0x29);
    b.setKeyCode(4, 0);
    QCOMPARE(ConfigurationDifferences::of(a, b).lines(), QStringList{});
}

void TestConfigurationDifferences::linesName_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("myCode");
    QTest::addColumn<int>("myModifiers");
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<int>("unitModifiers");
    QTest::addColumn<QString>("line");
    QTest::newRow("key") << 6 << 0x04 << 8 << 0x29 << 8 << "Input 7: A | Esc";
    QTest::newRow("modifiers") << 0 << 0x22 << 1 + 4 + 8 << 0x22 << 2 + 8
                               << "Input 1: Control + Alt + %5 | Shift + %5";
    QTest::newRow("repeat") << 35 << 0x52 << 0 << 0x52 << 8
                            << "Input 36: Up Arrow (repeat) | Up Arrow";
    QTest::newRow("rotary, odd code") << 41 << 0x24 << 8 << 0x66 << 8 << "Rotary 3B: &7 | code 102";
    QTest::newRow("mouse") << 12 << 0xE8 << 8 << 0 << 8 << "Input 13: Left Mouse | Not Used";
    // Nothing is sent either way, but a unit holds the modifiers: they are named.
    QTest::newRow("modifiers without a key")
        << 5 << 0 << 2 + 8 << 0 << 8 << "Input 6: Shift + Not Used | Not Used";
    // An input slot reads 5 as repeat alone, as it reads 0: the bytes differ, not the meaning.
    QTest::newRow("bytes only") << 0 << 0x04 << 5 << 0x04 << 0 << "Location 1: 5 | 0";
}

void TestConfigurationDifferences::linesName() {
    QFETCH(int, slot);
    QFETCH(int, myCode);
    QFETCH(int, myModifiers);
    QFETCH(int, unitCode);
    QFETCH(int, unitModifiers);
    QFETCH(QString, line);
    ConfigImage::Bytes mine{}, unit{};
    mine[size_t(ConfigImage::keyLocation(slot) - 1)] = quint8(myCode);
    mine[size_t(ConfigImage::modifierLocation(slot) - 1)] = quint8(myModifiers);
    unit[size_t(ConfigImage::keyLocation(slot) - 1)] = quint8(unitCode);
    unit[size_t(ConfigImage::modifierLocation(slot) - 1)] = quint8(unitModifiers);
    const ConfigurationDifferences d = ConfigurationDifferences::of(mine, unit);
    QCOMPARE(d.lines(12, true), QStringList{line});
    // What a Read would show differs, or only the bytes do.
    QCOMPARE(d.sameMeaning(), line.startsWith("Location"));
    QCOMPARE(d.locations().size(), int(myCode != unitCode) + int(myModifiers != unitModifiers));
}

void TestConfigurationDifferences::atMostTwelveLines() {
    Configuration mine, unit;
    for (int k = 0; k < 14; ++k)
        mine.setKeyCode(k, 0x04);
    mine.setOption(Option::RelayOnAux, true);
    const QStringList lines = ConfigurationDifferences::of(mine, unit).lines();
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[11], QStringLiteral("Input 12: A | Not Used"));
    QCOMPARE(lines[12], QStringLiteral("and 3 more"));
    QCOMPARE(ConfigurationDifferences::of(mine, unit).lines(20).last(),
             QStringLiteral("Relay-8 on AUX: on | off"));
}

QTEST_APPLESS_MAIN(TestConfigurationDifferences)
#include "tst_ConfigurationDifferences.moc"
