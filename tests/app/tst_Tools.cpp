// SPDX-License-Identifier: GPL-3.0-or-later
#include "RealFiles.h"
#include "ScriptedDialogs.h"
#include "app/GuidedPassBox.h"
#include "app/IdentifyCommands.h"
#include "app/IdentifyWindow.h"
#include "app/InputTestWindow.h"
#include "app/MainWindow.h"
#include "app/Module1.h"
#include "app/RowPanel.h"
#include "app/UnitComparison.h"
#include "device/EmulatedAccess.h"
#include "device/PlugMonitor.h"
#include "files/Presets.h"
#include "files/RestoreJournal.h"
#include "identify/IdentificationImage.h"
#include "model/PanelRole.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimeZone>
#include <QTreeWidget>
#include <QtTest>

using Option = Configuration::Option;
using Kind = EmulatedAccess::Event::Kind;
using Answer = UserDialogs::Answer;

namespace {

// The keys the X server reports: the input event code plus 8.
constexpr int ScanEsc = 1 + 8;
constexpr int Scan1 = 2 + 8;
constexpr int ScanLeftCtrl = 29 + 8;
constexpr int ScanLeft = 105 + 8;
constexpr int ScanZ = 44 + 8;

void sample(Configuration& c) {
    c.setKeyCode(2, 0x50); // Input 3: Left Arrow
    c.setKeyCode(4, 0xE0); // Input 5: Left Control
    c.setKeyCode(8, 0x1E); // Input 9: Shift + !1
    c.setShift(8, true);
    c.setKeyCode(10, 0x29);                        // Input 11: Esc
    c.setKeyCode(12, 0xE8);                        // Input 13: Left Mouse
    c.setKeyCode(Configuration::InputCount, 0x50); // Rotary 1A: Left Arrow
}

int exchanges(const EmulatedAccess& access) {
    int n = 0;
    for (const auto& e : access.events())
        n += e.kind == Kind::Exchange;
    return n;
}

// Identifying: the unit's own presses come from the test, plug-ins from its list.
struct IdentifyRig {
    QTemporaryDir dir;
    RestoreJournal journal{dir.path()};
    EmulatedAccess access{2};
    ScriptedDialogs dialogs;
    KeyPressSource* keys = nullptr;
    QStringList plugged;
    struct Plugs : PlugMonitor {
        QStringList* nodes = nullptr;
        std::optional<QString> nextPlugIn(int) override {
            return nodes->isEmpty() ? QString() : nodes->takeFirst();
        }
    };
    std::unique_ptr<MainWindow> start() {
        ProgrammerServices services{access, dialogs};
        services.journal = &journal;
        services.keyPresses = [this](const QString&, KeyPressSource::Failure&) {
            auto source = std::make_unique<KeyPressSource>();
            keys = source.get();
            return source;
        };
        services.plugMonitor = [this] {
            auto plugs = std::make_unique<Plugs>();
            plugs->nodes = &plugged;
            return plugs;
        };
        return Module1::Start(services);
    }
};

constexpr int Key4 = 5, Key8 = 9, KeyF1 = 59; // Linux event codes

} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void menu();
    void testInputs_data();
    void testInputs();
    void testInputsLightAMoment();
    void compare_data();
    void compare();
    void verifyAfterWriting_data();
    void verifyAfterWriting();
    void presetsAndPrinting();
    void exportLegend();
    void identify_data();
    void identify();
    void restoreKept_data();
    void restoreKept();
};

void TestTools::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void TestTools::init() {
    UnitComparison::setVerifyAfterWriting(false);
}

void TestTools::menu() {
    EmulatedAccess access(1);
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    QStringList menus;
    for (QAction* a : w->menuBar()->actions())
        menus << a->objectName();
    QCOMPARE(menus, (QStringList{"file", "edit", "tools", "about"}));
    auto* verify = w->findChild<QAction*>("tverify");
    QVERIFY(verify->isCheckable());
    QVERIFY(!verify->isChecked());
    verify->trigger();
    QVERIFY(UnitComparison::verifyAfterWriting());
    // Remembered for the next start.
    w.reset();
    w = Module1::Start(ProgrammerServices{access, dialogs});
    QVERIFY(w->findChild<QAction*>("tverify")->isChecked());

    w->findChild<QAction*>("ttest")->trigger();
    auto* window = w->findChild<InputTestWindow*>("frmTestInputs");
    QVERIFY(window && window->isVisible() && !window->isModal());
    QCOMPARE(window->windowTitle(), QString("Test Inputs"));
    // A configuration put in place of another starts the test afresh.
    dialogs.answers = {UserDialogs::Answer::No};
    for (const char* replacing : {"tpreset_arcade-one-player", "fnew"}) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, {}, 15 + 8, 0, 0);
        QCoreApplication::sendEvent(window, &tab);
        w->findChild<QAction*>(replacing)->trigger();
        QCOMPARE(window->windowTitle() + window->statusText(), QString("Test Inputs "));
    }
}

void TestTools::testInputs_data() {
    QTest::addColumn<int>("scanCode"); // 0: a mouse button
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("rotary");
    QTest::addColumn<QList<int>>("lit");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("status");
    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("Esc") << ScanEsc << 0 << false << QList<int>{10} << "Test Inputs - Input 11"
                         << "Input 11: Esc";
    QTest::newRow("Shift 1") << Scan1 << shift << false << QList<int>{8} << "Test Inputs - Input 9"
                             << "Input 9: Shift + !1";
    QTest::newRow("1 without Shift") << Scan1 << 0 << false << QList<int>{} << "Test Inputs"
                                     << "not assigned: !1";
    // Pressed together with an input that holds a modifier, a key no input sends that way
    // counts as itself.
    QTest::newRow("Esc with Control")
        << ScanEsc << ctrl << false << QList<int>{10} << "Test Inputs - Input 11"
        << "Input 11: Esc";
    QTest::newRow("Control key holds itself")
        << ScanLeftCtrl << ctrl << false << QList<int>{4} << "Test Inputs - Input 5"
        << "Input 5: Left Control";
    QTest::newRow("by position, not by character")
        << ScanZ << 0 << false << QList<int>{} << "Test Inputs"
        << "not assigned: Z";
    QTest::newRow("rotary off") << ScanLeft << 0 << false << QList<int>{2}
                                << "Test Inputs - Input 3"
                                << "Input 3: Left Arrow";
    QTest::newRow("rotary on") << ScanLeft << 0 << true << QList<int>{2, 36}
                               << "Test Inputs - Input 3"
                               << "Input 3, Rotary 1A: Left Arrow";
    QTest::newRow("left mouse") << 0 << 0 << false << QList<int>{12} << "Test Inputs - Input 13"
                                << "Input 13: Left Mouse";
    QTest::newRow("left mouse with Shift")
        << 0 << shift << false << QList<int>{12} << "Test Inputs - Input 13"
        << "Input 13: Left Mouse";
}

void TestTools::testInputs() {
    QFETCH(int, scanCode);
    QFETCH(int, modifiers);
    QFETCH(bool, rotary);
    QFETCH(QList<int>, lit);
    QFETCH(QString, title);
    QFETCH(QString, status);
    Configuration config;
    sample(config);
    config.setOption(Option::RotaryOnAux, rotary);
    InputTestWindow window(config);
    window.show();
    const auto mods = Qt::KeyboardModifiers(modifiers);
    if (scanCode) {
        // Qt::Key_Z for the Z position checks that the key's character does not count.
        QKeyEvent press(QEvent::KeyPress, scanCode == ScanZ ? Qt::Key_Y : Qt::Key_A, mods,
                        quint32(scanCode), 0, 0);
        QCoreApplication::sendEvent(&window, &press);
    } else {
        QTest::mouseClick(&window, Qt::LeftButton, mods, QPoint(5, 5));
    }
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.statusText(), status);
    for (int slot = 0; slot < Configuration::SlotCount; ++slot) {
        QCOMPARE(window.isLit(slot), lit.contains(slot));
        QCOMPARE(window.presses(slot), lit.contains(slot) ? 1 : 0);
    }
    QCOMPARE(window.findChild<QWidget*>("TestTile_36")->isVisible(), rotary);
}

void TestTools::testInputsLightAMoment() {
    Configuration config;
    sample(config);
    InputTestWindow window(config);
    auto* tile = window.findChild<QLabel*>("TestTile_8");
    QCOMPARE(tile->text(), QString("Input 9\nShift + !1"));
    for (int i = 0; i < 2; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, Scan1, 0, 0);
        QCoreApplication::sendEvent(&window, &press);
    }
    QCOMPARE(tile->text(), QString("Input 9\nShift + !1\n\u00d72"));
    QVERIFY(window.isLit(8));
    QTRY_VERIFY_WITH_TIMEOUT(!window.isLit(8), 3 * InputTestWindow::LitMilliseconds);
    // The window follows the configuration.
    config.setAlt(8, true);
    QCOMPARE(tile->text(), QString("Input 9\nShift + Alt + !1\n\u00d72"));
    config.setShift(9, true); // without a key, so nothing sent
    QCOMPARE(window.findChild<QLabel*>("TestTile_9")->text(), QString("Input 10\nNot Used"));
    config.setRole(9, PanelRole::of(1, PanelRole::Control::Up));
    QCOMPARE(window.findChild<QLabel*>("TestTile_9")->text(), QString("Input 10\nP1 Up\nNot Used"));
}

void TestTools::compare_data() {
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("differingSlots");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("same") << 1 << 0 << 0 << "The TARVEN-PAD holds this configuration."
                          << "Compare";
    QTest::newRow("one slot") << 1 << 0 << 1
                              << "The TARVEN-PAD holds a different configuration.\n"
                                 "(this configuration | the unit)\n\n"
                                 "Input 1: A | Not Used"
                              << "Compare";
    QTest::newRow("many") << 1 << 0 << 15
                          << "The TARVEN-PAD holds a different configuration.\n"
                             "(this configuration | the unit)\n\n"
                             "Input 1: A | Not Used\nInput 2: A | Not Used\nInput 3: A | Not "
                             "Used\nInput 4: A | Not Used\nInput 5: A | Not Used\nInput 6: A | "
                             "Not Used\nInput 7: A | Not Used\nInput 8: A | Not Used\nInput 9: A "
                             "| Not Used\nInput 10: A | Not Used\nInput 11: A | Not Used\nInput "
                             "12: A | Not Used\nInput 13: A | Not Used\nInput 14: A | Not Used\n"
                             "Input 15: A | Not Used"
                          << "Compare";
    QTest::newRow("no unit") << 0 << 0 << 0 << "Device Not Found"
                             << "Error";
    QTest::newRow("I/O error") << 1 << 30 << 0 << "Device I/O Error"
                               << "Error";
}

// Compare reads as Read does but leaves the configuration and its document state alone.
void TestTools::compare() {
    QFETCH(int, units);
    QFETCH(int, failAt);
    QFETCH(int, differingSlots);
    QFETCH(QString, text);
    QFETCH(QString, title);
    EmulatedAccess access(1);
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    Configuration& c = w->config();
    c.setKeyCode(30, 0x29);
    c.setShift(30, true);
    c.setOption(Option::RelayOnAux, true);
    access.unit(1).memory = BuildDeviceImage(c);
    for (int k = 0; k < differingSlots; ++k)
        c.setKeyCode(k, 0x04);
    c.setCurrentFileName("panel.TPD");
    c.setConfigModified(true);
    access.setAttached(QList<int>{1}.mid(0, units));
    access.failExchangeAt(failAt);
    const DeviceImage before = BuildDeviceImage(c);

    w->findChild<QAction*>("tcompare")->trigger();
    QCOMPARE(dialogs.texts(), QStringList{text});
    QCOMPARE(dialogs.shown[0].title, title);
    QCOMPARE(dialogs.shown[0].icon, differingSlots || units == 0 || failAt
                                        ? UserDialogs::Icon::Exclamation
                                        : UserDialogs::Icon::Information);
    QCOMPARE(dialogs.shown[0].statusWindowVisible, title == "Error");
    QVERIFY(BuildDeviceImage(c) == before);
    QCOMPARE(c.currentFileName(), QString("panel.TPD"));
    QVERIFY(c.configModified());
    QCOMPARE(access.unit(1).closingWrites, 0);
    QCOMPARE(access.openUnits(), 0);
    QVERIFY(!w->transferRunning());
}

void TestTools::verifyAfterWriting_data() {
    QTest::addColumn<bool>("verify");
    QTest::addColumn<int>("dropLocation");
    QTest::addColumn<int>("expectedExchanges");
    QTest::addColumn<QString>("text");
    QTest::newRow("off") << false << 0 << 95 << "TARVEN-PAD Programmed Successfully";
    QTest::newRow("off, a location dropped")
        << false << 20 << 95 << "TARVEN-PAD Programmed Successfully";
    QTest::newRow("on") << true << 0 << 95 + 94 << "TARVEN-PAD Programmed Successfully";
    QTest::newRow("on, a location dropped")
        << true << 20 << 95 + 94
        << "The TARVEN-PAD does not hold what was written.\n(written | read back)\n\n"
           "Input 10: Control + Alt + %5 | Control + Alt + Not Used";
}

void TestTools::verifyAfterWriting() {
    QFETCH(bool, verify);
    QFETCH(int, dropLocation);
    QFETCH(int, expectedExchanges);
    QFETCH(QString, text);
    UnitComparison::setVerifyAfterWriting(verify);
    EmulatedAccess access(2);
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    access.setAttached({1});
    if (dropLocation)
        access.unit(1).droppedLocations.insert(dropLocation);
    Configuration& c = w->config();
    c.setKeyCode(9, 0x22); // Input 10, whose key code is at location 20
    c.setControl(9, true);
    c.setAlt(9, true);
    c.setConfigModified(false);
    access.clearEvents();

    w->findChild<QAction*>("fsend")->trigger();
    QCOMPARE(dialogs.texts(), QStringList{text});
    const bool ok = text.startsWith("TARVEN-PAD");
    QCOMPARE(dialogs.shown[0].title, QString(ok ? "Programmed" : "Error"));
    QCOMPARE(dialogs.shown[0].icon,
             ok ? UserDialogs::Icon::Information : UserDialogs::Icon::Exclamation);
    QCOMPARE(exchanges(access), expectedExchanges);
    QCOMPARE(access.unit(1).closingWrites, 1);
    QVERIFY(!c.configModified());
    QCOMPARE(access.openUnits(), 0);
}

// Every preset loads through the JSON reader; choosing one is one undo step that asks
// nothing; Print Legend prints through the print dialog.
void TestTools::presetsAndPrinting() {
    for (const QString& name : PresetNames()) {
        Configuration c;
        QVERIFY2(LoadPreset(c, name).ok(), qPrintable(name));
        QCOMPARE(FindPreset(PresetKey(name)), name);
    }
    EmulatedAccess access(1);
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    w->findChild<QAction*>("tpreset_arcade-one-player")->trigger();
    QCOMPARE(w->config().slot(14).keyCode, 0x2B); // Input 15: Tab
    QCOMPARE(w->config().slotRole(14).role, PanelRole::fromKey(u"MENU"));
    QVERIFY(w->config().configModified() && dialogs.shown.isEmpty());
    QCOMPARE(w->history().undoText(), QString("Arcade, one player"));
    w->history().undo();
    QVERIFY(w->config().state() == Configuration().state() && !w->config().configModified());

    QTemporaryDir dir;
    dialogs.printPath = dir.filePath("printed.pdf");
    w->findChild<QAction*>("tprint")->trigger();
    QVERIFY(QFileInfo(dialogs.printPath).size() > 1000);
}

// Export Legend refuses another extension before it asks about replacing, asks before it
// replaces (No brings the dialog back), and names the legend when the write fails.
void TestTools::exportLegend() {
    QTemporaryDir dir;
    const QString notes = dir.filePath("notes.txt"), pdf = dir.filePath("x.pdf");
    QVERIFY(realfiles::writeBytes(notes, "old"));
    EmulatedAccess access(1);
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    dialogs.paths = {notes, "", pdf, pdf, "", pdf, dir.filePath("no/x.png")};
    dialogs.answers = {UserDialogs::Answer::No, UserDialogs::Answer::Yes};
    for (int i = 0; i < 5; ++i) // refused; new; not replaced; replaced; no such folder
        w->findChild<QAction*>("texport")->trigger();
    const QString replace = "\"" + pdf + "\" already exists.\nDo you want to replace it?";
    QCOMPARE(
        dialogs.texts(),
        (QStringList{"Cannot save the legend to \"" + notes +
                         "\":\nA legend is written as "
                         ".pdf, .svg or .png.\n\nNothing has been saved.",
                     replace, replace,
                     "Cannot save the legend to \"" + dir.filePath("no/x.png") +
                         "\":\nNo such file or directory.\n\nThe legend has not been saved."}));
    QCOMPARE(realfiles::readBytes(notes), QByteArray("old"));
    QVERIFY(QFileInfo(pdf).size() > 1000);
}

void TestTools::identify_data() {
    QTest::addColumn<bool>("distinct"); // the unit's own keys tell its inputs apart
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("end");
    QTest::newRow("distinct: no question, no write") << true << 0 << "done";
    QTest::newRow("cancelled") << false << int(Answer::Cancel) << "";
    QTest::newRow("Done") << false << int(Answer::Ok) << "done";
    QTest::newRow("guided pass, then Done") << false << int(Answer::Ok) << "guided";
    QTest::newRow("window closed") << false << int(Answer::Ok) << "close";
    QTest::newRow("program closed") << false << int(Answer::Ok) << "quit";
    QTest::newRow("unit pulled out") << false << int(Answer::Ok) << "pulled";
}

void TestTools::identify() {
    QFETCH(bool, distinct);
    QFETCH(int, answer);
    QFETCH(QString, end);
    IdentifyRig rig;
    rig.access.setAttached({1});
    DeviceImage own = EmulatedUnit::factoryMemory();
    own.set(2, 0x29); // Input 1: Esc, which leaves the other inputs without a key
    rig.access.unit(1).memory = own = distinct ? IdentificationImage::build(own) : own;
    rig.dialogs.answers = {Answer(answer)};
    auto w = rig.start();
    const DeviceImage edited = BuildDeviceImage(w->config());
    w->findChild<QAction*>("tidentify")->trigger();
    auto* window = w->findChild<IdentifyWindow*>("identifyWindow");
    if (!distinct) {
        QCOMPARE(rig.dialogs.texts(),
                 QStringList{"To tell the inputs apart, unit 11 gets a temporary configuration in "
                             "which every input sends a key of its own.\n\nIts own configuration "
                             "is kept on this computer and goes back onto the unit when you click "
                             "Done. The configuration you are editing does not change."});
        QCOMPARE(rig.dialogs.shown[0].buttons, UserDialogs::Buttons::OkCancel);
    }
    if (end.isEmpty()) {
        QVERIFY(!window && !rig.keys && w->findChild<QAction*>("tidentify")->isEnabled());
        QCOMPARE(rig.access.unit(1).closingWrites, 0);
        return;
    }
    QVERIFY(window->isVisible() && !w->findChild<QAction*>("freceive")->isEnabled());
    QCOMPARE(window->sourceText(),
             QString("Presses are read from the unit itself, so they type into no other window."));
    QCOMPARE(rig.journal.pending().size(), distinct ? 0 : 1);
    auto* guided = window->findChild<GuidedPassBox*>("identifyGuided");
    if (end == "guided")
        guided->findChild<QPushButton*>("identifyGuidedStart")->click();
    for (int code : {Key8, Key4, Key4, KeyF1})
        emit rig.keys->pressed(code);
    if (end == "guided") {
        QCOMPARE(guided->promptText(), QString("Press Player 1 Right"));
        QCOMPARE(guided->noteText(),
                 QString("Input 30 moved from Player 1 Down to Player 1 Left."));
        QCOMPARE(window->findChild<QTreeWidget*>()->topLevelItem(0)->text(0),
                 QString("Input 30 \u00b7 Player 1 Left"));
    }
    QCOMPARE(window->presses(29), 2);
    QCOMPARE(w->findChild<RowPanel*>("PicInner")->highlightedRow(), 29);
    QCOMPARE(window->lastPressText(), QString("No input of this unit sends F1."));
    QCOMPARE(window->notPressedText(),
             QString("Not pressed yet: Input 1 to Input 29, Input 31 to Input 33, Input 35, "
                     "Input 36."));
    QVERIFY(BuildDeviceImage(w->config()) == edited);
    const bool pulled = end == "pulled";
    rig.access.setAttached(QList<int>{1}.mid(0, pulled ? 0 : 1));
    if (end == "close")
        window->close();
    else if (end == "quit")
        QVERIFY(w->close());
    else
        window->findChild<QPushButton*>("identifyDone")->click();
    QVERIFY(!window->isVisible());
    QCOMPARE(rig.access.unit(1).memory == own, !pulled);
    QCOMPARE(rig.access.unit(1).closingWrites, distinct ? 0 : pulled ? 1 : 2);
    QCOMPARE(rig.journal.pending().size(), pulled ? 1 : 0);
    QCOMPARE(w->findChild<RowPanel*>("PicInner")->highlightedRow(), -1);
    // The pass is one step, that Undo takes back whole.
    QCOMPARE(w->config().slotRole(33).role + w->config().slotRole(29).role,
             end == "guided" ? 1 + 3 : 0);
    QCOMPARE(w->history().undoText(), end == "guided" ? "Guided Pass: One player, 6 buttons" : "");
    // The unit is gone when its own configuration is to go back: the journal keeps it.
    QCOMPARE(rig.dialogs.texts().mid(1),
             pulled ? QStringList{"The own configuration of unit 11 could not be put back: it "
                                  "is not attached.\n\nIt stays kept on "
                                  "this computer, and the program offers to put it back when "
                                  "that unit is plugged in or the program starts."}
                    : QStringList{});
}

void TestTools::restoreKept_data() {
    QTest::addColumn<bool>("pluggedLater");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("newer"); // the unit holds a configuration written since
    QTest::newRow("at start-up, Yes") << false << int(Answer::Yes) << false;
    QTest::newRow("at start-up, No") << false << int(Answer::No) << false;
    QTest::newRow("plugged in, Yes") << true << int(Answer::Yes) << false;
    QTest::newRow("newer on the unit, Yes") << false << int(Answer::Yes) << true;
}

void TestTools::restoreKept() {
    QFETCH(bool, pluggedLater);
    QFETCH(int, answer);
    QFETCH(bool, newer);
    IdentifyRig rig;
    DeviceImage own = EmulatedUnit::factoryMemory();
    own.set(2, 0x29);
    const DeviceImage onUnit =
        newer ? EmulatedUnit::factoryMemory() : IdentificationImage::build(own);
    rig.access.unit(2).memory = onUnit;
    const QDateTime time(QDate(2024, 5, 6), QTime(7, 8), QTimeZone::utc());
    QVERIFY(rig.journal.record("30303032", "22", own.bytes, time).ok());
    rig.access.setAttached(pluggedLater ? QList<int>{1} : QList<int>{1, 2});
    rig.dialogs.answers = {Answer(answer), Answer::No};
    auto w = rig.start();
    if (pluggedLater) {
        QVERIFY(rig.dialogs.shown.isEmpty());
        rig.access.setAttached({1, 2});
        rig.plugged << "emulated:2";
        QTRY_VERIFY(!rig.dialogs.shown.isEmpty());
    }
    QCOMPARE(rig.dialogs.texts().value(0),
             QString("While its inputs were identified on %1, the configuration of the unit with "
                     "serial number 22 was kept on this computer, and it has not been put back "
                     "yet.\n\nPut it back onto that unit now?")
                 .arg(QLocale().toString(time.toLocalTime(), QLocale::ShortFormat)));
    QCOMPARE(rig.dialogs.shown[0].buttons, UserDialogs::Buttons::YesNo);
    const bool yes = answer == int(Answer::Yes) && !newer;
    QCOMPARE(rig.dialogs.texts().value(1),
             yes ? QString("The unit with serial number 22 holds its own configuration again.")
             : newer
                 ? QString("A configuration of the unit with serial number 22 was kept on this "
                           "computer on %1, but the unit holds one written after it. Putting the "
                           "old one back would undo that, so nothing was written.\n\nForget "
                           "the old configuration?")
                       .arg(QLocale().toString(time.toLocalTime(), QLocale::ShortFormat))
                 : QString());
    QCOMPARE(rig.access.unit(2).memory, yes ? own : onUnit);
    QCOMPARE(rig.journal.pending().size(), yes ? 0 : 1);
}

QTEST_MAIN(TestTools)
#include "tst_Tools.moc"
