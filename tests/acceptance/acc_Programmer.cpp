// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's flows under a real mouse and keyboard: the check boxes and their rule,
// the rotary section, the file commands with their dialogs and prompt, writing to and
// reading from the demo's units, and the About window.
#include "AcceptanceCase.h"
#include "TpdImage.h"

class acc_Programmer : public AcceptanceCase {
    Q_OBJECT

    // Save As through the menu and the real dialog; the file as this suite reads it.
    TpdImage saveAs(const QString& name) {
        const QString file = path(name);
        QFile::remove(file);
        if (!program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsaveas")) ||
            !program->enterFileName(file))
            return {};
        program->waitFor([&](const QJsonObject&) { return TpdImage::read(file).valid; });
        return TpdImage::read(file);
    }
    bool pickKey(const QString& button, int key) {
        return program->click(button) && waitForKeyWindow() &&
               program->click(QStringLiteral("CKey_%1").arg(key)) &&
               program->waitForWindow(QStringLiteral("Form2"), false);
    }
    // Chooses a unit in the unit-selection window; the final message's text.
    QString transfer(const QString& item, int unit, QString* title = nullptr) {
        if (!program->chooseMenu(QStringLiteral("file"), item) ||
            !program->waitForTitle(QStringLiteral("Multiple Units Detected!")) ||
            !program->click(QStringLiteral("SerialNo%1").arg(unit),
                            QStringLiteral("frmMultiUnits")))
            return {};
        return program->answerMessage(QStringLiteral("OK"), title);
    }
    void quit() {
        display->key(QStringLiteral("ctrl+q"));
        QVERIFY(program->waitForExit());
        QCOMPARE(program->process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->process().exitCode(), 0);
    }

private slots:
    void checkBoxesFollowTheirRule() {
        QVERIFY(clickAndWait(QStringLiteral("ChkRepeat_0"), true));
        QVERIFY(clickAndWait(QStringLiteral("ChkShift_0"), true));
        QVERIFY(waitChecked(QStringLiteral("ChkRepeat_0"), false));
        QVERIFY(clickAndWait(QStringLiteral("ChkShift_1"), true));
        QVERIFY(clickAndWait(QStringLiteral("ChkRepeat_1"), true));
        QVERIFY(waitChecked(QStringLiteral("ChkShift_1"), false));
        QVERIFY(clickAndWait(QStringLiteral("ChkCtrl_2"), true));
        QVERIFY(clickAndWait(QStringLiteral("ChkAlt_2"), true));

        // The rotary option shows the rotary rows, which take clicks too.
        QVERIFY(program->widget(QStringLiteral("Rkey_0")).isEmpty());
        QVERIFY(clickAndWait(QStringLiteral("Check4"), true));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return !program->widget(QStringLiteral("Rkey_9")).isEmpty();
        }));
        QVERIFY(clickAndWait(QStringLiteral("RChkShift_0"), true));
        QVERIFY(pickKey(QStringLiteral("Rkey_1"), 38)); // Q

        const TpdImage saved = saveAs(QStringLiteral("boxes.TPD"));
        QVERIFY(saved.valid);
        QCOMPARE(saved.modifiers(0), 2 | 8); // Shift, no repeat
        QCOMPARE(saved.modifiers(1), 0);     // repeat only
        QCOMPARE(saved.modifiers(2), 1 | 4 | 8);
        QVERIFY(saved.modifiers(36) & 2);
        QCOMPARE(saved.key(37), 0x14);
        QCOMPARE(saved.options(), 8);
        quit();
    }

    void fileCommandsAndThePrompt() {
        const QString prompt = QStringLiteral("Do You Want To Save This File?");
        QVERIFY(clickAndWait(QStringLiteral("ChkCtrl_0"), true));
        display->key(QStringLiteral("ctrl+n"));
        QString title;
        QCOMPARE(program->answerMessage(QStringLiteral("Cancel"), &title), prompt);
        QCOMPARE(title, QStringLiteral("Save File?"));
        QVERIFY(checked(QStringLiteral("ChkCtrl_0")));
        display->key(QStringLiteral("ctrl+n"));
        QCOMPARE(program->answerMessage(QStringLiteral("&No")), prompt);
        QVERIFY(waitChecked(QStringLiteral("ChkCtrl_0"), false));

        // Yes saves through the dialog before the new configuration.
        QVERIFY(clickAndWait(QStringLiteral("ChkCtrl_0"), true));
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fnew")));
        QCOMPARE(program->answerMessage(QStringLiteral("&Yes")), prompt);
        QVERIFY(program->enterFileName(path(QStringLiteral("a.TPD"))));
        QVERIFY(waitChecked(QStringLiteral("ChkCtrl_0"), false));
        QCOMPARE(TpdImage::read(path(QStringLiteral("a.TPD"))).modifiers(0), 1 | 8);

        // Open, change, Save goes back to the same file without a dialog.
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fopen")));
        QVERIFY(program->enterFileName(path(QStringLiteral("a.TPD"))));
        QVERIFY(waitChecked(QStringLiteral("ChkCtrl_0"), true));
        QVERIFY(clickAndWait(QStringLiteral("ChkAlt_0"), true));
        display->key(QStringLiteral("ctrl+s"));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return TpdImage::read(path(QStringLiteral("a.TPD"))).modifiers(0) == (1 | 4 | 8);
        }));
        QCOMPARE(saveAs(QStringLiteral("b.TPD")).modifiers(0), 1 | 4 | 8);

        // Exit asks once more: Cancel stays, No leaves without saving.
        QVERIFY(clickAndWait(QStringLiteral("ChkShift_3"), true));
        display->key(QStringLiteral("ctrl+q"));
        QCOMPARE(program->answerMessage(QStringLiteral("Cancel")), prompt);
        QVERIFY(program->process().state() == QProcess::Running);
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fexit")));
        QCOMPARE(program->answerMessage(QStringLiteral("&No")), prompt);
        QVERIFY(program->waitForExit());
        QCOMPARE(program->process().exitCode(), 0);
        QCOMPARE(TpdImage::read(path(QStringLiteral("b.TPD"))).modifiers(3), 8);
    }

    void writeToUnitTwoAndReadBack() {
        QVERIFY(clickAndWait(QStringLiteral("ChkShift_5"), true));
        QVERIFY(pickKey(QStringLiteral("SKey_5"), 1)); // F1
        QString title;
        QCOMPARE(transfer(QStringLiteral("fsend"), 2, &title),
                 QStringLiteral("TARVEN-PAD Programmed Successfully"));
        QCOMPARE(title, QStringLiteral("Programmed"));

        // Unit 1 holds the demo's sample; reading it asks about the unsaved changes first.
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("freceive")));
        QCOMPARE(program->answerMessage(QStringLiteral("&No")),
                 QStringLiteral("Do You Want To Save This File?"));
        QVERIFY(program->waitForTitle(QStringLiteral("Multiple Units Detected!")));
        QVERIFY(program->click(QStringLiteral("SerialNo1"), QStringLiteral("frmMultiUnits")));
        QCOMPARE(program->answerMessage(QStringLiteral("OK"), &title),
                 QStringLiteral("Configuration File Read Successfully From The TARVENPAD Device"));
        QCOMPARE(title, QStringLiteral("Successful Read"));
        const TpdImage sample = saveAs(QStringLiteral("unit1.TPD"));
        QCOMPARE(sample.key(0), 0x52);
        QCOMPARE(sample.modifiers(0), 0);
        QCOMPARE(sample.options(), 8);

        QCOMPARE(transfer(QStringLiteral("freceive"), 2),
                 QStringLiteral("Configuration File Read Successfully From The TARVENPAD Device"));
        const TpdImage written = saveAs(QStringLiteral("unit2.TPD"));
        QCOMPARE(written.key(5), 0x3A);
        QCOMPARE(written.modifiers(5), 2 | 8);
        QCOMPARE(written.options(), 0);
        quit();
    }

    void aboutOpensAndCloses() {
        QVERIFY(program->chooseMenu(QStringLiteral("about"), QStringLiteral("aabout")));
        QVERIFY(program->waitForTitle(QStringLiteral("About TARVEN-PAD Programmer")));
        QVERIFY(program->clickText(QStringLiteral("OK")));
        QVERIFY(program->waitForTitle(QStringLiteral("About TARVEN-PAD Programmer"), false));
        quit();
    }
};

QTEST_GUILESS_MAIN(acc_Programmer)
#include "acc_Programmer.moc"
