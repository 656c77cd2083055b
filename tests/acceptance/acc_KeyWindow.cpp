// SPDX-License-Identifier: GPL-3.0-or-later
// The key selection window under a real mouse and keyboard: every way of choosing, and
// cancelling, lands in the saved file; the window fits the screen.
#include "AcceptanceCase.h"
#include "TpdImage.h"

class acc_KeyWindow : public AcceptanceCase {
    Q_OBJECT

    // Opens the key window from input row `slot`.
    bool openFor(int slot) {
        return program->click(QStringLiteral("SKey_%1").arg(slot)) && waitForKeyWindow();
    }
    bool closed() { return program->waitForWindow(QStringLiteral("Form2"), false); }
    bool pick(int slot, int button) {
        return openFor(slot) && program->click(QStringLiteral("CKey_%1").arg(button)) && closed();
    }
    QPoint keyCentre(int button) {
        return ProgramUnderTest::centre(program->widget(QStringLiteral("CKey_%1").arg(button)));
    }

private slots:
    void doubleClickOnAKeyButtonChoosesNothing() {
        QVERIFY(pick(19, 42)); // T
        // The key window comes up under the pointer between the two clicks, here 450 ms apart:
        // longer than Qt's double-click interval, within the one some desktops use.
        const QPoint p = ProgramUnderTest::centre(program->widget(QStringLiteral("SKey_19")));
        display->moveTo(p.x(), p.y());
        display->run(QStringLiteral("xdotool"),
                     {QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                      QStringLiteral("--delay"), QStringLiteral("450"), QStringLiteral("1")});
        QVERIFY(waitForKeyWindow());
        QVERIFY(program->click(QStringLiteral("CKey_108")) && closed());
        QCOMPARE(program->widget(QStringLiteral("SKey_19"))["text"].toString(),
                 QStringLiteral("T"));
    }

    void choosingByClickLandsInTheFile() {
        QVERIFY(pick(0, 38));  // Q
        QVERIFY(pick(1, 104)); // the left mouse button
        QVERIFY(pick(2, 23));  // &7
        QVERIFY(pick(3, 69));  // the quote key
        QVERIFY(pick(4, 102)); // keypad 0
        QVERIFY(pick(5, 59));  // A, then "Not Used"
        QVERIFY(pick(5, 107));
        QCOMPARE(program->widget(QStringLiteral("SKey_1"))["text"].toString(),
                 QStringLiteral("Left Mouse"));
        QCOMPARE(program->widget(QStringLiteral("SKey_2"))["text"].toString(),
                 QStringLiteral("&&7"));

        // Cancelling in each way keeps what the row had.
        QVERIFY(pick(6, 0)); // Esc
        QVERIFY(pick(6, 108));
        QVERIFY(pick(7, 1)); // F1
        QVERIFY(openFor(7));
        const QRect frame = display->frameOf(QStringLiteral("Key Selection"));
        QVERIFY(frame.isValid());
        display->click(frame.right() - 10, frame.top() + 10); // the close box
        QVERIFY(closed());
        QVERIFY(pick(8, 2)); // F2
        QVERIFY(openFor(8));
        display->key(QStringLiteral("Escape"));
        QVERIFY(closed());

        // A press released outside the key, and the other mouse buttons, pick nothing.
        QVERIFY(openFor(9));
        const QPoint q = keyCentre(38), away = keyCentre(107) + QPoint(0, 80);
        display->press(q.x(), q.y());
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->widget(QStringLiteral("CKey_38"))["text"].toString().isEmpty();
        }));
        display->moveTo(away.x(), away.y());
        display->release();
        for (int button : {2, 3}) {
            const QPoint w = keyCentre(39);
            display->click(w.x(), w.y(), button);
        }
        QTest::qWait(300);
        QVERIFY(!program->window(QStringLiteral("Form2")).isEmpty());
        QCOMPARE(program->widget(QStringLiteral("CKey_38"))["text"].toString(),
                 QStringLiteral("Q"));
        QCOMPARE(program->widget(QStringLiteral("CKey_39"))["text"].toString(),
                 QStringLiteral("W"));
        QVERIFY(program->click(QStringLiteral("CKey_108")) && closed());

        const QString path = program->workDir() + QStringLiteral("/picked.TPD");
        display->key(QStringLiteral("ctrl+s"));
        QVERIFY(program->enterFileName(path));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return TpdImage::read(path).valid; }));
        const TpdImage saved = TpdImage::read(path);
        const int expected[] = {0x14, 0xE8, 0x24, 0x34, 0x62, 0, 0x29, 0x3A, 0x3B, 0};
        for (int slot = 0; slot < int(std::size(expected)); ++slot)
            QCOMPARE(saved.key(slot), expected[slot]);
        display->key(QStringLiteral("ctrl+q"));
        QVERIFY(program->waitForExit());
        QCOMPARE(program->process().exitCode(), 0);
    }

    void windowFitsTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1280x1024") << QSize(1280, 1024);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }
    void windowFitsTheScreen() {
        QFETCH(QSize, screen);
        program.reset();
        startDisplay(screen);
        startDemo();
        QVERIFY(openFor(0));
        const int height = int(std::lround(screen.width() / 27.0 * 8));
        QRect frame;
        // The frame's extents arrive after the window is mapped; the window fits again then.
        const bool fits = program->waitFor([&](const QJsonObject&) {
            frame = display->frameOf(QStringLiteral("Key Selection"));
            return frame.left() == 0 && frame.width() == screen.width() &&
                   std::abs(frame.height() - height) <= 1 &&
                   std::abs(frame.top() - (screen.height() / 2 - height / 2)) <= 1;
        });
        QVERIFY2(fits, qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                      .arg(frame.x())
                                      .arg(frame.y())
                                      .arg(frame.width())
                                      .arg(frame.height())));
        const QJsonObject r = program->widget(QStringLiteral("CKey_106"));
        QVERIFY(r["x"].toInt() + r["w"].toInt() <= screen.width());
        // "Q" and the mouse button "L" are drawn at the same size.
        QCOMPARE(program->widget(QStringLiteral("CKey_38"))["font"].toDouble(),
                 program->widget(QStringLiteral("CKey_104"))["font"].toDouble());
        display->key(QStringLiteral("Escape"));
        QVERIFY(closed());
    }
};

QTEST_GUILESS_MAIN(acc_KeyWindow)
#include "acc_KeyWindow.moc"
