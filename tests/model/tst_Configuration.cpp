// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Configuration.h"

#include <QSignalSpy>
#include <QtTest>

using Flag = Configuration::Flag;
using Option = Configuration::Option;

class TestConfiguration : public QObject {
    Q_OBJECT
private slots:
    void clearVariablesGivesDefaults();
    void inputSlotRules_data();
    void inputSlotRules();
    void loadingModifierBytes_data();
    void loadingModifierBytes();
    void settingSameValueDoesNothing();
    void trackballAvailability_data();
    void trackballAvailability();
    void optionsApplyInBitOrder();
    void keyCodes();
    void rolesStayUnique();
};

void TestConfiguration::clearVariablesGivesDefaults() {
    Configuration c;
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        c.applyModifierByte(k, quint8(k % 16));
        c.setKeyCode(k, quint8(200 + k));
    }
    c.applyOptionsByte(31);
    c.setRole(3, PanelRole::of(2, PanelRole::Control::Coin));
    c.setLabel(4, "Volume +");
    c.setCurrentFileName("/tmp/x.TPD");
    QSignalSpy modified(&c, &Configuration::configModifiedChanged);

    c.ClearVariables();
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        QCOMPARE(int(c.modifierByte(k)), 8);
        QCOMPARE(int(c.slot(k).keyCode), 0);
        QCOMPARE(c.slot(k).keyTag(), QString());
    }
    QCOMPARE(int(c.optionsByte()), 0);
    QVERIFY(!c.hasRoles());
    QVERIFY(c.trackballOptionsAvailable());
    QVERIFY(!c.configModified());
    QCOMPARE(c.currentFileName(), QString());
    QCOMPARE(modified.last().at(0).toBool(), false);
}

// Start from a modifier byte, change one flag on an input or rotary slot, compare the byte.
void TestConfiguration::inputSlotRules_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("after");
    const int ctrl = int(Flag::Control), shift = int(Flag::Shift), alt = int(Flag::Alt),
              rep = int(Flag::Repeat);
    QTest::newRow("repeat clears control+alt") << 0 << (8 + 1 + 4) << rep << true << 0;
    QTest::newRow("shift clears repeat") << 5 << 0 << shift << true << 10;
    QTest::newRow("control clears repeat") << 35 << 0 << ctrl << true << 9;
    QTest::newRow("alt clears repeat") << 12 << 0 << alt << true << 12;
    QTest::newRow("control off keeps repeat off") << 1 << 9 << ctrl << false << 8;
    QTest::newRow("repeat off changes nothing else") << 2 << 0 << rep << false << 8;
    QTest::newRow("rotary shift keeps repeat") << 36 << 0 << shift << true << 2;
    QTest::newRow("rotary repeat keeps modifiers") << 45 << 15 << rep << true << 7;
}

void TestConfiguration::inputSlotRules() {
    QFETCH(int, slot);
    QFETCH(int, before);
    QFETCH(int, flag);
    QFETCH(bool, on);
    QFETCH(int, after);
    Configuration c;
    c.applyModifierByte(slot, quint8(before));
    c.setConfigModified(false);
    c.setFlag(slot, Flag(flag), on);
    QCOMPARE(int(c.modifierByte(slot)), after);
    QVERIFY(c.configModified());
}

// Loading sets Control, Shift, Alt, Repeat in that order, so an input slot given a modifier
// and repeat ends with repeat only; a rotary slot keeps what it was given.
void TestConfiguration::loadingModifierBytes_data() {
    QTest::addColumn<int>("value");
    for (int v = 0; v <= 16; ++v)
        QTest::addRow("%d", v) << v;
    QTest::newRow("255") << 255;
}

void TestConfiguration::loadingModifierBytes() {
    QFETCH(int, value);
    Configuration c;
    c.applyModifierByte(3, quint8(value));
    c.applyModifierByte(40, quint8(value));
    const int clamped = value >= 16 ? 15 : value;
    QCOMPARE(int(c.modifierByte(40)), clamped);
    QCOMPARE(int(c.modifierByte(3)), clamped >= 1 && clamped <= 7 ? 0 : clamped);
}

void TestConfiguration::settingSameValueDoesNothing() {
    Configuration c;
    QSignalSpy flags(&c, &Configuration::flagChanged);
    QSignalSpy options(&c, &Configuration::optionChanged);
    QSignalSpy keys(&c, &Configuration::keyChanged);
    c.setShift(0, false);
    c.setOption(Option::RotaryOnAux, false);
    c.applyModifierByte(7, 8);
    c.applyOptionsByte(0);
    c.ClearVariables();
    QCOMPARE(flags.size() + options.size() + keys.size(), 0);
    QVERIFY(!c.configModified());

    c.setRepeat(4, true);
    QCOMPARE(flags.size(), 1);
    QVERIFY(c.configModified());
    c.setConfigModified(false);
    c.setRepeat(4, true);
    QVERIFY(!c.configModified());
}

void TestConfiguration::trackballAvailability_data() {
    QTest::addColumn<QList<int>>("steps"); // option index, negative to turn it off
    QTest::addColumn<bool>("available");
    const int rot = int(Option::RotaryOnAux) + 1, rel = int(Option::RelayOnAux) + 1;
    QTest::newRow("rotary on") << QList<int>{rot} << false;
    QTest::newRow("rotary on, off") << QList<int>{rot, -rot} << true;
    QTest::newRow("relay on, rotary on, off") << QList<int>{rel, rot, -rot} << false;
    QTest::newRow("both on, both off") << QList<int>{rel, rot, -rot, -rel} << true;
    QTest::newRow("relay on, off") << QList<int>{rel, -rel} << true;
}

void TestConfiguration::trackballAvailability() {
    QFETCH(QList<int>, steps);
    QFETCH(bool, available);
    Configuration c;
    c.setOption(Option::ReverseX, true);
    for (int s : steps)
        c.setOption(Option(std::abs(s) - 1), s > 0);
    QCOMPARE(c.trackballOptionsAvailable(), available);
    QVERIFY(c.aux().reverseX); // unavailable options keep their value
    QVERIFY(c.configModified());
}

void TestConfiguration::optionsApplyInBitOrder() {
    Configuration c;
    QList<Option> order;
    connect(&c, &Configuration::optionChanged, this, [&order](Option o, bool) { order.append(o); });
    c.applyOptionsByte(0xFF);
    QCOMPARE(order, (QList<Option>{Option::ReverseX, Option::ReverseY, Option::ActiveHigh,
                                   Option::RotaryOnAux, Option::RelayOnAux}));
    QCOMPARE(int(c.optionsByte()), 31);
}

void TestConfiguration::keyCodes() {
    Configuration c;
    QSignalSpy keys(&c, &Configuration::keyChanged);
    c.setKeyCode(2, 0); // a reset slot has no key text; a loaded 0 does
    QCOMPARE(keys.size(), 1);
    QCOMPARE(c.slot(2).keyTag(), QString("0"));
    QVERIFY(!c.configModified());
    c.assignKey(2, 0); // picking the same key still counts as an edit
    QVERIFY(c.configModified());
    c.setKeyCode(9, 200);
    QCOMPARE(c.slot(9).keyTag(), QString("200"));
    c.ClearVariables();
    QCOMPARE(c.slot(2).keyTag(), QString());
}

// A role taken by another slot leaves the one that held it, and a state that swaps two roles
// comes back whole, whichever slot the setters reach first.
void TestConfiguration::rolesStayUnique() {
    const int up = PanelRole::of(1, PanelRole::Control::Up);
    const int down = PanelRole::of(1, PanelRole::Control::Down);
    Configuration c;
    QCOMPARE(c.setRole(0, up), -1);
    QCOMPARE(c.setRole(5, up), 0);
    QCOMPARE(c.slotRole(0).role, PanelRole::None);
    QVERIFY(c.configModified());
    c.setRole(0, down);
    ConfigState swapped = c.state();
    std::swap(swapped.roles[0], swapped.roles[5]);
    c.restore(swapped);
    QCOMPARE(c.slotRole(0).role, up);
    QCOMPARE(c.slotRole(5).role, down);
    c.setLabel(1, "  Volume\t\n+  " + QString(60, 'x'));
    QCOMPARE(c.slotRole(1).label, QString("Volume + " + QString(31, 'x')));
    QCOMPARE(PanelRole::fromKey(PanelRole::key(down).toLower()), down);
    QCOMPARE(PanelRole::name(PanelRole::of(2, PanelRole::Control::Button, 3)), "Player 2 Button 3");
}

QTEST_APPLESS_MAIN(TestConfiguration)
#include "tst_Configuration.moc"
