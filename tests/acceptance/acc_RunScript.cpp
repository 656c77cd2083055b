// SPDX-License-Identifier: GPL-3.0-or-later
// The first run on a machine without a screen: scripts/run.sh with no DISPLAY shows the demo
// on a virtual screen, keeps a screenshot, shows the command-line tool and ends by itself.
#include <QFile>
#include <QProcess>
#include <QTest>

class acc_RunScript : public QObject {
    Q_OBJECT
private slots:
    void withoutDisplay() {
        const QString shot = QStringLiteral(BUILD_DIR "/screenshot.png");
        QFile::remove(shot);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
            env.remove(QString::fromLatin1(name));
        // Undocumented knobs of the script: use this build, do not install or rebuild.
        env.insert(QStringLiteral("TARVENPAD_NO_BUILD"), QStringLiteral("1"));
        env.insert(QStringLiteral("TARVENPAD_BUILD_DIR"), QStringLiteral(BUILD_DIR));
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(QStringLiteral("bash"), {QStringLiteral(PROJECT_DIR "/scripts/run.sh")});
        QVERIFY(run.waitForStarted());
        const bool ended = run.waitForFinished(90000);
        const QString out = QString::fromLocal8Bit(run.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(run.readAllStandardError());
        if (!ended) {
            run.kill();
            run.waitForFinished();
        }
        QVERIFY2(ended, qPrintable(out + err));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QVERIFY2(run.exitCode() == 0, qPrintable(out + err));

        QVERIFY(out.startsWith(QLatin1String("No display found")));
        QVERIFY(out.contains(QLatin1String("main window: " BUILD_DIR "/screenshot.png\n")));
        QVERIFY(out.contains(QLatin1String("$ tarvenpad --demo units\n1 4172\n2 12935\n")));
        QVERIFY(out.contains(QLatin1String("unit 1: read into sample.TPD")));
        QVERIFY(out.contains(QRegularExpression(QStringLiteral("\nInput 1 +Up Arrow +82 "))));
        QVERIFY(out.contains(QLatin1String("Rotary-5 on AUX  on")));
        // Standard error holds the demo's one line and no warning.
        QVERIFY2(err.startsWith(QLatin1String("TARVEN-PAD Programmer demo: two emulated units")),
                 qPrintable(err));
        QCOMPARE(err.count(QLatin1Char('\n')), 1);

        // A full screen with the window drawn on it, not an empty one.
        QProcess identify;
        identify.start(QStringLiteral("identify"),
                       {QStringLiteral("-format"), QStringLiteral("%w %h %k"), shot});
        QVERIFY(identify.waitForFinished(20000));
        const QStringList facts =
            QString::fromLocal8Bit(identify.readAllStandardOutput()).split(' ');
        QCOMPARE(facts.size(), 3);
        QCOMPARE(facts[0], QStringLiteral("1280"));
        QCOMPARE(facts[1], QStringLiteral("1024"));
        QVERIFY2(facts[2].toInt() > 8, qPrintable(facts[2]));
    }
};

QTEST_GUILESS_MAIN(acc_RunScript)
#include "acc_RunScript.moc"
