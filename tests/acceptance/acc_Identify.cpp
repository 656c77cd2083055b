// SPDX-License-Identifier: GPL-3.0-or-later
// Identify Inputs on an emulated unit, whose presses can only be the keys that reach the
// Identify window: real keys name their inputs and bring the rows into view on a small
// screen, a row is assigned meanwhile, a guided pass labels the panel with roles, and Done
// leaves the unit as it was.
#include "AcceptanceCase.h"
#include "TpdImage.h"

#include <QMap>
#include <csignal>

namespace {

// The roles a saved file carries after its 94 bytes, read by the suite itself: the tag "TPRL",
// a version byte, the text's length and its CRC-16 (16 bits each, little-endian), then lines
// "SLOT<TAB>KEY<TAB>LABEL". Slot to key; nothing when the block is missing or does not check.
QMap<int, QString> savedRoles(const QString& path) {
    QFile file(path);
    const QByteArray block = file.open(QIODevice::ReadOnly) ? file.readAll().mid(94) : QByteArray();
    const auto u16 = [&](int at) { return int(quint8(block[at]) | quint8(block[at + 1]) << 8); };
    const QByteArray text = block.mid(9, block.size() < 9 ? 0 : u16(5));
    if (block.size() < 9 || !block.startsWith("TPRL") || block[4] != 1 || text.size() != u16(5) ||
        qChecksum(text, Qt::ChecksumIso3309) != u16(7))
        return {};
    QMap<int, QString> roles;
    for (const QByteArray& line : text.split('\n'))
        if (const QList<QByteArray> fields = line.split('\t'); fields.size() == 3)
            roles[fields[0].toInt()] = QString::fromUtf8(fields[1]);
    return roles;
}

} // namespace

class acc_Identify : public AcceptanceCase {
    Q_OBJECT

    QString text(const QString& name) { return program->widget(name)["text"].toString(); }
    bool waitText(const QString& name, const QString& wanted) {
        return program->waitFor([&](const QJsonObject&) { return text(name) == wanted; }, 5000);
    }
    bool shownInPanel(const QString& name) {
        const QJsonObject shown = program->widget(name)["shown"].toObject();
        return shown["h"].toInt() == program->widget(name)["h"].toInt();
    }
    static QRect rect(const QJsonObject& o) {
        return QRect(o["x"].toInt(), o["y"].toInt(), o["w"].toInt(), o["h"].toInt());
    }
    // The row's key button shows whole, and the Identify window leaves it uncovered.
    bool rowInSight(const QString& key) {
        return program->waitFor([&](const QJsonObject&) {
            const QJsonObject window = program->window(QStringLiteral("identifyWindow"));
            return shownInPanel(key) &&
                   !rect(window["frame"].toObject()).intersects(rect(program->widget(key)));
        });
    }

private slots:
    void initTestCase() { startDisplay({800, 600}); }

    void typedKeysNameTheirInputs() {
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("freceive")));
        QVERIFY(chooseUnit(1));
        QVERIFY(program->answerMessage(QStringLiteral("OK")).startsWith("Configuration File"));

        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tidentify")));
        QVERIFY(chooseUnit(1));
        QVERIFY(program->answerMessage(QStringLiteral("OK"))
                    .startsWith(
                        QStringLiteral("To tell the inputs apart, unit 4172 gets a temporary")));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->window(QStringLiteral("identifyWindow"))["active"].toBool();
        }));
        QVERIFY(text(QStringLiteral("identifySource")).contains("(it is an emulated unit)"));
        QVERIFY(!shownInPanel(QStringLiteral("SKey_29")));

        display->key(QStringLiteral("4")); // the temporary configuration's key of Input 30
        QVERIFY(waitText(QStringLiteral("identifyLastPress"), QStringLiteral("Input 30")));
        QVERIFY(program->waitFor([&](const QJsonObject&) { return shownInPanel("SKey_29"); }));
        display->key(QStringLiteral("KP_1"));
        QVERIFY(waitText(QStringLiteral("identifyLastPress"), QStringLiteral("Rotary 1A")));
        display->key(QStringLiteral("F5"));
        QVERIFY(waitText(QStringLiteral("identifyLastPress"),
                         QStringLiteral("No input of this unit sends F5.")));
        QVERIFY(text(QStringLiteral("identifyNotPressed"))
                    .startsWith(QStringLiteral("Not pressed yet: Input 1 to Input 29, Input 31 "
                                               "to Input 36, Rotary 1B to Rotary 5B")));
        QDir().mkpath(QStringLiteral(SHOT_DIR));
        display->screenshot(QStringLiteral(SHOT_DIR "/identify-inputs.png"));

        // Input 30 found: its key is assigned while identifying goes on.
        QVERIFY(program->click(QStringLiteral("SKey_29")) && waitForKeyWindow());
        QVERIFY(program->click(QStringLiteral("CKey_2"))); // F2
        QVERIFY(waitText(QStringLiteral("SKey_29"), QStringLiteral("F2")));
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsaveas")));
        QVERIFY(program->enterFileName(path(QStringLiteral("panel.TPD"))));
        TpdImage saved;
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return (saved = TpdImage::read(path(QStringLiteral("panel.TPD")))).valid;
        }));
        QCOMPARE(saved.key(29), 0x3B);
        QCOMPARE(saved.key(0), 0x52); // the unit's own Up Arrow, not the temporary A

        QVERIFY(program->click(QStringLiteral("identifyDone")));
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow"), false));
        QVERIFY(program->waitForWindow(QStringLiteral("frmStatus"), false));
        QVERIFY(program->chooseMenu(QStringLiteral("edit"), QStringLiteral("eundo")));
        QVERIFY(waitText(QStringLiteral("SKey_29"), QStringLiteral("Not Used")));
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tcompare")));
        QVERIFY(chooseUnit(1));
        QCOMPARE(program->answerMessage(QStringLiteral("OK")),
                 QStringLiteral("The TARVEN-PAD holds this configuration."));
    }

    // A guided pass by real keys in the window that reads its own: each press takes the role
    // asked for, Redo Last and Skip steer it, an input pressed again moves on, and what is
    // saved is what was learnt.
    void guidedPassLabelsThePanel() {
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tidentify")));
        QVERIFY(chooseUnit(1));
        QVERIFY(!program->answerMessage(QStringLiteral("OK")).isEmpty());
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->window(QStringLiteral("identifyWindow"))["active"].toBool();
        }));
        QVERIFY(program->click(QStringLiteral("identifyGuidedStart"))); // one player, 6 buttons
        const QString prompt = QStringLiteral("identifyPrompt");
        QVERIFY(waitText(prompt, QStringLiteral("Press Player 1 Up")));
        display->key(QStringLiteral("c")); // Input 3
        QVERIFY(waitText(prompt, QStringLiteral("Press Player 1 Down")));
        display->key(QStringLiteral("d")); // Input 4, taken back
        QVERIFY(waitText(prompt, QStringLiteral("Press Player 1 Left")));
        QVERIFY(program->click(QStringLiteral("identifyGuidedRedo")));
        QVERIFY(waitText(prompt, QStringLiteral("Press Player 1 Down")));
        display->key(QStringLiteral("e")); // Input 5
        QVERIFY(waitText(prompt, QStringLiteral("Press Player 1 Left")));
        display->key(QStringLiteral("c"));
        QVERIFY(waitText(QStringLiteral("identifyGuidedNote"),
                         QStringLiteral("Input 3 moved from Player 1 Up to Player 1 Left.")));
        QVERIFY(program->click(QStringLiteral("identifyGuidedSkip")));
        QVERIFY(waitText(prompt, QStringLiteral("Press Player 1 Button 1")));
        display->key(QStringLiteral("f"));
        QVERIFY(waitText(QStringLiteral("identifyLastPress"),
                         QStringLiteral("Input 6 \u00b7 Player 1 Button 1")));
        QVERIFY(program->click(QStringLiteral("identifyGuidedStop")));
        QVERIFY(waitText(prompt, QString()));
        QVERIFY(program->click(QStringLiteral("identifyDone")));
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow"), false));
        QVERIFY(program->waitForWindow(QStringLiteral("frmStatus"), false));

        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsaveas")));
        QVERIFY(program->enterFileName(path(QStringLiteral("roles.TPD"))));
        QMap<int, QString> roles;
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return !(roles = savedRoles(path(QStringLiteral("roles.TPD")))).isEmpty();
        }));
        QCOMPARE(roles, (QMap<int, QString>{{2, "P1_LEFT"}, {4, "P1_DOWN"}, {5, "P1_BUTTON1"}}));
    }

    // SIGTERM, a closed terminal's SIGHUP and SIGQUIT close the window as the user would:
    // the unit's own configuration goes back and the program ends normally, not killed by
    // the signal.
    void terminatedWhileIdentifying_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGQUIT") << int(SIGQUIT);
    }
    void terminatedWhileIdentifying() {
        QFETCH(int, signal);
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tidentify")));
        QVERIFY(chooseUnit(1));
        QVERIFY(!program->answerMessage(QStringLiteral("OK")).isEmpty());
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow")));
        ::kill(pid_t(program->process().processId()), signal);
        QVERIFY(program->waitForExit(20000));
        QCOMPARE(program->process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->process().exitCode(), 0);
    }

    // By keyboard alone, on the smallest screens: each highlighted row stays in sight beside
    // the window, a rotary press while the rotary rows are hidden offers them, and the
    // window's own keys end it with the unit's configuration put back.
    void keyboardUserIdentifies_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("finish");
        QTest::newRow("800x600, Esc") << QSize(800, 600) << QStringLiteral("Escape");
        QTest::newRow("1024x768, Tab to Done") << QSize(1024, 768) << QStringLiteral("Return");
    }
    void keyboardUserIdentifies() {
        QFETCH(QSize, screen);
        QFETCH(QString, finish);
        if (display->screen() != screen) {
            program.reset();
            startDisplay(screen);
            startDemo();
        }
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tidentify")));
        QVERIFY(chooseUnit(1));
        QVERIFY(!program->answerMessage(QStringLiteral("OK")).isEmpty());
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->window(QStringLiteral("identifyWindow"))["active"].toBool();
        }));
        QVERIFY(
            text(QStringLiteral("identifySource"))
                .endsWith(QStringLiteral("To finish, press Esc, or Tab to Done and press Enter.")));

        display->key(QStringLiteral("KP_5")); // Rotary 3A, its row hidden in this window
        QVERIFY(waitText(QStringLiteral("identifyLastPress"), QStringLiteral("Rotary 3A")));
        QVERIFY(program->click(QStringLiteral("identifyShowRotary")));
        QVERIFY(waitChecked(QStringLiteral("Check4"), true));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->widget(QStringLiteral("identifyRotaryHidden")).isEmpty();
        }));
        QVERIFY(rowInSight(QStringLiteral("Rkey_4")));
        for (const auto& [key, row] : {std::pair{"KP_1", "Rkey_0"}, std::pair{"KP_0", "Rkey_9"},
                                       std::pair{"0", "SKey_35"}, std::pair{"a", "SKey_0"}}) {
            display->key(QLatin1String(key));
            QVERIFY2(rowInSight(QLatin1String(row)), row);
        }

        // Tab walks to Done past whatever comes before it.
        for (int tab = 0; finish == QLatin1String("Return") && tab < 6 &&
                          !program->widget(QStringLiteral("identifyDone"))["focus"].toBool();
             ++tab) {
            display->key(QStringLiteral("Tab"));
            QTest::qWait(200);
        }
        display->key(finish);
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow"), false));
        QVERIFY(program->waitForWindow(QStringLiteral("frmStatus"), false));
        // The unit holds its own configuration again: Input 1 reads back as its Up Arrow.
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("freceive")));
        // Showing the rotary rows ticked "Rotary-5 on AUX": a change of the user's own.
        QCOMPARE(program->answerMessage(QStringLiteral("&No")),
                 QStringLiteral("Do You Want To Save This File?"));
        QVERIFY(chooseUnit(1));
        QVERIFY(program->answerMessage(QStringLiteral("OK")).startsWith("Configuration File"));
        QVERIFY(program->chooseMenu(QStringLiteral("file"), QStringLiteral("fsaveas")));
        QVERIFY(program->enterFileName(path(QStringLiteral("after.TPD"))));
        TpdImage saved;
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return (saved = TpdImage::read(path(QStringLiteral("after.TPD")))).valid;
        }));
        QCOMPARE(saved.key(0), 0x52);
    }

    // SIGKILL leaves the unit's own configuration in the demo's journal, under HOME: the
    // next start offers it back, and nothing was left in the temporary folder.
    void killedWhileIdentifying() {
        program.reset();
        QTemporaryDir home, tmp;
        const QStringList env{"HOME=" + home.path(), "TMPDIR=" + tmp.path()};
        program = std::make_unique<ProgramUnderTest>(*display, DEMO_PROGRAM, QStringList{}, env);
        QVERIFY(program->waitForWindow(QStringLiteral("Form1"), true, 60000));
        QVERIFY(program->waitFor([&](const QJsonObject&) {
            return program->window(QStringLiteral("Form1"))["active"].toBool();
        }));
        QVERIFY(program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tidentify")));
        QVERIFY(chooseUnit(1));
        QVERIFY(!program->answerMessage(QStringLiteral("OK")).isEmpty());
        QVERIFY(program->waitForWindow(QStringLiteral("identifyWindow")));
        ::kill(pid_t(program->process().processId()), SIGKILL);
        QVERIFY(program->waitForExit(20000));

        program = std::make_unique<ProgramUnderTest>(*display, DEMO_PROGRAM, QStringList{}, env);
        QString title;
        QVERIFY(
            program->answerMessage(QStringLiteral("&Yes"), &title).contains("serial number 4172"));
        QCOMPARE(title, QStringLiteral("Put Configuration Back"));
        QVERIFY(program->answerMessage(QStringLiteral("OK"))
                    .contains("holds its own configuration again"));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(acc_Identify)
#include "acc_Identify.moc"
