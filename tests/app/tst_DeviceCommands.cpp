// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeEncoder.h"
#include "FakeHidapi.h"
#include "FakeSysfs.h"
#include "ScriptedDialogs.h"
#include "app/MainWindow.h"
#include "app/Module1.h"
#include "device/EmulatedAccess.h"
#include "device/UnitSelector.h"
#include "hidraw/HidapiAccess.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using Icon = UserDialogs::Icon;

namespace {

// Waits for the unit-selection window and then clicks a unit button, or closes the window
// when `unit` is 0. Records the captions it saw.
struct UnitPicker {
    int unit = 0;
    QStringList captions;
    QString label;
    QString title;
    QWidget* owner = nullptr;
    QWindow* transientParent = nullptr;

    void arm() {
        QTimer::singleShot(10, [this] { poll(); });
    }
    void poll() {
        QWidget* window = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmMultiUnits" && w->isVisible() &&
                w->windowTitle() == "Multiple Units Detected!")
                window = w;
        if (!window) {
            arm();
            return;
        }
        title = window->windowTitle();
        owner = window->parentWidget();
        transientParent = window->windowHandle()->transientParent();
        label = window->findChild<QLabel*>("Label1")->text();
        for (int i = 1; i <= 4; ++i) {
            auto* b = window->findChild<QPushButton*>(QString("SerialNo%1").arg(i));
            if (b->isVisible())
                captions << b->text();
        }
        if (unit == 0)
            window->close();
        else
            window->findChild<QPushButton*>(QString("SerialNo%1").arg(unit))->click();
    }
};

// Offers the units like the selection window and lets something happen while it waits.
struct WaitingSelector : UnitSelector {
    std::function<void()> whileWaiting;
    int choice = 0;
    QStringList serials;
    void showDetecting() override {}
    int SelectMultiples(int count, const UnitSerials& offered) override {
        serials = QStringList(offered.begin(), offered.begin() + count);
        whileWaiting();
        return choice;
    }
};

} // namespace

class TestDeviceCommands : public QObject {
    Q_OBJECT
private slots:
    void write_data();
    void write();
    void writeDuringTransfer();
    void unitsChangeDuringChoice_data();
    void unitsChangeDuringChoice();
};

void TestDeviceCommands::write_data() {
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("pick"); // -1: no selection window expected
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("writtenUnit");
    QTest::newRow("success") << 1 << 0 << -1 << QStringList{"TARVEN-PAD Programmed Successfully"}
                             << 1;
    QTest::newRow("no unit") << 0 << 0 << -1 << QStringList{"Device Not Found"} << 0;
    QTest::newRow("I/O error at 50") << 1 << 50 << -1 << QStringList{"Device I/O Error"} << 0;
    QTest::newRow("two units, pick 2")
        << 2 << 0 << 2 << QStringList{"TARVEN-PAD Programmed Successfully"} << 2;
    QTest::newRow("four units, pick 4")
        << 4 << 0 << 4 << QStringList{"TARVEN-PAD Programmed Successfully"} << 4;
    QTest::newRow("selection closed") << 2 << 0 << 0 << QStringList{} << 0;
}

void TestDeviceCommands::write() {
    QFETCH(int, units);
    QFETCH(int, failAt);
    QFETCH(int, pick);
    QFETCH(QStringList, messages);
    QFETCH(int, writtenUnit);
    EmulatedAccess access(std::max(units, 1));
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    QVERIFY(w);
    access.setAttached(QList<int>{1, 2, 3, 4}.mid(0, units));
    access.failExchangeAt(failAt);
    w->config().setKeyCode(0, 0x29);
    w->config().setConfigModified(false);

    UnitPicker picker;
    picker.unit = std::max(pick, 0);
    if (pick >= 0)
        picker.arm();
    w->findChild<QAction*>("fsend")->trigger();

    QCOMPARE(dialogs.texts(), messages);
    for (const auto& shown : dialogs.shown) {
        const bool ok = shown.text.startsWith("TARVEN-PAD");
        QCOMPARE(shown.title, QString(ok ? "Programmed" : "Error"));
        QCOMPARE(shown.icon, ok ? Icon::Information : Icon::Exclamation);
        QCOMPARE(shown.buttons, UserDialogs::Buttons::Ok);
        QCOMPARE(shown.statusWindowVisible, !ok); // errors show over the progress window
    }
    if (pick >= 0) {
        QCOMPARE(picker.captions.size(), units);
        QCOMPARE(picker.captions.first(), QString("Unit 11"));
        QCOMPARE(picker.label, QString("Select Unit to Read"));
        // Owned by the main window, so it stays above it while the user chooses.
        QCOMPARE(picker.owner, w.get());
        QCOMPARE(picker.transientParent, w->windowHandle());
    }
    for (int u = 1; u <= 4; ++u)
        QCOMPARE(access.unit(u).closingWrites, u == writtenUnit ? 1 : 0);
    if (writtenUnit)
        QCOMPARE(int(access.unit(writtenUnit).memory.at(2)), 0x29);
    QCOMPARE(access.openUnits(), 0);
    QVERIFY(!w->config().configModified());
    QVERIFY(!w->transferRunning());
    for (QWidget* top : QApplication::topLevelWidgets())
        QVERIFY(!(top->objectName() == "frmStatus" && top->isVisible()));
}

// A second write (or a compare) asked for while one runs does not start, and closing waits for
// the end.
void TestDeviceCommands::writeDuringTransfer() {
    EmulatedAccess access(1);
    access.setExchangeDelay(std::chrono::microseconds(200));
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs});
    bool triedSecond = false, closeRefused = false;
    QTimer::singleShot(5, [&] {
        triedSecond = !w->findChild<QAction*>("fsend")->isEnabled() &&
                      !w->findChild<QAction*>("tcompare")->isEnabled();
        w->findChild<QAction*>("fsend")->trigger();
        closeRefused = !w->close();
    });
    w->findChild<QAction*>("fsend")->trigger();
    QVERIFY(triedSecond);
    QVERIFY(closeRefused);
    QCOMPARE(access.unit(1).closingWrites, 1);
    QCOMPARE(dialogs.texts(), QStringList{"TARVEN-PAD Programmed Successfully"});
    QTRY_VERIFY(!w->isVisible()); // the close asked for during the transfer happens after it
}

void TestDeviceCommands::unitsChangeDuringChoice_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("written"); // the node that received the image, if any
    QTest::newRow("nothing") << "" << 2 << "TARVEN-PAD Programmed Successfully"
                             << "/dev/hidraw5";
    QTest::newRow("encoder plugged in at hidraw4, unit 22 picked")
        << "plug" << 2 << "TARVEN-PAD Programmed Successfully"
        << "/dev/hidraw5";
    QTest::newRow("encoder plugged in at hidraw4, unit 11 picked")
        << "plug" << 1 << "TARVEN-PAD Programmed Successfully"
        << "/dev/hidraw3";
    QTest::newRow("unit 22 pulled out") << "unplug" << 2 << "Device Not Found"
                                        << "";
    QTest::newRow("unit 22 back at hidraw4") << "replug" << 2 << "Device Not Found"
                                             << "";
}

// Units at hidraw3 (serial 11) and hidraw5 (serial 22), and a change while the user chooses.
void TestDeviceCommands::unitsChangeDuringChoice() {
    QFETCH(QString, change);
    QFETCH(int, pick);
    QFETCH(QString, message);
    QFETCH(QString, written);
    fakehid::reset();
    FakeSysfs sysfs;
    auto& devices = fakehid::state().devices;
    devices = {fakeEncoder(3, '1'), fakeEncoder(5, '2')};
    sysfs.attach("hidraw3", "1-1", 3);
    sysfs.attach("hidraw5", "1-2", 5);
    HidapiAccess access(sysfs.root());
    ScriptedDialogs dialogs;
    WaitingSelector selector;
    selector.choice = pick;
    selector.whileWaiting = [&] {
        if (change == "unplug" || change == "replug") {
            devices[1].unplugged = true;
            sysfs.detach("hidraw5");
        }
        if (change == "plug" || change == "replug") {
            devices.append(fakeEncoder(4, change == "plug" ? '3' : '2'));
            sysfs.attach("hidraw4", change == "plug" ? "1-3" : "1-2", 7);
        }
    };
    auto w = Module1::Start(ProgrammerServices{access, dialogs, &selector});
    QVERIFY(w);
    w->findChild<QAction*>("fsend")->trigger();

    QCOMPARE(selector.serials, (QStringList{"11", "22"}));
    QCOMPARE(dialogs.texts(), QStringList{message});
    for (const auto& d : devices) {
        int data = 0;
        for (const QByteArray& report : d.written)
            data += quint8(report[1]) == 0x81;
        QCOMPARE(data, d.path == written ? 95 : 0);
    }
    QCOMPARE(fakehid::state().openHandles, 0);
}

QTEST_MAIN(TestDeviceCommands)
#include "tst_DeviceCommands.moc"
