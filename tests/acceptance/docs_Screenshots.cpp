// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of docs/, taken from the real demo on the acceptance suite's display, so a
// picture shows the program as it is. Run by scripts/screenshots.sh, never by CTest: the
// suites prove the flows, this only photographs them.
#include "AcceptanceCase.h"

class docs_Screenshots : public AcceptanceCase {
    Q_OBJECT

    QString out(const QString& name) const {
        return qEnvironmentVariable("TARVENPAD_DOCS_DIR", QStringLiteral(PROJECT_DIR "/docs")) +
               QLatin1Char('/') + name;
    }
    // The whole screen, once the window manager and the program have settled.
    void shoot(const QString& name) {
        QTest::qWait(800);
        display->screenshot(out(name));
        QVERIFY2(QFileInfo::exists(out(name)), qPrintable(out(name)));
    }
    // One window's frame, as the window manager reports it for `title` or as `frame` gives it.
    void shootWindow(const QString& title, const QString& name, QRect frame = {}) {
        QTest::qWait(800);
        const QRect f = frame.isValid() ? frame : display->frameOf(title);
        QVERIFY2(f.isValid(), qPrintable(title));
        display->run(
            QStringLiteral("import"),
            {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
             QStringLiteral("%1x%2+%3+%4").arg(f.width()).arg(f.height()).arg(f.x()).arg(f.y()),
             QStringLiteral("+repage"), out(name)},
            20000);
        QVERIFY2(QFileInfo::exists(out(name)), qPrintable(out(name)));
    }
    // `unsaved`: the configuration shown is not in a file, and the read asks first.
    bool readSample(bool unsaved = false) {
        const QString choose = QStringLiteral("Multiple Units Detected!");
        if (!program->chooseMenu(QStringLiteral("file"), QStringLiteral("freceive")) ||
            (unsaved && (!program->waitForTitle(QStringLiteral("Save File?")) ||
                         program->answerMessage(QStringLiteral("&No")).isEmpty())) ||
            !program->waitForTitle(choose))
            return false;
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!program->click(QStringLiteral("SerialNo1"), QStringLiteral("frmMultiUnits")))
                return false;
            if (program->waitForTitle(choose, false, 2000))
                break;
        }
        return !program->answerMessage(QStringLiteral("OK")).isEmpty();
    }

private slots:
    // The main window with the sample read from unit 1, its menus in the bar.
    void mainWindow() {
        // The two-player preset names each input's control; the read then brings the unit's
        // keys and keeps those roles, as for a panel already labelled.
        QVERIFY(clickPreset(QStringLiteral("arcade-two-players")));
        QTest::qWait(500);
        QVERIFY(readSample(true));
        shoot(QStringLiteral("main-window.png"));
    }

    // The unit choice during a write, then the progress window while the write runs (the
    // demo's exchanges take as long as a real unit's, so it shows for a moment).
    void unitChoiceAndProgress() {
        QFile::remove(out(QStringLiteral("progress.png")));
        for (int attempt = 0; attempt < 5; ++attempt) {
            QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsend")));
            QVERIFY(program->waitForTitle(QStringLiteral("Multiple Units Detected!")));
            if (attempt == 0)
                shootWindow(QStringLiteral("Multiple Units Detected!"),
                            QStringLiteral("unit-choice.png"));
            QVERIFY(program->click(QStringLiteral("SerialNo2"), QStringLiteral("frmMultiUnits")));
            const bool writing = program->waitFor(
                [&](const QJsonObject&) {
                    return program->widget(QStringLiteral("lblStatus"))[QLatin1String("text")]
                        .toString()
                        .startsWith(QLatin1String("Writing configuration"));
                },
                3000);
            const QJsonObject f =
                program->window(QStringLiteral("frmStatus"))[QLatin1String("frame")].toObject();
            const QRect status(f[QLatin1String("x")].toInt() - 8, f[QLatin1String("y")].toInt() - 8,
                               f[QLatin1String("w")].toInt() + 16,
                               f[QLatin1String("h")].toInt() + 16);
            if (writing && status.width() > 16)
                display->run(QStringLiteral("import"),
                             {QStringLiteral("-window"), QStringLiteral("root"),
                              QStringLiteral("-crop"),
                              QStringLiteral("%1x%2+%3+%4")
                                  .arg(status.width())
                                  .arg(status.height())
                                  .arg(status.x())
                                  .arg(status.y()),
                              QStringLiteral("+repage"), out(QStringLiteral("progress.png"))},
                             20000);
            // The write ends with its message either way.
            QCOMPARE(program->answerMessage(QStringLiteral("OK")),
                     QStringLiteral("TARVEN-PAD Programmed Successfully"));
            if (writing && QFileInfo::exists(out(QStringLiteral("progress.png"))))
                return;
        }
        QFAIL("the progress window was never caught during a write");
    }

    // Test Inputs after Shift+1: Input 9 lit.
    void testInputs() {
        QVERIFY(readSample());
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("ttest")));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs")));
        QTest::qWait(600);
        display->key(QStringLiteral("shift+1"));
        QVERIFY(program->waitForTitle(QStringLiteral("Test Inputs - Input 9")));
        shootWindow(QStringLiteral("Test Inputs - Input 9"), QStringLiteral("test-inputs.png"));
    }

    // Identify Inputs on the sample: "4" pressed, Input 30's row highlighted beside the window.
    void identifyInputs() {
        QVERIFY(readSample());
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tidentify")));
        QVERIFY(chooseUnit(1));
        QVERIFY(!program->answerMessage(QStringLiteral("OK")).isEmpty());
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow")));
        QTest::qWait(600);
        display->key(QStringLiteral("4"));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->widget(QStringLiteral("identifyLastPress"))["text"].toString() ==
                   QLatin1String("Input 30");
        }));
        shoot(QStringLiteral("identify-inputs.png"));
        QVERIFY(program->click(QStringLiteral("identifyDone")));
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow"), false));
    }

    void keyWindow_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("1280x1024") << QSize(1280, 1024)
                                   << QStringList{QStringLiteral("key-window-1280x1024.png"),
                                                  QStringLiteral("key-selection.png")};
        QTest::newRow("1920x1080")
            << QSize(1920, 1080) << QStringList{QStringLiteral("key-window-1920x1080.png")};
    }
    void keyWindow() {
        QFETCH(QSize, screen);
        QFETCH(QStringList, names);
        program.reset();
        startDisplay(screen);
        startDemo();
        QVERIFY(program->click(QStringLiteral("SKey_0")));
        QVERIFY(waitForKeyWindow());
        for (const QString& name : names)
            shoot(name);
    }

    // Maximised at 800 x 600 with the rotary rows on and Tab on Rotary 5B.
    void smallScreen() {
        program.reset();
        startDisplay(QSize(800, 600));
        startDemo();
        QVERIFY(clickAndWait(QStringLiteral("Check4"), true));
        for (int tab = 0; tab < 200; ++tab) {
            if (program->snapshot()[QLatin1String("focus")].toString() == QLatin1String("Rkey_9"))
                break;
            display->key(QStringLiteral("Tab"));
            QTest::qWait(50);
        }
        QCOMPARE(program->snapshot()[QLatin1String("focus")].toString(), QStringLiteral("Rkey_9"));
        shoot(QStringLiteral("main-window-800x600.png"));
    }
};

QTEST_GUILESS_MAIN(docs_Screenshots)
#include "docs_Screenshots.moc"
