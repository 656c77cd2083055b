// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/AuxOptions.h"
#include "model/KeySlot.h"
#include "model/Modifiers.h"

#include <QtTest>

class TestModifiers : public QObject {
    Q_OBJECT
private slots:
    void decodeEveryByte();
    void encodeExamples_data();
    void encodeExamples();
    void optionsEveryByte();
};

// The encoder's subtractive reading, restated from its rules rather than from our code.
void TestModifiers::decodeEveryByte() {
    for (int v = 0; v <= 255; ++v) {
        const ModifierFlags f = DecodeModifiers(quint8(v));
        ModifierFlags want;
        if (v >= 16) {
            want = {true, true, true, false};
        } else {
            want.repeat = !(v & 8);
            want.alt = v & 4;
            want.shift = v & 2;
            want.control = v & 1;
        }
        QVERIFY2(f == want, qPrintable(QString::number(v)));
        if (v < 16) {
            KeySlot s;
            s.control = f.control;
            s.shift = f.shift;
            s.alt = f.alt;
            s.repeat = f.repeat;
            QCOMPARE(int(EncodeModifiers(s)), v);
        }
    }
}

void TestModifiers::encodeExamples_data() {
    QTest::addColumn<bool>("control");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("alt");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<int>("byte");
    QTest::newRow("nothing") << false << false << false << false << 8;
    QTest::newRow("repeat only") << false << false << false << true << 0;
    QTest::newRow("control+shift") << true << true << false << false << 11;
    QTest::newRow("all modifiers") << true << true << true << false << 15;
    QTest::newRow("control+repeat (rotary)") << true << false << false << true << 1;
}

void TestModifiers::encodeExamples() {
    QFETCH(bool, control);
    QFETCH(bool, shift);
    QFETCH(bool, alt);
    QFETCH(bool, repeat);
    QFETCH(int, byte);
    KeySlot s;
    s.control = control;
    s.shift = shift;
    s.alt = alt;
    s.repeat = repeat;
    QCOMPARE(int(EncodeModifiers(s)), byte);
}

void TestModifiers::optionsEveryByte() {
    for (int v = 0; v <= 255; ++v) {
        const AuxOptions o = DecodeOptions(quint8(v));
        QCOMPARE(o.reverseX, bool(v & 1));
        QCOMPARE(o.reverseY, bool(v & 2));
        QCOMPARE(o.activeHigh, bool(v & 4));
        QCOMPARE(o.rotaryOnAux, bool(v & 8));
        QCOMPARE(o.relayOnAux, bool(v & 16));
        QCOMPARE(int(EncodeOptions(o)), v & 31);
    }
    QCOMPARE(int(EncodeOptions({true, true, true, true, true})), 31);
}

QTEST_APPLESS_MAIN(TestModifiers)
#include "tst_Modifiers.moc"
