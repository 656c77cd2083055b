// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/KeyCodes.h"
#include "model/ScanCodes.h"

#include <QSet>
#include <QtTest>

class TestScanCodes : public QObject {
    Q_OBJECT
private slots:
    void everyKeyboardCodeBothWays();
    void positions_data();
    void positions();
    void unknownPositions();
};

// Every code we offer except "Not Used" and the mouse buttons is a key of a PC keyboard.
void TestScanCodes::everyKeyboardCodeBothWays() {
    QSet<int> eventCodes;
    for (const KeyCodeEntry& e : KeyCodeTable) {
        if (e.code == 0 || e.code >= 0xE8)
            continue;
        const int eventCode = EventCodeFromHidUsage(e.code);
        QVERIFY2(eventCode > 0, e.name);
        QVERIFY2(!eventCodes.contains(eventCode), e.name);
        eventCodes.insert(eventCode);
        QCOMPARE(HidUsageFromEventCode(eventCode), e.code);
    }
    QCOMPARE(eventCodes.size(), 104);
}

// Keys whose two numberings follow different orders, by their KEY_* names.
void TestScanCodes::positions_data() {
    QTest::addColumn<int>("usage");
    QTest::addColumn<int>("eventCode");
    QTest::newRow("KEY_ESC") << 0x29 << 1;
    QTest::newRow("KEY_A") << 0x04 << 30;
    QTest::newRow("KEY_Q") << 0x14 << 16;
    QTest::newRow("KEY_M") << 0x10 << 50;
    QTest::newRow("KEY_1") << 0x1E << 2;
    QTest::newRow("KEY_0") << 0x27 << 11;
    QTest::newRow("KEY_ENTER") << 0x28 << 28;
    QTest::newRow("KEY_BACKSLASH") << 0x31 << 43;
    QTest::newRow("KEY_GRAVE") << 0x35 << 41;
    QTest::newRow("KEY_F10") << 0x43 << 68;
    QTest::newRow("KEY_F11") << 0x44 << 87;
    QTest::newRow("KEY_SYSRQ") << 0x46 << 99;
    QTest::newRow("KEY_PAUSE") << 0x48 << 119;
    QTest::newRow("KEY_UP") << 0x52 << 103;
    QTest::newRow("KEY_RIGHT") << 0x4F << 106;
    QTest::newRow("KEY_KPSLASH") << 0x54 << 98;
    QTest::newRow("KEY_KPASTERISK") << 0x55 << 55;
    QTest::newRow("KEY_KPENTER") << 0x58 << 96;
    QTest::newRow("KEY_KP1") << 0x59 << 79;
    QTest::newRow("KEY_KP0") << 0x62 << 82;
    QTest::newRow("KEY_COMPOSE") << 0x65 << 127;
    QTest::newRow("KEY_LEFTCTRL") << 0xE0 << 29;
    QTest::newRow("KEY_LEFTMETA") << 0xE3 << 125;
    QTest::newRow("KEY_RIGHTCTRL") << 0xE4 << 97;
    QTest::newRow("KEY_RIGHTALT") << 0xE6 << 100;
}

void TestScanCodes::positions() {
    QFETCH(int, usage);
    QFETCH(int, eventCode);
    QCOMPARE(EventCodeFromHidUsage(usage), eventCode);
    QCOMPARE(HidUsageFromEventCode(eventCode), usage);
}

void TestScanCodes::unknownPositions() {
    for (int eventCode : {0, 84, 113, 240, -1})
        QCOMPARE(HidUsageFromEventCode(eventCode), 0);
    for (int usage : {0, 0x32, 0x66, 0xE8, 0xEA})
        QCOMPARE(EventCodeFromHidUsage(usage), 0);
}

QTEST_APPLESS_MAIN(TestScanCodes)
#include "tst_ScanCodes.moc"
