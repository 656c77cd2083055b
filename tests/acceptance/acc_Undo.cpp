// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo under a real keyboard and mouse: the Edit menu names the step, the
// shortcuts take steps back and forth, and undoing back to the saved state leaves nothing
// to ask about on exit.
#include "AcceptanceCase.h"
#include "TpdImage.h"

class acc_Undo : public AcceptanceCase {
    Q_OBJECT

    bool shown(const char* name) { return !program->widget(QString::fromLatin1(name)).isEmpty(); }
    bool waitText(const QString& name, const QString& text) {
        return program->waitFor(
            [&](const QJsonObject&) { return program->widget(name)["text"].toString() == text; },
            5000);
    }
    // Opens the Edit menu and reads its two items, then closes it again.
    QStringList editMenu() {
        const QPoint menu = ProgramUnderTest::centre(program->action(QStringLiteral("edit")));
        display->click(menu.x(), menu.y());
        if (!program->waitFor([&](const QJsonObject&) {
                return !program->action(QStringLiteral("eredo")).isEmpty();
            }))
            return {};
        QStringList out;
        for (const char* name : {"eundo", "eredo"}) {
            const QJsonObject a = program->action(QString::fromLatin1(name));
            out << a["text"].toString().remove('&') + (a["enabled"].toBool() ? "" : " (disabled)");
        }
        display->key(QStringLiteral("Escape"));
        program->waitFor(
            [&](const QJsonObject&) { return program->action(QStringLiteral("eredo")).isEmpty(); });
        return out;
    }

private slots:
    void undoBeforeSavingAndBackToTheSavedState() {
        QVERIFY(clickAndWait(QStringLiteral("ChkCtrl_0"), true));
        QVERIFY(clickAndWait(QStringLiteral("ChkShift_1"), true));
        const int file = program->action(QStringLiteral("file"))["x"].toInt();
        const int edit = program->action(QStringLiteral("edit"))["x"].toInt();
        const int about = program->action(QStringLiteral("about"))["x"].toInt();
        QVERIFY(file < edit && edit < about);
        QCOMPARE(editMenu(), (QStringList{"Undo Shift on Input 2", "Redo (disabled)"}));

        display->key(QStringLiteral("ctrl+z"));
        QVERIFY(waitChecked(QStringLiteral("ChkShift_1"), false));
        QVERIFY(checked(QStringLiteral("ChkCtrl_0")));

        const QString saved = path(QStringLiteral("undo.TPD"));
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsaveas")));
        QVERIFY(program->enterFileName(saved));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return TpdImage::read(saved).valid; }));
        const TpdImage image = TpdImage::read(saved);
        QCOMPARE(image.modifiers(0), 1 | 8); // Control
        QCOMPARE(image.modifiers(1), 8);     // no Shift

        display->key(QStringLiteral("ctrl+z"));
        QVERIFY(waitChecked(QStringLiteral("ChkCtrl_0"), false));
        display->key(QStringLiteral("ctrl+y"));
        QVERIFY(waitChecked(QStringLiteral("ChkCtrl_0"), true));
        display->key(QStringLiteral("ctrl+z"));
        QVERIFY(waitChecked(QStringLiteral("ChkCtrl_0"), false));
        display->key(QStringLiteral("ctrl+shift+z"));
        QVERIFY(waitChecked(QStringLiteral("ChkCtrl_0"), true));
        QCOMPARE(editMenu(), (QStringList{"Undo Control on Input 1", "Redo Shift on Input 2"}));

        // Back at the saved state: Exit asks nothing.
        display->key(QStringLiteral("ctrl+q"));
        QVERIFY(program->waitForExit());
        QCOMPARE(program->process().exitCode(), 0);
    }

    void keyAndRotaryStepsComeBack() {
        QVERIFY(clickAndWait(QStringLiteral("Check4"), true));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return shown("Rkey_2"); }));
        QVERIFY(program->click(QStringLiteral("Rkey_2")));
        QVERIFY(waitForKeyWindow());
        QVERIFY(program->click(QStringLiteral("CKey_1"), QStringLiteral("Form2"))); // F1
        QVERIFY(waitText(QStringLiteral("Rkey_2"), QStringLiteral("F1")));
        // Choosing the key it holds again adds no step.
        QVERIFY(program->click(QStringLiteral("Rkey_2")) && waitForKeyWindow());
        QVERIFY(program->click(QStringLiteral("CKey_1"), QStringLiteral("Form2")));
        QVERIFY(program->waitForWindow(QStringLiteral("Form2"), false));
        QCOMPARE(editMenu(), (QStringList{"Undo Key F1 on Rotary 2A", "Redo (disabled)"}));

        display->key(QStringLiteral("ctrl+z"));
        QVERIFY(waitText(QStringLiteral("Rkey_2"), QStringLiteral("Not Used")));
        display->key(QStringLiteral("ctrl+z"));
        QVERIFY(waitChecked(QStringLiteral("Check4"), false));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return !shown("Rkey_2"); }));
        QCOMPARE(editMenu(), (QStringList{"Undo (disabled)", "Redo Rotary-5 on AUX"}));

        display->key(QStringLiteral("ctrl+shift+z"));
        QVERIFY(waitChecked(QStringLiteral("Check4"), true));
        display->key(QStringLiteral("ctrl+shift+z"));
        QVERIFY(waitText(QStringLiteral("Rkey_2"), QStringLiteral("F1")));
        QVERIFY(shown("Rkey_9"));
        display->key(QStringLiteral("ctrl+q"));
        QCOMPARE(program->answerMessage(QStringLiteral("&No")),
                 QStringLiteral("Do You Want To Save This File?"));
        QVERIFY(program->waitForExit());
    }
};

QTEST_GUILESS_MAIN(acc_Undo)
#include "acc_Undo.moc"
