// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"
#include "app/AboutWindow.h"
#include "app/BannerWidget.h"
#include "app/LabelBox.h"
#include "app/MainWindow.h"
#include "app/Module1.h"
#include "app/RowPanel.h"
#include "app/StatusWindow.h"
#include "cli/CommandLineTool.h"
#include "device/AccessSetup.h"
#include "device/EmulatedAccess.h"
#include "windowfit/ScreenMetrics.h"

#include <QAccessible>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using Flag = Configuration::Flag;
using Option = Configuration::Option;

namespace {

template <typename T = QWidget> T* child(QWidget& w, const QString& name) {
    T* c = w.findChild<T*>(name);
    if (!c)
        qFatal("no child %s", qPrintable(name));
    return c;
}

QCheckBox* box(QWidget& w, const QString& name) {
    return child<QCheckBox>(w, name);
}

// Shows the window at its normal state with a client area of the given size.
void setClientSize(MainWindow& w, QSize size) {
    // Restored from maximised, the window fits itself to the (small, offscreen) screen a
    // moment later; that must be over before the size is set, however slow the machine.
    const bool restored = w.windowState() & Qt::WindowMaximized;
    w.setWindowState(Qt::WindowNoState);
    w.show();
    if (restored)
        QTRY_VERIFY_WITH_TIMEOUT(!w.fittingRestored(), 10000);
    w.resize(size.width(), size.height() + w.menuBar()->height());
    QCoreApplication::processEvents();
    QCOMPARE(w.centralWidget()->size(), size);
}

} // namespace

Q_DECLARE_METATYPE(AccessSetup)

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startWithUnit();
    void startWithoutUnit_data();
    void startWithoutUnit();
    void accessAdvice_data();
    void accessAdvice();
    void distributionDisc_data();
    void distributionDisc();
    void namesAndLabels();
    void rowGeometry();
    void scrollRange_data();
    void scrollRange();
    void narrowWindowBanner();
    void bannerAt141();
    void inputRowReactions_data();
    void inputRowReactions();
    void optionReactions();
    void loadingFollowsThroughReactions();
    void aboutWindow();
    void accessibleNames_data();
    void accessibleNames();
    void progressWindowHasNoIcon();
    void progressText_data();
    void progressText();
    void editMenu();

private:
    std::unique_ptr<EmulatedAccess> m_access;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    MainWindow& started();
};

void TestMainWindow::init() {
    m_access = std::make_unique<EmulatedAccess>(1);
    m_dialogs = std::make_unique<ScriptedDialogs>();
}

void TestMainWindow::cleanup() {
    m_window.reset();
    m_dialogs.reset();
    m_access.reset();
}

MainWindow& TestMainWindow::started() {
    m_window = Module1::Start(ProgrammerServices{*m_access, *m_dialogs});
    if (!m_window)
        qFatal("the window did not start");
    return *m_window;
}

void TestMainWindow::startWithUnit() {
    MainWindow& w = started();
    QVERIFY(w.isVisible());
    QVERIFY(m_dialogs->shown.isEmpty());
    QVERIFY(!w.config().configModified());
    QCOMPARE(m_access->openUnits(), 0);
    QCOMPARE(m_access->events().size(), 2); // unit 1 opened and closed again
    QCOMPARE(ScreenMetrics::twipsPerPixelX(), 1440.0 / w.screen()->logicalDotsPerInchX());
    QCOMPARE(child<QPushButton>(w, "SKey_0")->text(), QString("Not Used"));
    QCOMPARE(child<QPushButton>(w, "SKey_0")->property("Tag").toString(), QString());
}

void TestMainWindow::startWithoutUnit_data() {
    QTest::addColumn<bool>("denied");
    QTest::newRow("nothing attached") << false;
    QTest::newRow("attached, access denied") << true;
}

void TestMainWindow::startWithoutUnit() {
    QFETCH(bool, denied);
    m_access->setAttached(denied ? QList<int>{1} : QList<int>{});
    m_access->unit(1).openFails = denied;
    m_access->unit(1).accessDenied = denied;
    const AccessSetup overSsh{true, {}, {}, false, false};
    auto w = Module1::Start(ProgrammerServices{*m_access, *m_dialogs, nullptr, nullptr, &overSsh});
    QVERIFY(!w);
    for (QWidget* top : QApplication::topLevelWidgets())
        QVERIFY(!(top->objectName() == "Form1" && top->isVisible()));
    QCOMPARE(m_dialogs->shown.size(), 1);
    const auto& shown = m_dialogs->shown.first();
    const QString text = "        No TARVEN-PAD devices detected !\n\n"
                         "Click the OK button below, plug the TARVEN-PAD\n"
                         "into the USB Port, and restart the program.";
    if (denied) {
        QVERIFY(shown.text.startsWith(text + "\n\n"));
        QVERIFY(shown.text.contains("Permission denied"));
        QVERIFY(shown.text.endsWith(":\n    sudo usermod -aG plugdev $USER"));
    } else {
        QCOMPARE(shown.text, text);
    }
    QCOMPARE(shown.title, QString());
    QCOMPARE(shown.icon, UserDialogs::Icon::Exclamation);
    QCOMPARE(shown.buttons, UserDialogs::Buttons::Ok);
}

void TestMainWindow::accessAdvice_data() {
    QTest::addColumn<AccessSetup>("setup");
    QTest::addColumn<QString>("window"); // after the no-unit text and the line on the refusal
    QTest::addColumn<QString>("tool");
    const QString install = "\n    sudo install -m 644 /src/70-tarvenpad.rules /etc/udev/rules.d/\n"
                            "    sudo install /build/tarvenpad-hid-check /usr/lib/udev/\n"
                            "    sudo udevadm control --reload-rules";
    const QString join = "\n    sudo usermod -aG plugdev $USER";
    QTest::newRow("run from a build, at the seat")
        << AccessSetup{false, "/src/70-tarvenpad.rules", "/build/tarvenpad-hid-check", true, false}
        << "\n\nThe udev rule that gives access is not installed. Install it from this build:" +
               install +
               "\n\nThe udev rule gives the user at the seat access: unplug the TARVEN-PAD, plug "
               "it in again and restart the program."
        << "The udev rule that gives access is not installed. Install it from this build, then "
           "unplug the unit and plug it in again:" +
               install +
               "\nThe rule gives the user at the seat access: unplug the unit and plug it in "
               "again.";
    QTest::newRow("no package, over SSH, not in plugdev")
        << AccessSetup{false, {}, {}, false, false}
        << "\n\nThe udev rule that gives access is not installed. Install the "
           "tarvenpad-programmer package, which brings it.\n\nWithout a desktop session at the "
           "seat (a kiosk, a remote display), access comes from the plugdev group. Join it and "
           "log in again:" +
               join
        << "The udev rule that gives access is not installed. Install the tarvenpad-programmer "
           "package, which brings it, then unplug the unit and plug it in again.\nOver SSH or "
           "without a desktop session, access comes from the plugdev group. Join it, then log "
           "in again:" +
               join;
    QTest::newRow("rule in place, in plugdev")
        << AccessSetup{true, {}, {}, false, true}
        << "\n\nThe TARVEN-PAD was set up before the rule was in place. Unplug it and plug it in "
           "again, or have udev apply the rule now:\n    sudo udevadm trigger "
           "--subsystem-match=hidraw --subsystem-match=input"
        << "This user is in plugdev, but the unit was set up before the rule was in place. "
           "Unplug it and plug it in again, or have udev apply the rule now:\n    sudo udevadm "
           "trigger --subsystem-match=hidraw --subsystem-match=input";
    QTest::newRow("no package, in plugdev")
        << AccessSetup{false, {}, {}, false, true}
        << "\n\nThe udev rule that gives access is not installed. Install the "
           "tarvenpad-programmer package, which brings it."
        << "The udev rule that gives access is not installed. Install the tarvenpad-programmer "
           "package, which brings it, then unplug the unit and plug it in again.";
}

// The advice after a refusal, in the window and in the tool, for each set-up.
void TestMainWindow::accessAdvice() {
    QFETCH(AccessSetup, setup);
    QFETCH(QString, window);
    QFETCH(QString, tool);
    const OpenFailure refused{OpenFailure::Kind::AccessDenied, 1, "/dev/hidraw3", EACCES};
    QCOMPARE(Module1::noDeviceMessage(refused, setup),
             Module1::NoDeviceText() +
                 "\n\nA TARVEN-PAD is attached, but this user may not open it (/dev/hidraw3: "
                 "Permission denied)." +
                 window);
    QCOMPARE(CommandLineTool::accessAdvice(setup), tool);
}

void TestMainWindow::distributionDisc_data() {
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("warn");
    QTest::newRow("disc root") << "/media/cd"
                               << "/media/cd"
                               << "TARVENPAD" << true;
    QTest::newRow("label with suffix") << "/media/cd/"
                                       << "/media/cd"
                                       << "TARVENPAD_V3" << true;
    QTest::newRow("other case") << "/media/cd"
                                << "/media/cd"
                                << "TarvenPad" << false;
    QTest::newRow("empty label") << "/media/cd"
                                 << "/media/cd"
                                 << "" << false;
    QTest::newRow("not the root") << "/media/cd/bin"
                                  << "/media/cd"
                                  << "TARVENPAD" << false;
    QTest::newRow("no volume") << "/x"
                               << ""
                               << "TARVENPAD" << false;
}

void TestMainWindow::distributionDisc() {
    QFETCH(QString, dir);
    QFETCH(QString, root);
    QFETCH(QString, label);
    QFETCH(bool, warn);
    QCOMPARE(Module1::onDistributionDisc(dir, root, label), warn);
}

void TestMainWindow::namesAndLabels() {
    MainWindow& w = started();
    QCOMPARE(w.objectName(), QString("Form1"));
    QCOMPARE(w.windowTitle(), QString("Quelmark Electronics, Inc. - TARVEN-PAD Programmer"));
    for (int i : {0, 8, 9, 35})
        QCOMPARE(child<LabelBox>(w, QString("LabelI_%1").arg(i))->tag(),
                 QString("Input %1").arg(i + 1));
    w.config().setOption(Option::RotaryOnAux, true);
    const QStringList ends{"1A", "1B", "2A", "2B", "3A", "3B", "4A", "4B", "5A", "5B"};
    for (int j = 0; j < 10; ++j)
        QCOMPARE(child<LabelBox>(w, QString("RLabelI_%1").arg(j))->tag(), "Rotary  " + ends[j]);
    for (const char* name : {"fnew", "fopen", "fsave", "fsaveas", "fspc1", "fsend", "fspc2",
                             "freceive", "fspc3", "fexit", "aabout"})
        QVERIFY2(w.findChild<QAction*>(name), name);
    QCOMPARE(w.findChild<QAction*>("fnew")->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(w.findChild<QAction*>("fexit")->shortcut(), QKeySequence("Ctrl+Q"));
    QCOMPARE(w.findChild<QAction*>("fsend")->text(), QString("&Write To TARVENPAD"));
    QCOMPARE(box(w, "Check4")->text(), QString("Rotary-5 on AUX"));
}

void TestMainWindow::rowGeometry() {
    MainWindow& w = started();
    auto* inner = child<RowPanel>(w, "PicInner");
    QCOMPARE(inner->height(), 901);
    const int inputLabels = child<LabelBox>(w, "LabelI_0")->width();
    QCOMPARE(inner->width(), 333 + inputLabels);
    for (int i : {0, 1, 35}) {
        QCOMPARE(box(w, QString("ChkRepeat_%1").arg(i))->geometry(), QRect(1, 4 + 25 * i, 65, 17));
        QCOMPARE(box(w, QString("ChkCtrl_%1").arg(i))->pos(), QPoint(66, 4 + 25 * i));
        QCOMPARE(box(w, QString("ChkAlt_%1").arg(i))->pos(), QPoint(132, 4 + 25 * i));
        QCOMPARE(box(w, QString("ChkShift_%1").arg(i))->pos(), QPoint(173, 4 + 25 * i));
        QCOMPARE(child(w, QString("LabelI_%1").arg(i))->pos(), QPoint(224, 4 + 25 * i));
        QCOMPARE(child(w, QString("SKey_%1").arg(i))->geometry(),
                 QRect(226 + inputLabels, 25 * i + 1, 107, 24));
        QCOMPARE(inner->ruleY(i), 25 * i + 25);
    }
    // The key buttons end exactly at the panel's right edge.
    QCOMPARE(child(w, "SKey_0")->geometry().right() + 1, inner->width());

    w.config().setOption(Option::RotaryOnAux, true);
    auto* rinner = child<RowPanel>(w, "RPicInner");
    QCOMPARE(w.labelColumnWidth(), child<LabelBox>(w, "RLabelI_0")->width());
    QCOMPARE(rinner->size(), QSize(w.labelColumnWidth() + 332, 251));
    QCOMPARE(child(w, "Rkey_9")->geometry(),
             QRect(226 + w.labelColumnWidth(), 25 * 9 + 1, 107, 25));
    QCOMPARE(rinner->ruleY(9), 25 * 9 + 26);
    for (int j = 0; j < 10; ++j)
        QVERIFY(!box(w, QString("RChkRepeat_%1").arg(j))->isEnabled());
    auto* frame1 = child(w, "Frame1");
    QCOMPARE(rinner->pos(), frame1->pos() + QPoint(10, frame1->height() + 29));
    // The panel lies above its box, the box above the frame.
    const QObjectList& order = rinner->parentWidget()->children();
    QVERIFY(order.indexOf(rinner) > order.indexOf(child(w, "RPicEdge")));
    QVERIFY(order.indexOf(child(w, "RPicEdge")) > order.indexOf(child(w, "Frame2")));
}

void TestMainWindow::scrollRange_data() {
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("largeChange");
    QTest::newRow("500-pixel panel") << 501 << 17 << 19;
    QTest::newRow("tiny") << 20 << 36 << 1;
    QTest::newRow("900-pixel panel") << 901 << 1 << 35;
    // 901 to 904 outer pixels leave less than the rows' 901 inside the border.
    QTest::newRow("901-pixel panel") << 902 << 1 << 35;
    QTest::newRow("904-pixel panel") << 905 << 0 << 36;
    QTest::newRow("905-pixel panel") << 906 << 0 << -1;
    QTest::newRow("above 900") << 1000 << 0 << -1;
}

void TestMainWindow::scrollRange() {
    QFETCH(int, clientHeight);
    QFETCH(int, maximum);
    QFETCH(int, largeChange);
    MainWindow& w = started();
    setClientSize(w, QSize(1000, clientHeight));
    QCOMPARE(child(w, "PicEdge")->height(), clientHeight - 1);
    auto* bar = child<QScrollBar>(w, "VScroll1");
    QCOMPARE(bar->maximum(), maximum);
    if (largeChange > 0)
        QCOMPARE(bar->pageStep(), largeChange);
    QCOMPARE(bar->geometry().right() + 1, child(w, "PicEdge")->width() - 4);
    bar->setValue(bar->maximum());
    QCOMPARE(child(w, "PicInner")->y(), -25 * maximum);
    // At the maximum the last row is in view, whenever the view holds a row at all.
    const int view = child(w, "PicEdgeClient")->height();
    if (view >= 25)
        QVERIFY(child(w, "SKey_35")->geometry().bottom() - 25 * maximum < view);
    // Growing the window lowers the maximum and the value with it.
    setClientSize(w, QSize(1000, 1000));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(child(w, "PicInner")->y(), 0);
}

void TestMainWindow::narrowWindowBanner() {
    MainWindow& w = started();
    auto* edge = child(w, "PicEdge");
    // No narrower than the input panel and a strip of the right-hand side, which scrolls.
    setClientSize(w, QSize(1000, 400));
    w.resize(200, 400 + w.menuBar()->height());
    QCoreApplication::processEvents();
    QCOMPARE(w.centralWidget()->width(), 5 + edge->width() + 60);
    QCOMPARE(edge->geometry(), QRect(5, 1, 354 + w.labelColumnWidth(), 399));
    const auto at = [&](const char* name) {
        return child(w, name)->mapTo(w.centralWidget(), QPoint());
    };
    QCOMPARE(at("Picture2"), QPoint(5 + edge->width(), 1));
    QCOMPARE(at("Frame1").x(), edge->width() + 25);

    setClientSize(w, QSize(5 + edge->width() + 908, 700));
    QCOMPARE(child(w, "Picture2")->size(), QSize(908, 282));
}

void TestMainWindow::bannerAt141() {
    const auto layout = BannerWidget::layoutFor(141);
    QCOMPARE(layout.lines[0].text, QString("QUELMARK"));
    QVERIFY(qAbs(layout.lines[0].pointSize - 31.33) < 0.01);
    QVERIFY(qAbs(layout.lines[1].pointSize - 25.64) < 0.01);
    QVERIFY(qAbs(layout.lines[2].pointSize - 10.85) < 0.01);
    QCOMPARE(layout.lines[0].topLeft, QPoint(141, 14));
    QCOMPARE(layout.lines[1].topLeft, QPoint(141, 61));
    QCOMPARE(layout.lines[2].topLeft, QPoint(141, 108));
    QCOMPARE(layout.logoTopLeft, QPointF(14.1, 14.1));
    QCOMPARE(layout.logoSide, 112.8);
    QCOMPARE(BannerWidget::layoutFor(282).lines[1].topLeft, QPoint(282, 123));
}

// Clicks on an input row's boxes, from a given start, and the boxes checked afterwards.
void TestMainWindow::inputRowReactions_data() {
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("checked");
    QTest::newRow("repeat clears control and alt")
        << QStringList{"ChkCtrl", "ChkAlt"} << QStringList{"ChkRepeat"} << QStringList{"ChkRepeat"};
    QTest::newRow("control clears repeat, unchecking control leaves it")
        << QStringList{"ChkRepeat"} << QStringList{"ChkCtrl", "ChkCtrl"} << QStringList{};
    QTest::newRow("unchecking repeat changes nothing else")
        << QStringList{"ChkRepeat"} << QStringList{"ChkRepeat"} << QStringList{};
    QTest::newRow("modifiers together")
        << QStringList{} << QStringList{"ChkShift", "ChkAlt"} << QStringList{"ChkAlt", "ChkShift"};
}

void TestMainWindow::inputRowReactions() {
    QFETCH(QStringList, start);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, checked);
    MainWindow& w = started();
    for (const QString& name : start)
        box(w, name + "_7")->click();
    w.config().setConfigModified(false);
    for (const QString& name : clicks)
        box(w, name + "_7")->click();
    QStringList now;
    for (const char* name : {"ChkRepeat", "ChkCtrl", "ChkAlt", "ChkShift"})
        if (box(w, QString(name) + "_7")->isChecked())
            now << name;
    QCOMPARE(now, checked);
    QVERIFY(w.config().configModified());
    QCOMPARE(int(w.config().modifierByte(7)),
             (checked.contains("ChkCtrl") ? 1 : 0) + (checked.contains("ChkShift") ? 2 : 0) +
                 (checked.contains("ChkAlt") ? 4 : 0) + (checked.contains("ChkRepeat") ? 0 : 8));
}

void TestMainWindow::optionReactions() {
    MainWindow& w = started();
    box(w, "Check1")->click();
    box(w, "Check4")->click();
    QVERIFY(w.config().configModified());
    QVERIFY(child(w, "Frame2")->isVisible());
    QVERIFY(child(w, "Rkey_9")->isVisible());
    for (const char* name : {"Check1", "Check2", "Check3"})
        QVERIFY(!box(w, name)->isEnabled());
    QVERIFY(box(w, "Check1")->isChecked());

    box(w, "Check5")->click();
    box(w, "Check4")->click();
    QVERIFY(!child(w, "Frame2")->isVisible());
    QVERIFY(!child(w, "RPicInner")->isVisible());
    QVERIFY(!box(w, "Check1")->isEnabled());
    box(w, "Check5")->click();
    QVERIFY(box(w, "Check1")->isEnabled() && box(w, "Check1")->isChecked());

    // Rotary modifiers keep a loaded Repeat; the Repeat box is greyed but shows it.
    w.config().applyModifierByte(36, 1);
    box(w, "Check4")->click();
    QVERIFY(box(w, "RChkRepeat_0")->isChecked() && !box(w, "RChkRepeat_0")->isEnabled());
    box(w, "RChkShift_0")->click();
    QVERIFY(box(w, "RChkRepeat_0")->isChecked());
    QCOMPARE(int(w.config().modifierByte(36)), 3);
}

void TestMainWindow::loadingFollowsThroughReactions() {
    MainWindow& w = started();
    w.config().setKeyCode(3, 36);
    w.config().applyModifierByte(3, 5);
    w.config().applyOptionsByte(8 | 4);
    QCOMPARE(child<QPushButton>(w, "SKey_3")->text(), QString("&&7"));
    QCOMPARE(child<QPushButton>(w, "SKey_3")->property("Tag").toString(), QString("36"));
    QVERIFY(box(w, "ChkRepeat_3")->isChecked() && !box(w, "ChkCtrl_3")->isChecked());
    QVERIFY(child(w, "Frame2")->isVisible() && box(w, "Check3")->isChecked());
    w.config().setKeyCode(4, 200);
    QCOMPARE(child<QPushButton>(w, "SKey_4")->text(), QString());

    w.config().ClearVariables();
    QCOMPARE(child<QPushButton>(w, "SKey_3")->text(), QString("Not Used"));
    QCOMPARE(child<QPushButton>(w, "SKey_3")->property("Tag").toString(), QString());
    QVERIFY(!child(w, "Frame2")->isVisible() && box(w, "Check3")->isEnabled());
    QVERIFY(!box(w, "ChkRepeat_3")->isChecked());
}

void TestMainWindow::aboutWindow() {
    AboutWindow about;
    QCOMPARE(about.windowTitle(), QString("About TARVEN-PAD Programmer"));
    QCOMPARE(about.size(), QSize(354, 209));
    QCOMPARE(about.findChild<QLabel*>("Label3")->text(), QString(" Version 30790W"));
    QVERIFY(!about.findChild<QLabel*>("Picture1")->pixmap().isNull());
    QVERIFY(about.isModal());
}

// What a screen reader says for each row control: its row, then what it is.
void TestMainWindow::accessibleNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("repeat") << "ChkRepeat_2"
                            << "Input 3 Repeat";
    QTest::newRow("control") << "ChkCtrl_35"
                             << "Input 36 Control";
    QTest::newRow("label") << "LabelI_2"
                           << "Input 3";
    QTest::newRow("key") << "SKey_2"
                         << "Input 3 key: Esc";
    QTest::newRow("unused key") << "SKey_0"
                                << "Input 1 key: Not Used";
    QTest::newRow("ampersand key") << "SKey_3"
                                   << "Input 4 key: &7";
    QTest::newRow("key outside the table") << "SKey_4"
                                           << "Input 5 key: code 200";
    QTest::newRow("rotary shift") << "RChkShift_2"
                                  << "Rotary 2A Shift";
    QTest::newRow("rotary label") << "RLabelI_3"
                                  << "Rotary 2B";
    QTest::newRow("rotary key") << "Rkey_9"
                                << "Rotary 5B key: Q";
    QTest::newRow("role") << "RoleLabel_6"
                          << "Input 7 role: Player 1 Button 1 \u00b7 Jump";
    QTest::newRow("no role") << "RRoleLabel_0"
                             << "Rotary 1A: no role";
}

void TestMainWindow::accessibleNames() {
    QFETCH(QString, name);
    QFETCH(QString, spoken);
    MainWindow& w = started();
    w.config().setKeyCode(2, 0x29);
    w.config().setKeyCode(3, 36);
    w.config().setKeyCode(4, 200);
    w.config().setKeyCode(45, 0x14);
    w.config().setRole(6, PanelRole::of(1, PanelRole::Control::Button, 1));
    w.config().setLabel(6, "Jump");
    w.config().setOption(Option::RotaryOnAux, true);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child(w, name));
    QVERIFY(a);
    QCOMPARE(a->text(QAccessible::Name), spoken);
}

void TestMainWindow::progressWindowHasNoIcon() {
    MainWindow& w = started();
    QVERIFY(!w.windowIcon().isNull());
    StatusWindow status(&w);
    status.show();
    QVERIFY(status.windowIcon().isNull());
    QVERIFY(status.windowHandle()->icon().isNull());
    QCOMPARE(status.windowHandle()->transientParent(), w.windowHandle()); // stays over it
}

// The transfer counts locations; the window says how far it is as a rounded percentage.
void TestMainWindow::progressText_data() {
    QTest::addColumn<bool>("writing");
    QTest::addColumn<int>("done");
    QTest::addColumn<QString>("text");
    QTest::newRow("write 1") << true << 1 << "Writing configuration - 1%";
    QTest::newRow("write 10") << true << 10 << "Writing configuration - 11%";
    QTest::newRow("write 47") << true << 47 << "Writing configuration - 50%";
    QTest::newRow("write 94") << true << 94 << "Writing configuration - 100%";
    QTest::newRow("read 1") << false << 1 << "Reading configuration - 1%";
    QTest::newRow("read 94") << false << 94 << "Reading configuration - 100%";
}

void TestMainWindow::progressText() {
    QFETCH(bool, writing);
    QFETCH(int, done);
    QFETCH(QString, text);
    StatusWindow status(nullptr);
    status.showProgress(writing ? TransferDirection::Writing : TransferDirection::Reading, done,
                        94);
    QCOMPARE(status.findChild<QLabel*>("lblStatus")->text(), text);
}

// The Edit menu sits between File and About, names its steps and rests during a transfer.
void TestMainWindow::editMenu() {
    MainWindow& w = started();
    QStringList menus;
    for (QAction* a : w.menuBar()->actions())
        menus << a->objectName();
    QCOMPARE(menus, (QStringList{"file", "edit", "tools", "about"}));
    auto* undo = w.findChild<QAction*>("eundo");
    auto* redo = w.findChild<QAction*>("eredo");
    QCOMPARE(undo->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+Z")});
    QCOMPARE(redo->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    QCOMPARE(undo->text(), QString("&Undo"));
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());

    box(w, "ChkShift_2")->click();
    QCOMPARE(undo->text(), QString("&Undo Shift on Input 3"));
    QVERIFY(undo->isEnabled());
    undo->trigger();
    QVERIFY(!box(w, "ChkShift_2")->isChecked());
    QVERIFY(!w.config().configModified());
    QCOMPARE(redo->text(), QString("&Redo Shift on Input 3"));
    QVERIFY(redo->isEnabled() && !undo->isEnabled());

    box(w, "ChkAlt_0")->click();
    box(w, "ChkCtrl_1")->click();
    undo->trigger();
    m_access->setExchangeDelay(std::chrono::microseconds(200));
    bool restedDuringTransfer = false;
    QTimer::singleShot(5, [&] { restedDuringTransfer = !undo->isEnabled() && !redo->isEnabled(); });
    w.findChild<QAction*>("fsend")->trigger();
    QVERIFY(restedDuringTransfer);
    QVERIFY(undo->isEnabled() && redo->isEnabled());

    // A row's menu, here by the menu key: a role taken from another input says so, and undoes.
    w.config().setRole(0, PanelRole::of(1, PanelRole::Control::Up));
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2), QPoint(2, 2));
    QApplication::sendEvent(box(w, "ChkShift_2"), &menuKey);
    w.findChild<QAction*>("role_P1_UP")->trigger();
    QCOMPARE(undo->text(), QString("&Undo Player 1 Up on Input 3"));
    QCOMPARE(child<QStatusBar>(w, "StatusBar")->currentMessage(),
             QString("Player 1 Up moved from Input 1 to Input 3"));
    QTRY_COMPARE(child<QLabel>(w, "RoleLabel_2")->text(), QString("P1 Up"));
    m_dialogs->typed = {"Jump"};
    w.findChild<QAction*>("rolelabel")->trigger();
    QCOMPARE(m_dialogs->prompts, QStringList{"Label for Input 3:"});
    QCOMPARE(child<QLabel>(w, "RoleLabel_2")->text(), QString("P1 Up \u00b7 Jump"));
    undo->trigger();
    undo->trigger();
    QCOMPARE(w.config().slotWithRole(PanelRole::of(1, PanelRole::Control::Up)), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
