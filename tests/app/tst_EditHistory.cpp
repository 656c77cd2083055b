// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditHistory.h"

#include <QtTest>

using Flag = Configuration::Flag;
using Option = Configuration::Option;

class TestEditHistory : public QObject {
    Q_OBJECT
private slots:
    void stepUndoesAndRedoesExactly_data();
    void stepUndoesAndRedoesExactly();
    void sameKeyMarksWithoutAStep();
    void modifiedFollowsTheCleanPoint();
    void loadsStartOver();
    void undoWhileUndoing();
};

namespace {

enum class Action { Flag, Option, Key };

} // namespace

// Each kind of step from a loaded state: the step's name, and undo/redo give back exactly
// the states before and after, whatever the rules changed besides the clicked box.
void TestEditHistory::stepUndoesAndRedoesExactly_data() {
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("loadedModifiers"); // -1: left at the defaults
    QTest::addColumn<int>("loadedOptions");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("what"); // the flag, the option or the key code
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("name");
    const int flag = int(Action::Flag), option = int(Action::Option), key = int(Action::Key);
    QTest::newRow("shift clears repeat")
        << 2 << 0 << 0 << flag << int(Flag::Shift) << true << "Shift on Input 3";
    QTest::newRow("repeat clears control and alt")
        << 0 << 5 + 8 << 0 << flag << int(Flag::Repeat) << true << "Repeat on Input 1";
    QTest::newRow("control off") << 35 << 1 + 8 << 0 << flag << int(Flag::Control) << false
                                 << "Control on Input 36";
    QTest::newRow("rotary alt keeps repeat")
        << 38 << 0 << 8 << flag << int(Flag::Alt) << true << "Alt on Rotary 2A";
    QTest::newRow("key on rotary") << 39 << -1 << 8 << key << 0x3A << true << "Key F1 on Rotary 2B";
    QTest::newRow("not used over a blank key")
        << 0 << -1 << 0 << key << 0 << true << "Key Not Used on Input 1";
    QTest::newRow("ampersand key") << 4 << -1 << 0 << key << 0x24 << true << "Key &&7 on Input 5";
    QTest::newRow("rotary on") << 0 << -1 << 1 << option << int(Option::RotaryOnAux) << true
                               << "Rotary-5 on AUX";
    QTest::newRow("relay off under rotary")
        << 0 << -1 << 8 + 16 << option << int(Option::RelayOnAux) << false << "Relay-8 on AUX";
    QTest::newRow("reverse x") << 0 << -1 << 0 << option << int(Option::ReverseX) << true
                               << "Reverse X Axis";
}

void TestEditHistory::stepUndoesAndRedoesExactly() {
    QFETCH(int, slot);
    QFETCH(int, loadedModifiers);
    QFETCH(int, loadedOptions);
    QFETCH(int, action);
    QFETCH(int, what);
    QFETCH(bool, on);
    QFETCH(QString, name);
    Configuration c;
    EditHistory history(c);
    if (loadedModifiers >= 0) {
        c.applyModifierByte(slot, quint8(loadedModifiers));
        c.setKeyCode(slot, 0x1E);
    }
    c.applyOptionsByte(quint8(loadedOptions));
    history.startOver();
    const ConfigState before = c.state();

    switch (Action(action)) {
    case Action::Flag:
        history.setFlag(slot, Flag(what), on);
        break;
    case Action::Option:
        history.setOption(Option(what), on);
        break;
    case Action::Key:
        history.assignKey(slot, quint8(what));
        break;
    }
    const ConfigState after = c.state();
    QVERIFY(after != before);
    QVERIFY(c.configModified());
    QCOMPARE(history.undoText(), name);
    QVERIFY(!history.canRedo());

    history.undo();
    QVERIFY(c.state() == before);
    QCOMPARE(c.slot(slot).keyTag(), before.keySlots.at(slot).keyTag());
    QVERIFY(!c.configModified());
    QVERIFY(!history.canUndo());
    QCOMPARE(history.redoText(), name);
    history.redo();
    QVERIFY(c.state() == after);
    QVERIFY(c.configModified());
    QCOMPARE(history.undoText(), name);
}

void TestEditHistory::sameKeyMarksWithoutAStep() {
    Configuration c;
    EditHistory history(c);
    c.setKeyCode(7, 0x3A);
    history.startOver();
    history.assignKey(7, 0x3A);
    QVERIFY(!history.canUndo());
    QVERIFY(c.configModified());
}

// Saving marks a state; only that state is unmodified, and once a new step has replaced
// the steps that led to it, none is.
void TestEditHistory::modifiedFollowsTheCleanPoint() {
    Configuration c;
    EditHistory history(c);
    history.setFlag(0, Flag::Control, true);
    history.markClean();
    QVERIFY(!c.configModified());
    history.setFlag(1, Flag::Shift, true);
    QVERIFY(c.configModified());
    history.undo();
    QVERIFY(!c.configModified());
    history.undo();
    QVERIFY(c.configModified());
    history.redo();
    QVERIFY(!c.configModified());

    history.undo();
    history.setFlag(2, Flag::Alt, true);
    QVERIFY(!history.canRedo());
    history.undo();
    QVERIFY(c.configModified());
}

// New and Open start from an unmodified state; a read from a unit starts a history in
// which nothing is in a file.
void TestEditHistory::loadsStartOver() {
    Configuration c;
    EditHistory history(c);
    history.setFlag(0, Flag::Control, true);
    history.setFlag(0, Flag::Shift, true);
    history.undo();
    history.startOver();
    QVERIFY(!history.canUndo());
    QVERIFY(!history.canRedo());
    QVERIFY(!c.configModified());
    QVERIFY(c.flag(0, Flag::Control));

    history.forgetClean();
    QVERIFY(c.configModified());
    history.setFlag(3, Flag::Repeat, true);
    history.undo();
    QVERIFY(c.configModified());
}

// Showing the rotary rows runs pending events: an undo key press taken there is ignored,
// a click becomes its own step after the undo.
void TestEditHistory::undoWhileUndoing() {
    Configuration c;
    EditHistory history(c);
    history.setFlag(0, Flag::Shift, true);
    history.setOption(Option::RotaryOnAux, true);
    bool nested = false;
    connect(&c, &Configuration::optionChanged, this, [&] {
        if (std::exchange(nested, true))
            return;
        history.undo();
        history.setFlag(1, Flag::Control, true);
    });
    history.undo();
    QVERIFY(!c.option(Option::RotaryOnAux));
    QVERIFY(c.flag(0, Flag::Shift));
    QVERIFY(!c.flag(1, Flag::Control));
    QCOMPARE(history.redoText(), QString("Rotary-5 on AUX"));
    QTRY_VERIFY(c.flag(1, Flag::Control));
    QCOMPARE(history.undoText(), QString("Control on Input 2"));
    QVERIFY(!history.canRedo());
    history.undo();
    history.undo();
    QVERIFY(c.state() == ConfigState{});
}

QTEST_MAIN(TestEditHistory)
#include "tst_EditHistory.moc"
