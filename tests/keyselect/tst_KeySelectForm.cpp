// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"
#include "app/MainWindow.h"
#include "app/Module1.h"
#include "device/EmulatedAccess.h"
#include "keyselect/KeyGrid.h"
#include "keyselect/KeySelectForm.h"
#include "model/KeyCodes.h"

#include <QPushButton>
#include <QSet>
#include <QStyleHints>
#include <QTimer>
#include <QtTest>

namespace {

// Clicks button `index` of the key selection window once it is open; -1 closes the window.
void answerKeyWindow(int index) {
    QTimer::singleShot(0, [index] {
        auto* form = qobject_cast<KeySelectForm*>(QApplication::activeModalWidget());
        if (!form) {
            answerKeyWindow(index);
            return;
        }
        if (index < 0)
            form->close();
        else
            form->key(index)->click();
    });
}

} // namespace

class TestKeySelectForm : public QObject {
    Q_OBJECT
private slots:
    void everyCodeHasOneButton();
    void indexToCode_data();
    void indexToCode();
    void captionsAndTooltips();
    void fontRule_data();
    void fontRule();
    void fontsAfterLayout();
    void geometry_data();
    void geometry();
    void blankWhileHeld();
    void keyboardMovesTheFocus_data();
    void keyboardMovesTheFocus();
    void fromMainWindow_data();
    void fromMainWindow();
};

void TestKeySelectForm::everyCodeHasOneButton() {
    KeySelectForm form(nullptr, QRect(0, 0, 1280, 1024));
    QMap<int, int> buttons;
    for (int i = 0; i < KeyButtonCount; ++i)
        ++buttons[form.GetKeyCode(i)];
    for (const KeyCodeEntry& e : KeyCodeTable)
        QVERIFY2(buttons.value(e.code) == 1, e.name);
    QCOMPARE(buttons.size(), int(KeyCodeTable.size()) + 1); // and Cancel
    for (int i = 0; i < 107; ++i) // a button's caption is its code's keycap
        QCOMPARE(form.key(i)->text(), KeycapLabel(form.GetKeyCode(i)));
}

void TestKeySelectForm::indexToCode_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("code");
    QTest::newRow("Esc") << 0 << 0x29;
    QTest::newRow("mouse L") << 104 << 0xE8;
    QTest::newRow("mouse M") << 105 << 0xE9;
    QTest::newRow("mouse R") << 106 << 0xEA;
    QTest::newRow("letter L") << 67 << 0x0F;
    QTest::newRow("letter M") << 81 << 0x10;
    QTest::newRow("letter R") << 41 << 0x15;
    QTest::newRow("&7") << 23 << 0x24;
    QTest::newRow("quote") << 69 << 0x34;
    QTest::newRow("keypad 0") << 102 << 0x62;
    QTest::newRow("Not Used") << 107 << 0;
    QTest::newRow("Cancel") << 108 << -1;
}

void TestKeySelectForm::indexToCode() {
    QFETCH(int, index);
    QFETCH(int, code);
    KeySelectForm form(nullptr, QRect(0, 0, 1280, 1024));
    QCOMPARE(form.GetKeyCode(index), code);
    QCOMPARE(form.SelectedCode(), code);
}

void TestKeySelectForm::captionsAndTooltips() {
    KeySelectForm form(nullptr, QRect(0, 0, 1280, 1024));
    form.show();
    QCOMPARE(form.key(23)->text(), QString("&&7"));
    QCOMPARE(form.key(23)->toolTip(), QString("&7"));
    QCOMPARE(form.key(69)->text(), QString("\" '"));
    QCOMPARE(form.key(104)->toolTip(), QString("Left Mouse"));
    QCOMPARE(form.key(107)->toolTip(), QString("Not Used"));
    QCOMPARE(form.key(108)->toolTip(), QString());
    QCOMPARE(form.key(30)->toolTip(), QString("Insert"));
    QCOMPARE(form.SelectedCode(), -2); // laying out leaves no choice behind
}

void TestKeySelectForm::fontRule_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("units");  // key width in grid units
    QTest::addColumn<double>("factor"); // against half the unit height
    QTest::newRow("one unit, one character") << 58 + 1 << "A" << 1.0 << 1.0;
    QTest::newRow("keypad 0") << 102 << "0" << 2.0 << 1.0;
    QTest::newRow("two characters") << 17 << "!1" << 1.0 << 0.5;
    QTest::newRow("three characters") << 1 << "F10" << 1.0 << 0.5;
    QTest::newRow("&&7 counts three") << 23 << "&&7" << 1.0 << 0.5;
    QTest::newRow("Space") << 94 << "Space" << 6.25 << 6.25 / 5 * 1.3 / 1.5;
}

void TestKeySelectForm::fontRule() {
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(double, units);
    QFETCH(double, factor);
    const double u = 1280.0 / 27, v = 379.0 / 8; // grid unit of a 1280-pixel screen
    const double f = KeySelectForm::fontSizeFor(index, caption, units * u, u * 3, v);
    QVERIFY2(qAbs(f - factor * v / 2) < 1e-9, qPrintable(QString::number(f)));
    QCOMPARE(KeySelectForm::fontSizeFor(0, "Esc", 2, 1000, 1), 1.0); // never below 1 point
}

void TestKeySelectForm::fontsAfterLayout() {
    KeySelectForm form(nullptr, QRect(0, 0, 1280, 1024));
    form.show();
    const double v = form.height() / 8.0;
    // The mouse buttons always use the reference label's new size...
    QVERIFY(qAbs(form.key(104)->font().pointSizeF() - v / 2) < 0.05);
    // ...the keyboard keys the size the previous pass left, so another pass at the same
    // size gives them the same rule.
    QResizeEvent again(form.size(), form.size());
    QApplication::sendEvent(&form, &again);
    QVERIFY(qAbs(form.key(59)->font().pointSizeF() - v / 2) < 0.05);
    QVERIFY(qAbs(form.key(102)->font().pointSizeF() - v / 2) < 0.05);
}

void TestKeySelectForm::geometry_data() {
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1280x1024") << QRect(0, 0, 1280, 1024) << QRect(0, 323, 1280, 379);
    QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080) << QRect(0, 256, 1920, 569);
}

void TestKeySelectForm::geometry() {
    QFETCH(QRect, screen);
    QFETCH(QRect, expected);
    KeySelectForm form(nullptr, screen);
    form.show();
    QCOMPARE(form.frameGeometry(), expected);
    const QRect space = form.key(94)->geometry();
    QCOMPARE(space.x(), int(std::lround(3.75 * form.width() / 27)));
    QCOMPARE(form.key(108)->geometry().right() + 1, int(std::lround(22 * form.width() / 27.0)));
    for (int i = 0; i < KeyButtonCount; ++i)
        QVERIFY(form.rect().contains(form.key(i)->geometry()));
}

void TestKeySelectForm::blankWhileHeld() {
    KeySelectForm form(nullptr, QRect(0, 0, 1280, 1024));
    form.show();
    // No double-click: the guard counts from the window's activation, which comes late on
    // a slow machine.
    const bool active = QTest::qWaitForWindowActive(&form, 2000); // offscreen may never say
    Q_UNUSED(active);
    QTest::qWait(KeySelectForm::clickGuardMilliseconds() + 50);
    QPushButton* key = form.key(59);
    QTest::mousePress(key, Qt::LeftButton);
    QCOMPARE(key->text(), QString());
    QTest::mouseRelease(key, Qt::LeftButton, {}, QPoint(-50, -50)); // outside the key
    QCOMPARE(key->text(), QString("A"));
    QVERIFY(form.isVisible());
    QCOMPARE(form.SelectedCode(), -2);
    QTRY_COMPARE(form.focusWidget()->objectName(), QString("Picture1"));
    QTest::mouseClick(key, Qt::LeftButton);
    QCOMPARE(form.KeySelectionResult(), 4);
    QVERIFY(!form.isVisible());
}

void TestKeySelectForm::keyboardMovesTheFocus_data() {
    QTest::addColumn<int>("from"); // -1: the window's own focus
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("scanCode"); // the input event code plus 8; 0 for none
    QTest::addColumn<int>("to");
    QTest::newRow("Q, Right") << 38 << int(Qt::Key_Right) << 0 << 39;
    QTest::newRow("Esc, Left stays") << 0 << int(Qt::Key_Left) << 0 << 0;
    QTest::newRow("Q, Down to A") << 38 << int(Qt::Key_Down) << 0 << 59;
    QTest::newRow("Space, Up to B") << 94 << int(Qt::Key_Up) << 0 << 79;
    QTest::newRow("arrow Up, Up to End") << 86 << int(Qt::Key_Up) << 0 << 52;
    QTest::newRow("keypad 6, Right to +") << 73 << int(Qt::Key_Right) << 0 << 57;
    QTest::newRow("F12, Down to Bksp") << 12 << int(Qt::Key_Down) << 0 << 29;
    QTest::newRow("Cancel, Up to keypad 0") << 108 << int(Qt::Key_Up) << 0 << 102;
    QTest::newRow("window, Right to Esc") << -1 << int(Qt::Key_Right) << 0 << 0;
    QTest::newRow("window, typed A") << -1 << int(Qt::Key_A) << 30 + 8 << 59;
    QTest::newRow("Q, typed L") << 38 << int(Qt::Key_L) << 38 + 8 << 67;
    QTest::newRow("Q, Shift stays") << 38 << int(Qt::Key_Shift) << 42 + 8 << 38;
}

void TestKeySelectForm::keyboardMovesTheFocus() {
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, scanCode);
    QFETCH(int, to);
    KeySelectForm form(nullptr, QRect(0, 0, 1280, 1024));
    form.show();
    QWidget* start = from < 0 ? form.findChild<QWidget*>("Picture1") : form.key(from);
    start->setFocus();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, quint32(scanCode), 0, 0);
    QApplication::sendEvent(start, &press);
    QCOMPARE(form.focusWidget(), form.key(to));
    QVERIFY(form.isVisible()); // moving chooses nothing
    QCOMPARE(form.SelectedCode(), -2);
}

void TestKeySelectForm::fromMainWindow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("index"); // -1: close the window
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("press"); // what opens the window: a click, Space or Return
    QTest::newRow("cancel") << "SKey_3" << 108 << "Esc"
                            << "41" << false << "click";
    QTest::newRow("closed") << "SKey_3" << -1 << "Esc"
                            << "41" << false << "click";
    QTest::newRow("not used") << "SKey_3" << 107 << "Not Used"
                              << "0" << true << "click";
    QTest::newRow("mouse L") << "SKey_3" << 104 << "Left Mouse"
                             << "232" << true << "click";
    QTest::newRow("letter L") << "Rkey_2" << 67 << "L"
                              << "15" << true << "click";
    QTest::newRow("&7") << "SKey_3" << 23 << "&&7"
                        << "36" << true << "click";
    QTest::newRow("quote") << "SKey_3" << 69 << "\" '"
                           << "52" << true << "click";
    QTest::newRow("same key again") << "SKey_3" << 0 << "Esc"
                                    << "41" << true << "click";
    QTest::newRow("Space, cancel") << "SKey_3" << 108 << "Esc"
                                   << "41" << false << "Space";
    QTest::newRow("Space, closed") << "Rkey_2" << -1 << "Esc"
                                   << "41" << false << "Space";
    QTest::newRow("Return, letter L") << "SKey_3" << 67 << "L"
                                      << "15" << true << "Return";
}

void TestKeySelectForm::fromMainWindow() {
    QFETCH(QString, button);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QString, tag);
    QFETCH(bool, modified);
    QFETCH(QString, press);
    EmulatedAccess access(1);
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    const int slot = button == "SKey_3" ? 3 : 38;
    w->config().setOption(Configuration::Option::RotaryOnAux, true);
    w->config().setKeyCode(slot, 0x29);
    w->config().setConfigModified(false);
    auto* key = w->findChild<QPushButton*>(button);
    answerKeyWindow(index);
    key->setFocus(Qt::TabFocusReason);
    if (press == "click")
        key->click();
    else
        QTest::keyClick(key, press == "Space" ? Qt::Key_Space : Qt::Key_Return);
    QCOMPARE(key->text(), caption);
    QCOMPARE(key->property("Tag").toString(), tag);
    QCOMPARE(w->config().configModified(), modified);
    // A click leaves the focus on the rows' box; the keyboard gets its button back.
    QCOMPARE(w->focusWidget() ? w->focusWidget()->objectName() : QString(),
             press != "click" ? button : QString(slot < 36 ? "PicEdge" : "RPicEdge"));
    // Tab goes on from the button, not from the top of the rows.
    QWidget* next = key->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(w.get()) ||
           !next->isEnabled())
        next = next->nextInFocusChain();
    QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
    QCOMPARE(w->focusWidget(), next);
}

QTEST_MAIN(TestKeySelectForm)
#include "tst_KeySelectForm.moc"
