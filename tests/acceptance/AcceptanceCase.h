// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProgramUnderTest.h"
#include "XDisplay.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <memory>

// What every acceptance suite shares: its own X display, the program it starts, and a
// screenshot kept for every case that fails.
class AcceptanceCase : public QObject {
    Q_OBJECT
protected slots:
    // Each suite has one display; each case its own run of the demo.
    void initTestCase() { startDisplay(); }
    void init() { startDemo(); }
    void cleanup() {
        keepScreenshotOnFailure();
        program.reset();
    }

protected:
    const QString MainTitle = QStringLiteral("Quelmark Electronics, Inc. - TARVEN-PAD Programmer");
    std::unique_ptr<XDisplay> display;
    std::unique_ptr<ProgramUnderTest> program;

    void startDisplay(QSize screen = {1280, 1024}) {
        display = std::make_unique<XDisplay>(screen);
        QVERIFY2(display->isRunning(), "Xvfb and openbox did not start");
    }
    // Starts the demo programmer and waits for its main window.
    void startDemo() { startProgram(QStringLiteral(DEMO_PROGRAM)); }
    // Starts one of the programs (the demo, or the real programmer) and waits for its window.
    void startProgram(const QString& executable) {
        program = std::make_unique<ProgramUnderTest>(*display, executable);
        QVERIFY2(program->waitForWindow(QStringLiteral("Form1"), true, 60000),
                 "the main window never showed");
        QVERIFY(program->waitFor([](const QJsonObject& s) {
            for (const QJsonValue& w : s[QLatin1String("windows")].toArray())
                if (w[QLatin1String("name")].toString() == QLatin1String("Form1"))
                    return w[QLatin1String("active")].toBool();
            return false;
        }));
    }
    // Picks a unit in the unit-selection window once it is up.
    bool chooseUnit(int unit) {
        const QString choose = QStringLiteral("Multiple Units Detected!");
        if (!program->waitForTitle(choose))
            return false;
        // A click that lands while the window manager still places the window is lost.
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!program->click(QStringLiteral("SerialNo%1").arg(unit),
                                QStringLiteral("frmMultiUnits")))
                return false;
            if (program->waitForTitle(choose, false, 2000))
                return true;
        }
        return false;
    }
    // A file in the program's working folder.
    QString path(const QString& name) const { return program->workDir() + QLatin1Char('/') + name; }
    bool checked(const QString& name) { return program->widget(name)["checked"].toBool(); }
    bool waitChecked(const QString& name, bool on) {
        return program->waitFor([&](const QJsonObject&) { return checked(name) == on; }, 5000);
    }
    // Tools > Presets and a click on the preset whose item is tpreset_KEY.
    bool clickPreset(const QString& key) {
        if (!program->chooseMenu(QStringLiteral("tools"), QStringLiteral("tpresets")))
            return false;
        QJsonObject item;
        if (!program->waitFor([&](const QJsonObject&) {
                return !(item = program->action(QStringLiteral("tpreset_") + key)).isEmpty();
            }))
            return false;
        display->click(ProgramUnderTest::centre(item).x(), ProgramUnderTest::centre(item).y());
        return true;
    }
    // Clicks a check box and waits until the program shows it in the new state.
    bool clickAndWait(const QString& name, bool on) {
        return program->click(name) && waitChecked(name, on);
    }
    // The key window once it takes clicks: one sooner than a double-click's interval after
    // it came up is taken for the end of the double-click that opened it.
    bool waitForKeyWindow() {
        const bool up = program->waitFor([&](const QJsonObject&) {
            return program->window(QStringLiteral("Form2"))[QLatin1String("active")].toBool();
        });
        QTest::qWait(600);
        return up;
    }
    QString windowId(const QString& title) const {
        return display
            ->run(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                   QStringLiteral("--name"),
                   QStringLiteral("^%1$").arg(QRegularExpression::escape(title))})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
            .value(0)
            .trimmed();
    }
    // The window manager's stacking order, bottom to top, as decimal window ids.
    QStringList stacking() const {
        const QString out =
            display->run(QStringLiteral("xprop"),
                         {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
        QStringList ids;
        const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
        for (auto it = hex.globalMatch(out); it.hasNext();)
            ids << QString::number(it.next().captured(0).toULongLong(nullptr, 16));
        return ids;
    }
    bool above(const QString& title, const QString& other) const {
        const QStringList order = stacking();
        return order.indexOf(windowId(title)) > order.indexOf(windowId(other));
    }
    void keepScreenshotOnFailure() {
        if (!QTest::currentTestFailed() || !display)
            return;
        // Inside the kernel suite's VM the build folder is read-only.
        const QString dir = qEnvironmentVariable("TARVENPAD_SHOT_DIR", QStringLiteral(SHOT_DIR));
        QDir().mkpath(dir);
        QString name = QStringLiteral("%1-%2-%3")
                           .arg(QString::fromLatin1(metaObject()->className()),
                                QString::fromLatin1(QTest::currentTestFunction()),
                                QString::fromLatin1(QTest::currentDataTag()));
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
        display->screenshot(QStringLiteral("%1/%2.png").arg(dir, name));
        qWarning("screenshot kept: %s/%s.png", qPrintable(dir), qPrintable(name));
    }
};
