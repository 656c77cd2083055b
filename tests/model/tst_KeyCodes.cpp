// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/KeyCodes.h"

#include <QSet>
#include <QtTest>

class TestKeyCodes : public QObject {
    Q_OBJECT
private slots:
    void tableShape();
    void nameOverWholeByteRange();
    void names_data();
    void names();
    void labels();
};

void TestKeyCodes::tableShape() {
    QSet<int> codes;
    for (const auto& e : KeyCodeTable) {
        QVERIFY2(!codes.contains(e.code), qPrintable(QString::number(e.code)));
        codes.insert(e.code);
        QVERIFY(e.name[0] != '\0');
        QVERIFY(e.label[0] != '\0');
    }
    QCOMPARE(codes.size(), 108);
    QCOMPARE(*std::max_element(codes.begin(), codes.end()), 234);
}

// The offered codes by their ranges: 0x04..0x65 without 0x32 and 0x64, 0xE0..0xEA, and 0.
void TestKeyCodes::nameOverWholeByteRange() {
    for (int code = 0; code <= 255; ++code) {
        const bool offered = code == 0 ||
                             (code >= 0x04 && code <= 0x65 && code != 0x32 && code != 0x64) ||
                             (code >= 0xE0 && code <= 0xEA);
        QVERIFY2(KeyCodeName(code).isEmpty() != offered, qPrintable(QString::number(code)));
        QCOMPARE(KeycapLabel(code).isEmpty(), !offered);
    }
}

void TestKeyCodes::names_data() {
    QTest::addColumn<double>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0.0 << "Not Used";
    QTest::newRow("A") << 4.0 << "A";
    QTest::newRow("esc") << 41.0 << "Esc";
    QTest::newRow("left mouse") << 232.0 << "Left Mouse";
    QTest::newRow("right mouse") << 234.0 << "Right Mouse";
    QTest::newRow("amp 7") << 36.0 << "&&7";
    QTest::newRow("bar backslash") << 49.0 << "|\\";
    QTest::newRow("quote") << 52.0 << QString(QChar(34)) + " '";
    QTest::newRow("right arrow") << 79.0 << "Right Arrow";
    QTest::newRow("0x32") << 50.0 << "";
    QTest::newRow("0x64") << 100.0 << "";
    QTest::newRow("0x66") << 102.0 << "";
    QTest::newRow("0xEB") << 235.0 << "";
    QTest::newRow("255") << 255.0 << "";
    QTest::newRow("256") << 256.0 << "";
    QTest::newRow("cancelled") << -1.0 << "";
    QTest::newRow("fraction") << 4.5 << "";
    QTest::newRow("tiny fraction of 0") << 0.25 << "";
    QTest::newRow("nan") << std::nan("") << "";
}

void TestKeyCodes::names() {
    QFETCH(double, code);
    QFETCH(QString, name);
    QCOMPARE(KeyCodeName(code), name);
}

void TestKeyCodes::labels() {
    QCOMPARE(KeycapLabel(0x2A), QString("Bksp"));
    QCOMPARE(KeycapLabel(0x4F), QString("Rght"));
    QCOMPARE(KeycapLabel(0xE8), KeycapLabel(0x0F)); // mouse L and letter L share a label
    QCOMPARE(KeycapLabel(0x62), QString("0"));
    QCOMPARE(PlainKeyText(KeyCodeName(36)), QString("&7"));
}

QTEST_APPLESS_MAIN(TestKeyCodes)
#include "tst_KeyCodes.moc"
