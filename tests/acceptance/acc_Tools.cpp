// SPDX-License-Identifier: GPL-3.0-or-later
// The Tools menu under a real keyboard and mouse: the input test lights what the demo's
// sample assigns, Compare tells a matching unit from a different one, and a write with
// Verify After Writing on reads the unit back. A preset fills the rows as one undo step,
// and Export Legend writes what they send through the real save dialog. Keys From An
// Emulator gives the preset's roles an emulator's keys, which its export and the .TPD hold.
#include "AcceptanceCase.h"
#include "TpdImage.h"

#include <QFileInfo>

class acc_Tools : public AcceptanceCase {
    Q_OBJECT

    // Chooses a unit in the unit-selection window; the final message's text.
    QString transfer(const QString& menu, const QString& item, int unit, QString* title = nullptr) {
        if (!program->chooseMenu(menu, item) || !chooseUnit(unit))
            return {};
        return program->answerMessage(QStringLiteral("OK"), title);
    }
    QString status() {
        return program->widget(QStringLiteral("lblTestStatus"))[QLatin1String("text")].toString();
    }
    bool waitActive(const QString& name) {
        return program->waitFor([&](const QJsonObject&) {
            return program->window(name)[QLatin1String("active")].toBool();
        });
    }
    void readSample() {
        QCOMPARE(transfer(QStringLiteral("file"), QStringLiteral("freceive"), 1),
                 QStringLiteral("Configuration File Read Successfully From The TARVENPAD Device"));
    }

    QJsonValue key(int row) {
        return program->widget(QStringLiteral("SKey_%1").arg(row))[QLatin1String("text")];
    }
    // Enter in the window `name` once it takes input.
    bool enterIn(const QString& name) {
        const bool up = waitActive(name);
        display->key(QStringLiteral("Return"));
        return up && program->waitForWindow(name, false);
    }

private slots:
    void testInputsLightsTheSample() {
        readSample();
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("ttest")));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs")));
        QVERIFY(waitActive(QStringLiteral("frmTestInputs")));

        display->key(QStringLiteral("Escape"));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs - Input 11")));
        QCOMPARE(status(), QStringLiteral("Input 11: Esc"));
        display->key(QStringLiteral("Left"));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs - Input 3")));
        QCOMPARE(status(), QStringLiteral("Input 3, Rotary 1A: Left Arrow"));
        display->key(QStringLiteral("q"));
        QVERIFY(program->waitFor(
            [&](const QJsonObject&) { return status() == QStringLiteral("not assigned: Q"); }));
        QVERIFY(program->click(QStringLiteral("TestTile_20"), {}, 3));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs - Input 14")));
        display->key(QStringLiteral("shift+1"));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs - Input 9")));
        QCOMPARE(program->widget(QStringLiteral("TestTile_8"))[QLatin1String("text")].toString(),
                 QStringLiteral("Input 9\nShift + !1\n\u00d71"));
        display->screenshot(QStringLiteral(SHOT_DIR "/test-inputs.png"));
        display->key(QStringLiteral("ctrl+alt")); // Left Alt while Left Control is held
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs - Input 6")));
        const QPoint banner = ProgramUnderTest::centre(program->widget(QStringLiteral("Picture2")));
        display->click(banner.x(), banner.y());
        QTest::qWait(500);
        QVERIFY(above(QStringLiteral("Test Inputs - Input 6"), MainTitle));
        QVERIFY(program->click(QStringLiteral("TestReset")));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs")));
        QCOMPARE(program->widget(QStringLiteral("TestTile_8"))[QLatin1String("text")].toString(),
                 QStringLiteral("Input 9\nShift + !1"));
    }

    void keysReachAPresetAndTwoButtonsLightTogether() {
        // Alt+T, R for Presets, A for "Arcade, one player"; Alt+T, T for Test Inputs.
        display->run(QStringLiteral("xdotool"),
                     QStringLiteral("key --delay 300 alt+t r a alt+t t").split(QLatin1Char(' ')));
        QVERIFY(waitActive(QStringLiteral("frmTestInputs")));
        display->key(QStringLiteral("ctrl+z")); // Input 5 held down, then Input 9
        // The preset names the inputs' controls, and the window names the inputs by them.
        QVERIFY(program->waitFor(
            [&](const QJsonObject&) { return status() == "Input 9 \u00b7 Player 1 Button 5: Z"; }));
        QVERIFY(
            program->widget(QStringLiteral("TestTile_4"))["text"].toString().endsWith("\u00d71"));
    }

    void progressStaysAndEnterChoosesTheUnit() {
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsend")));
        QVERIFY(program->waitForTitle(QStringLiteral("Multiple Units Detected!")));
        // Under the unit window: brought forward as a taskbar would. It takes no input while
        // the unit is chosen, and the choice still does.
        display->run(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--name"),
                      QStringLiteral("^TARVENPAD Programmer$"), QStringLiteral("windowactivate")});
        QTest::qWait(500);
        QVERIFY(!program->window(QStringLiteral("frmStatus")).isEmpty());
        const QJsonObject units = program->window(QStringLiteral("frmMultiUnits"));
        display->click(units["x"].toInt() + 8, units["y"].toInt() + 8); // clear of the progress

        QVERIFY(waitActive(QStringLiteral("frmMultiUnits")));
        // The window manager's focus follows the click a moment later: a Tab before that is lost.
        bool second = false;
        for (int attempt = 0; attempt < 3 && !second; ++attempt) {
            display->key(QStringLiteral("Tab"));
            second = program->waitFor(
                [&](const QJsonObject& s) {
                    return s[QLatin1String("focus")].toString() == QLatin1String("SerialNo2");
                },
                3000);
        }
        QVERIFY(second);
        display->key(QStringLiteral("Return"));
        QCOMPARE(program->answerMessage(QStringLiteral("OK")),
                 QStringLiteral("TARVEN-PAD Programmed Successfully"));
        QVERIFY(program->waitForWindow(QStringLiteral("frmStatus"), false));
    }

    void compareAndVerify() {
        readSample();
        QString title;
        QCOMPARE(transfer(QStringLiteral("tools"), QStringLiteral("tcompare"), 1, &title),
                 QStringLiteral("The TARVEN-PAD holds this configuration."));
        QCOMPARE(title, QStringLiteral("Compare"));
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tcompare")));
        QVERIFY(program->waitForTitle(QStringLiteral("Multiple Units Detected!")));
        QVERIFY(program->click(QStringLiteral("SerialNo2"), QStringLiteral("frmMultiUnits")));
        QString details; // all 21 differences, in a window of their own
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return !(details = program->widget(QStringLiteral("MessageDetails"))["text"].toString())
                        .isEmpty();
        }));
        QCOMPARE(details.split(QLatin1Char('\n')).size(), 21);
        QVERIFY(details.startsWith(QStringLiteral("Input 1: Up Arrow (repeat) | Not Used\n")));
        QVERIFY(details.endsWith(QStringLiteral("Rotary-5 on AUX: on | off")));
        // The list has the keys, and Enter still answers OK.
        QVERIFY(waitActive(QStringLiteral("MessageList")));
        QVERIFY(program->waitFor([&](const QJsonObject& s) {
            return s[QLatin1String("focus")].toString() == QLatin1String("MessageDetails");
        }));
        display->key(QStringLiteral("Next"));
        // Resized through the window manager, as by dragging its frame: the window follows.
        const int tall = program->window(QStringLiteral("MessageList"))["h"].toInt();
        display->run(QStringLiteral("xdotool"), {"search", "--name", "^Compare$", "windowsize",
                                                 "420", QString::number(tall / 2)});
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->window(QStringLiteral("MessageList"))["h"].toInt() < tall * 3 / 4;
        }));
        display->key(QStringLiteral("Return"));
        QVERIFY(program->waitForWindow(QStringLiteral("MessageList"), false));

        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tverify")));
        // Open the menu again to see the item checked, and close it.
        const QPoint tools = ProgramUnderTest::centre(program->action(QStringLiteral("tools")));
        display->click(tools.x(), tools.y());
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->action(QStringLiteral("tverify"))[QLatin1String("checked")].toBool();
        }));
        display->key(QStringLiteral("Escape"));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->action(QStringLiteral("tverify")).isEmpty();
        }));
        QCOMPARE(transfer(QStringLiteral("file"), QStringLiteral("fsend"), 2),
                 QStringLiteral("TARVEN-PAD Programmed Successfully"));
        QCOMPARE(transfer(QStringLiteral("tools"), QStringLiteral("tcompare"), 2),
                 QStringLiteral("The TARVEN-PAD holds this configuration."));
    }

    QString pdfText(const QString& pdf) {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {"-raw", pdf, "-"});
        pdftotext.waitForFinished();
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    }

    // The real print dialog, printing to a PDF file as it offers without a printer.
    void printLegend() {
        const QString pdf = path(QStringLiteral("printed.pdf"));
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tprint")));
        QVERIFY(program->click(QStringLiteral("filename")));
        display->key(QStringLiteral("ctrl+a"));
        display->type(pdf);
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->widget(QStringLiteral("filename"))[QLatin1String("text")] == pdf;
        }));
        display->key(QStringLiteral("Return"));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return QFileInfo(pdf).size() > 0; }));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return pdfText(pdf).contains(QLatin1String("Input 36 Not Used"));
        }));
    }

    void presetAndLegend() {
        QVERIFY(clickPreset(QStringLiteral("arcade-two-players")));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return key(24) == "Esc"; }));

        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("texport")));
        QVERIFY(program->enterFileName(path(QStringLiteral("panel.pdf"))));
        QVERIFY(program->waitFor(
            [&](const QJsonObject&) { return QFileInfo(path("panel.pdf")).size() > 0; }));
        const QString text = pdfText(path("panel.pdf"));
        for (const char* words : {"Unsaved configuration", "Input 12 %5", "Input 25 Esc"})
            QVERIFY2(text.contains(QLatin1String(words)), qPrintable(text));

        QVERIFY(program->chooseMenu(QStringLiteral("edit"), QStringLiteral("eundo")));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return key(24) == "Not Used"; }));
    }

    void emulatorKeysReachTheFiles() {
        QVERIFY(clickPreset(QStringLiteral("arcade-two-players")));
        // RetroArch's keys (its Button 1 is Z), then MAME's, past the roles they leave alone.
        for (const QString sent : {"Z", "Left Control"}) {
            QVERIFY(
                program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tkeysfromemulator")));
            QVERIFY(waitActive(QStringLiteral("ItemDialog")));
            display->key(sent == "Z" ? QStringLiteral("Down") : QStringLiteral("Home"));
            QVERIFY(enterIn(QStringLiteral("ItemDialog")) &&
                    enterIn(QStringLiteral("MessageList")));
            QVERIFY(program->waitFor([&](const QJsonObject&) { return key(4) == sent; }));
        }
        // Past the warning on Player 2's Button 6, which has no MAME key.
        const QString cfg = path(QStringLiteral("panel.cfg"));
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fexportmame")));
        QVERIFY(enterIn(QStringLiteral("MessageList")) && program->enterFileName(cfg));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return QFileInfo(cfg).size() > 0; }));
        display->key(QStringLiteral("ctrl+s"));
        const QString tpd = path(QStringLiteral("panel.TPD"));
        QVERIFY(waitActive(QStringLiteral("SaveDialog")) && program->enterFileName(tpd));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return TpdImage::read(tpd).valid; }));
        QFile file(cfg);
        const QRegularExpression port(QStringLiteral(
            R"(<port type="P1_BUTTON1">\s*<newseq type="standard">\s*KEYCODE_LCONTROL\s*<)"));
        QVERIFY(file.open(QIODevice::ReadOnly) && port.match(file.readAll()).hasMatch());
        const TpdImage image = TpdImage::read(tpd);
        const int slot = image.roles.key(QStringLiteral("P1_BUTTON1"), -1);
        // Left Control, with neither modifiers nor repeat.
        QCOMPARE(std::pair(image.key(slot), image.modifiers(slot)), std::pair(0xE0, 8));
    }
};

QTEST_GUILESS_MAIN(acc_Tools)
#include "acc_Tools.moc"
