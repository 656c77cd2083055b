// SPDX-License-Identifier: GPL-3.0-or-later
// The main window under a real window manager, mouse and keyboard: its restored size, the
// About window's place, the unit choice staying in reach and alone taking input, the keyboard
// choosing a key, Tab reaching every row, and roles set from the rows by mouse and keyboard.
#include "AcceptanceCase.h"
#include "TpdImage.h"

class acc_MainWindow : public AcceptanceCase {
    Q_OBJECT

    QJsonObject clientArea() const { return program->widget(QStringLiteral("Form1Client")); }
    QSize sizeOf(const QJsonObject& o) const {
        return {o[QLatin1String("w")].toInt(), o[QLatin1String("h")].toInt()};
    }
    // Restores the maximised window by a double click on its title bar.
    bool restore() {
        const QRect frame = display->frameOf(MainTitle);
        if (!frame.isValid())
            return false;
        display->moveTo(frame.center().x(), frame.top() + 8);
        display->run(QStringLiteral("xdotool"),
                     {QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                      QStringLiteral("--delay"), QStringLiteral("100"), QStringLiteral("1")});
        return program->waitFor(
            [&](const QJsonObject&) { return sizeOf(clientArea()).width() < 1000; });
    }
    void pressTimes(const QString& key, int times) {
        QStringList args{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")};
        for (int i = 0; i < times; ++i)
            args << key;
        display->run(QStringLiteral("xdotool"), args, 30000);
    }
    // Presses `key` until the focus is on `name`; false after `limit` presses.
    bool tabTo(const QString& key, const QString& name, int limit = 200) {
        for (int i = 0; i < limit; ++i) {
            if (program->snapshot()[QLatin1String("focus")].toString() == name)
                return true;
            display->key(key);
            program->waitFor([](const QJsonObject&) { return false; }, 60);
        }
        return false;
    }
    bool focusAfter(const char* key, const char* name) {
        display->key(QString::fromLatin1(key));
        return program->waitFor([&](const QJsonObject& s) { return s["focus"] == name; }, 5000);
    }
    int panelTop() const { return program->widget(QStringLiteral("PicInner"))["y"].toInt(); }
    QRect rectOf(const QJsonObject& o) const {
        return {o["x"].toInt(), o["y"].toInt(), o["w"].toInt(), o["h"].toInt()};
    }

    // The rest of the suite runs on an 800 x 600 screen.
    void onSmallScreen() {
        if (display->screen() == QSize(800, 600))
            return;
        program.reset();
        startDisplay({800, 600});
        startDemo();
    }
    bool fitsTheScreen(const QRect& r) const { return QRect(0, 0, 800, 600).contains(r); }
    // A menu item once its menu shows it; empty if it never does.
    QJsonObject waitForAction(const QString& name) {
        QJsonObject a;
        program->waitFor([&](const QJsonObject&) { return !(a = program->action(name)).isEmpty(); },
                         5000);
        return a;
    }
    bool clickAction(const QString& name) {
        const QJsonObject a = waitForAction(name);
        const QPoint p = ProgramUnderTest::centre(a);
        display->click(p.x(), p.y());
        return !a.isEmpty();
    }
    bool waitForText(const QString& name, const QString& text) {
        return program->waitFor(
            [&](const QJsonObject&) { return program->widget(name)["text"].toString() == text; });
    }
    // Ctrl+S into the Save As dialog, and `path` typed there; true once the file is written.
    bool saveAs(const QString& path) {
        display->key(QStringLiteral("ctrl+s"));
        // Typed into the dialog only once it takes input; sooner the name is lost.
        return program->waitFor([&](const QJsonObject&) {
            return program->window(QStringLiteral("SaveDialog"))["active"].toBool();
        }) && program->enterFileName(path) &&
               program->waitFor([&](const QJsonObject&) { return TpdImage::read(path).valid; });
    }

private slots:
    void restoredSizeIsTheDesignSize() {
        QVERIFY(restore());
        QVERIFY(program->waitFor(
            [&](const QJsonObject&) { return sizeOf(clientArea()) == QSize(751, 628); }));
        // The X window holds the menu bar above the client area.
        const QString info =
            display->run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId(MainTitle)});
        QVERIFY(info.contains(QLatin1String("Width: 751")));
    }

    void aboutIsCentredByItsFrame() {
        QVERIFY(program->chooseMenu(QStringLiteral("about"), QStringLiteral("aabout")));
        QVERIFY(program->waitForTitle(QStringLiteral("About TARVEN-PAD Programmer")));
        const QPoint screenCentre(display->screen().width() / 2, display->screen().height() / 2);
        QRect frame;
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            frame = display->frameOf(QStringLiteral("About TARVEN-PAD Programmer"));
            const QPoint off = frame.center() - screenCentre;
            return frame.isValid() && qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1;
        }));
        QVERIFY(frame.height() > 209); // the title bar counts
        QVERIFY(program->clickText(QStringLiteral("OK")));
        QVERIFY(program->waitForTitle(QStringLiteral("About TARVEN-PAD Programmer"), false));
    }

    void unitChoiceStaysAboveTheMainWindow() {
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsend")));
        QVERIFY(program->waitForTitle(QStringLiteral("Multiple Units Detected!")));
        // A click on the maximised main window must not bury the choice.
        const QPoint banner = ProgramUnderTest::centre(program->widget(QStringLiteral("Picture2")));
        display->click(banner.x(), banner.y());
        // Nor does the main window take an edit the unit would not get.
        const QPoint shift =
            ProgramUnderTest::centre(program->widget(QStringLiteral("ChkShift_5")));
        display->click(shift.x(), shift.y());
        QTest::qWait(500);
        QVERIFY(above(QStringLiteral("Multiple Units Detected!"), MainTitle));
        QVERIFY(program->click(QStringLiteral("SerialNo2"), QStringLiteral("frmMultiUnits")));
        QCOMPARE(program->answerMessage(QStringLiteral("OK")),
                 QStringLiteral("TARVEN-PAD Programmed Successfully"));
        QVERIFY(!checked(QStringLiteral("ChkShift_5")));
    }

    void enterChoosesAKeyAndTabGoesOnFromIt() {
        QVERIFY(tabTo(QStringLiteral("Tab"), QStringLiteral("SKey_2")));
        display->key(QStringLiteral("Return"));
        QVERIFY(waitForKeyWindow() && focusAfter("Tab", "CKey_0") && focusAfter("Tab", "CKey_1"));
        // Opened by the keyboard, the window gives the focus back to the button; Tab goes on.
        QVERIFY(focusAfter("Return", "SKey_2") && focusAfter("Tab", "ChkRepeat_3"));
        QCOMPARE(program->widget(QStringLiteral("SKey_2"))["text"].toString(),
                 QStringLiteral("F1"));
    }

    void keyboardAloneChoosesKeys_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1024x768") << QSize(1024, 768);
    }
    void keyboardAloneChoosesKeys() {
        QFETCH(QSize, screen);
        program.reset();
        startDisplay(screen);
        startDemo();
        // Esc gives the focus back to the button, with its frame: Space opens the window again.
        QVERIFY(tabTo(QStringLiteral("Tab"), QStringLiteral("SKey_0")));
        display->key(QStringLiteral("space"));
        QVERIFY(waitForKeyWindow());
        QVERIFY(focusAfter("Escape", "SKey_0"));
        QVERIFY(program->snapshot()["focusRing"].toBool());
        display->key(QStringLiteral("space"));
        QVERIFY(waitForKeyWindow());
        // The arrows go over the drawn keyboard: Esc, the ~ key, Tab, Q, and A below Q.
        for (const auto& [key, name] : {std::pair{"Right", "CKey_0"},
                                        {"Down", "CKey_16"},
                                        {"Down", "CKey_37"},
                                        {"Right", "CKey_38"},
                                        {"Down", "CKey_59"}})
            QVERIFY2(focusAfter(key, name), name);
        // A typed letter moves to its key; Return chooses it.
        QVERIFY(focusAfter("l", "CKey_67") && focusAfter("Return", "SKey_0"));
        QVERIFY(tabTo(QStringLiteral("Tab"), QStringLiteral("SKey_1")));
        display->key(QStringLiteral("space"));
        QVERIFY(waitForKeyWindow() && focusAfter("q", "CKey_38") && focusAfter("space", "SKey_1"));

        const QString path = program->workDir() + QStringLiteral("/typed.TPD");
        QVERIFY(saveAs(path));
        const TpdImage saved = TpdImage::read(path);
        QCOMPARE(saved.key(0), 0x0F); // L
        QCOMPARE(saved.key(1), 0x14); // Q
    }

    void tabScrollsAHiddenRowIntoView() {
        QVERIFY(restore());
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->widget(QStringLiteral("VScroll1"))["maximum"].toInt() > 0;
        }));
        const QRect view = rectOf(program->widget(QStringLiteral("PicEdgeClient")));
        const int visibleRows = view.height() / 25;
        const QString firstHidden = QStringLiteral("ChkRepeat_%1").arg(visibleRows);
        QCOMPARE(panelTop() - view.y(), 0);
        pressTimes(QStringLiteral("Tab"), 5 * visibleRows - 5);
        QVERIFY(tabTo(QStringLiteral("Tab"), firstHidden));
        // One whole row further down, and the focused box is inside the view.
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return view.y() - panelTop() == 25 &&
                   view.contains(rectOf(program->widget(firstHidden)));
        }));
        QCOMPARE(program->widget(QStringLiteral("VScroll1"))["value"].toInt(), 1);

        // Back up to the first row: the panel follows to the top.
        pressTimes(QStringLiteral("shift+Tab"), 5 * visibleRows - 5);
        QVERIFY(tabTo(QStringLiteral("shift+Tab"), QStringLiteral("ChkRepeat_0")));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return panelTop() == view.y(); }));
        QCOMPARE(program->widget(QStringLiteral("VScroll1"))["value"].toInt(), 0);
    }

    void smallScreenReachesTheRotaryRows() {
        onSmallScreen();
        QVERIFY(clickAndWait(QStringLiteral("Check4"), true));
        // Tab brings Rotary 5B into view; a click on it then chooses its key.
        QVERIFY(tabTo(QStringLiteral("Tab"), QStringLiteral("Rkey_9")));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            const QJsonObject key = program->widget(QStringLiteral("Rkey_9"));
            // Its last pixel column lies outside the rotary panel by design.
            return rectOf(key["shown"].toObject()) == rectOf(key).adjusted(0, 0, -1, 0) &&
                   fitsTheScreen(rectOf(key));
        }));
        display->screenshot(QStringLiteral(SHOT_DIR "/main-window-800x600.png"));
        QVERIFY(program->click(QStringLiteral("Rkey_9")) && waitForKeyWindow());
        QVERIFY(program->click(QStringLiteral("CKey_42"))); // T
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->widget(QStringLiteral("Rkey_9"))["text"].toString() == "T";
        }));
    }

    void smallScreenRestoredFitsAndTheWheelScrolls() {
        onSmallScreen();
        QVERIFY(restore());
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return sizeOf(clientArea()).width() == 751 &&
                   fitsTheScreen(display->frameOf(MainTitle));
        }));
        // The wheel over a row's check box scrolls the rows.
        const QPoint box = ProgramUnderTest::centre(program->widget(QStringLiteral("ChkShift_2")));
        display->moveTo(box.x(), box.y());
        display->run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("5")});
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->widget(QStringLiteral("VScroll1"))["value"].toInt() > 0;
        }));
    }

    void rolesFromTheRowsReachTheFile() {
        onSmallScreen();
        QVERIFY(clickAndWait(QStringLiteral("Check4"), true));
        // By the mouse: a right click on Input 3's label, then Player 1, Player 1 Up.
        QVERIFY(program->click(QStringLiteral("LabelI_2"), {}, 3));
        QVERIFY(clickAction(QStringLiteral("roleplayer1")) &&
                clickAction(QStringLiteral("role_P1_UP")));
        QVERIFY(waitForText(QStringLiteral("RoleLabel_2"), QStringLiteral("P1 Up")));
        // A click leaves the focus where it was, yet Ctrl+R then means the row clicked.
        QVERIFY(clickAndWait(QStringLiteral("ChkRepeat_2"), true));
        display->key(QStringLiteral("ctrl+r"));
        QVERIFY(!waitForAction(QStringLiteral("roleplayer1")).isEmpty());
        display->key(QStringLiteral("Escape"));
        // By the keyboard, the pointer out of the way: Input 5's row, Ctrl+R, Player 2's
        // sub-menu and its fifth item, Button 1.
        display->moveTo(790, 590);
        QVERIFY(tabTo(QStringLiteral("Tab"), QStringLiteral("ChkRepeat_4")));
        display->key(QStringLiteral("ctrl+r"));
        QVERIFY(!waitForAction(QStringLiteral("roleplayer2")).isEmpty());
        pressTimes(QStringLiteral("Down"), 2);
        display->key(QStringLiteral("Right"));
        QVERIFY(!waitForAction(QStringLiteral("role_P2_BUTTON1")).isEmpty());
        pressTimes(QStringLiteral("Down"), 4);
        display->key(QStringLiteral("Return"));
        QVERIFY(waitForText(QStringLiteral("RoleLabel_4"), QStringLiteral("P2 Button 1")));

        const QString path = program->workDir() + QStringLiteral("/roles.TPD");
        QVERIFY(saveAs(path));
        QCOMPARE(TpdImage::read(path).roles, (QMap<int, QString>{{2, "P1_UP"}, {4, "P2_BUTTON1"}}));
    }
};

QTEST_GUILESS_MAIN(acc_MainWindow)
#include "acc_MainWindow.moc"
