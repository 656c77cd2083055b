// SPDX-License-Identifier: GPL-3.0-or-later
// The real programmer (not the demo) on Xvfb and openbox inside the VM, on units the kernel
// sees as USB devices, driven by real clicks as the acceptance suite drives it.
#include "AcceptanceCase.h"
#include "FirmwareUnit.h"
#include "TpdImage.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <chrono>
#include <memory>
#include <numeric>

namespace {

const QString Written = QStringLiteral("TARVEN-PAD Programmed Successfully");
const QString Read =
    QStringLiteral("Configuration File Read Successfully From The TARVENPAD Device");
const QString NotFound = QStringLiteral("Device Not Found");

// What the window sends for a new configuration with Shift and F1 on Input 6.
QByteArray shiftF1OnInput6() {
    QByteArray image(94, 0);
    for (int slot = 0; slot < 46; ++slot)
        image[2 * slot] = 8;
    image[10] = 2 | 8;
    image[11] = 0x3A;
    return image;
}

} // namespace

class KernelWindow : public AcceptanceCase {
    Q_OBJECT

    std::unique_ptr<FirmwareUnit> first, second;

public:
    // Identifying 46 presses and two whole writes take minutes in an emulated VM, longer
    // than QtTest's default five for a case.
    KernelWindow() { qputenv("QTEST_FUNCTION_TIMEOUT", "1200000"); }

private:
    void start() { startProgram(QStringLiteral(PROGRAMMER)); }
    // Sets Shift and F1 on Input 6 with real clicks.
    bool editInput6() {
        return clickAndWait(QStringLiteral("ChkShift_5"), true) &&
               program->click(QStringLiteral("SKey_5")) && waitForKeyWindow() &&
               program->click(QStringLiteral("CKey_1")) &&
               program->waitForWindow(QStringLiteral("Form2"), false);
    }
    // Chooses `item` and, in the unit window, the unit with this serial number; returns once
    // the transfer is over (an emulated machine shared with other suites can be slow).
    bool chooseUnit(const QString& item, const FirmwareUnit& unit) {
        return program->chooseMenu(QStringLiteral("file"), item) &&
               program->waitForTitle(QStringLiteral("Multiple Units Detected!"), true, 60000) &&
               clickUnit(unit);
    }
    // Waits out a transfer (an emulated machine is slow) until a message box shows.
    bool waitForMessage() {
        return program->waitFor(
            [](const QJsonObject& s) {
                for (const QJsonValue& w : s["windows"].toArray())
                    if (w["class"].toString() == QLatin1String("QMessageBox"))
                        return true;
                return false;
            },
            180000);
    }
    bool clickUnit(const FirmwareUnit& unit) {
        return program->clickText(QStringLiteral("Unit ") + unit.serialText(),
                                  QStringLiteral("frmMultiUnits")) &&
               program->waitForWindow(QStringLiteral("frmStatus"), false, 180000);
    }

private slots:
    void init() {
        first = std::make_unique<FirmwareUnit>(0, QStringLiteral("0417"));
        second = std::make_unique<FirmwareUnit>(1, QStringLiteral("1293"), QStringList{},
                                                randomImage(3));
        QVERIFY(first->plugged() && second->plugged());
    }
    void cleanup() {
        AcceptanceCase::cleanup();
        first.reset();
        second.reset();
    }

    // Write To TARVENPAD to the unit chosen by its serial number, then Read From TARVENPAD
    // from the other: the firmware's memory is the window's configuration, and the rows show
    // what the other unit holds.
    void writeAndRead() {
        start();
        QVERIFY(editInput6());
        QVERIFY(chooseUnit(QStringLiteral("fsend"), *first));
        QCOMPARE(program->answerMessage(QStringLiteral("OK")), Written);
        QCOMPARE(first->memory(), shiftF1OnInput6());
        QVERIFY(second->requests().filter("store").isEmpty());

        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("freceive")));
        QCOMPARE(program->answerMessage(QStringLiteral("&No")),
                 QStringLiteral("Do You Want To Save This File?"));
        QVERIFY(program->waitForTitle(QStringLiteral("Multiple Units Detected!"), true, 60000));
        QVERIFY(clickUnit(*second));
        QCOMPARE(program->answerMessage(QStringLiteral("OK")), Read);
        const QString saved = path(QStringLiteral("read.TPD"));
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsaveas")));
        QVERIFY(program->enterFileName(saved));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return TpdImage::read(saved).valid; }));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), tpdFile(second->memory()));
    }

    // The chosen unit pulled out while the unit window waits, or replaced by another unit:
    // "Device Not Found", and nothing is written to the newcomer.
    void unitGoneDuringChoice_data() {
        QTest::addColumn<bool>("replaced");
        QTest::newRow("pulled out") << false;
        QTest::newRow("replaced by another") << true;
    }
    void unitGoneDuringChoice() {
        QFETCH(bool, replaced);
        start();
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsend")));
        QVERIFY(program->waitForTitle(QStringLiteral("Multiple Units Detected!"), true, 60000));
        const QString serial = first->serialText();
        first->unplug();
        if (replaced) {
            first = std::make_unique<FirmwareUnit>(0, QStringLiteral("0417"));
            QVERIFY(first->plugged());
        }
        QVERIFY(
            program->clickText(QStringLiteral("Unit ") + serial, QStringLiteral("frmMultiUnits")));
        QCOMPARE(program->answerMessage(QStringLiteral("OK")), NotFound);
        if (replaced)
            QVERIFY(first->requests().filter("store").isEmpty());
        QVERIFY(second->requests().filter("store").isEmpty());
    }

    // A unit that takes no requests: "Device I/O Error" after the program's own reply
    // time-out rather than never; how long it took is printed, not asserted.
    void silentUnit() {
        second.reset();
        first = std::make_unique<FirmwareUnit>(0, QStringLiteral("0417"), QStringList{"--deaf"});
        QVERIFY(first->plugged());
        start();
        QElapsedTimer t;
        t.start();
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsend")));
        QCOMPARE(program->answerMessage(QStringLiteral("OK")), QStringLiteral("Device I/O Error"));
        qInfo("the silent unit's error came %lld ms after Write was chosen", t.elapsed());
    }

    // Identify Inputs on a unit that presses its inputs through its own keyboard interface:
    // every slot, pressed in a random order, is named and an input's row is highlighted. The
    // unit pulled out before Done and plugged in again is offered its own configuration
    // back, and then holds it byte for byte.
    void identifiesByPresses() {
        second.reset();
        QByteArray own = randomImage(4);
        own[92] = char(own[92] | 8); // Rotary-5 on AUX: 46 slots
        first = std::make_unique<FirmwareUnit>(0, "0417", QStringList{"--keyboard"}, own);
        QVERIFY(first->plugged());
        start();
        // The rotary rows shown, so that a rotary slot's highlight reaches the screen too.
        QVERIFY(clickAndWait(QStringLiteral("Check4"), true));
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tidentify")));
        QVERIFY(waitForMessage());
        QVERIFY(program->answerMessage(QStringLiteral("OK")).startsWith("To tell the inputs"));
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow"), true, 180000));
        const auto text = [&](const char* name) {
            return program->widget(name)["text"].toString();
        };
        QVERIFY(text("identifySource").startsWith("Presses are read from the unit itself"));

        QList<int> order(46);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), QRandomGenerator(7));
        QList<double> latencies;
        for (const int slot : order) {
            const int j = slot - 36;
            const QString name = slot < 36 ? QStringLiteral("Input %1").arg(slot + 1)
                                           : QStringLiteral("Rotary %1%2")
                                                 .arg(j / 2 + 1)
                                                 .arg(QLatin1Char(j % 2 ? 'B' : 'A'));
            const QString panel = slot < 36 ? "PicInner" : "RPicInner";
            const int row = slot < 36 ? slot : j;
            const double painted = program->widget(panel)["highlightPaintedAt"].toDouble();
            QVERIFY(first->press(slot));
            QVERIFY2(program->waitFor([&](const QJsonObject&) {
                const QJsonObject shown = program->widget(panel);
                return text("identifyLastPress") == name &&
                       shown["highlightedRow"].toInt(-1) == row &&
                       shown["highlightPaintedAt"].toDouble() > painted;
            }),
                     qPrintable(name));
            // Both clocks are the VM's monotonic one: the firmware's log line is written as the
            // report leaves, the panel notes when its highlight was painted.
            latencies << program->widget(panel)["highlightPaintedAt"].toDouble() -
                             first->timedRequests().last().first;
        }
        std::sort(latencies.begin(), latencies.end());
        qInfo("press to highlighted row painted: median %.1f ms, worst %.1f ms of %lld",
              latencies[latencies.size() / 2], latencies.last(), latencies.size());

        const QByteArray identifying = first->memory();
        first->unplug();
        QVERIFY(program->click(QStringLiteral("identifyDone")));
        QVERIFY(program->answerMessage(QStringLiteral("OK")).contains("could not be put back"));
        first = std::make_unique<FirmwareUnit>(0, "0417", QStringList{"--keyboard"}, identifying);
        QVERIFY(first->plugged() && waitForMessage());
        QVERIFY(program->answerMessage(QStringLiteral("&Yes"))
                    .endsWith("Put it back onto that "
                              "unit now?"));
        QVERIFY(waitForMessage());
        QVERIFY(program->answerMessage(QStringLiteral("OK")).endsWith("own configuration again."));
        QCOMPARE(first->memory(), own);
    }
};

QTEST_MAIN(KernelWindow)
#include "kern_Window.moc"
