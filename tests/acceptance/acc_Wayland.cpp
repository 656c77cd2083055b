// SPDX-License-Identifier: GPL-3.0-or-later
// The demo on Wayland (QT_QPA_PLATFORM=wayland) under weston's headless backend, which has
// no pointer: driven by the keyboard of weston/KeyboardModule.cpp alone.
#include "ProgramUnderTest.h"
#include "TpdImage.h"

#include <QTest>

class Wayland : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QProcess m_weston;
    // Linux key codes as weston's keyboard takes them: a code presses, 128 + code releases.
    void keys(const QByteArray& codes) {
        QFile fifo(m_dir.filePath(QStringLiteral("keys")));
        QVERIFY(fifo.open(QIODevice::WriteOnly) && fifo.write(codes) == codes.size());
    }
    void tap(std::initializer_list<char> codes) { // each pressed and released in turn
        QByteArray taps;
        for (char code : codes)
            taps.append(code).append(char(code | 128));
        keys(taps);
    }

    // Tab until `name` has the focus; a Tab that finds no window with the focus is repeated.
    bool tabTo(ProgramUnderTest& program, const char* name) {
        for (int i = 0; i < 20; ++i) {
            const QJsonValue focus = program.snapshot()["focus"];
            if (focus == name)
                return true;
            tap({15});
            program.waitFor([&](const QJsonObject& s) { return s["focus"] != focus; }, 2000);
        }
        return false;
    }

private slots:
    void keyChosenWithTheKeyboardIsSaved() {
        qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
        qputenv("TARVENPAD_WESTON_KEYS", m_dir.filePath(QStringLiteral("keys")).toUtf8());
        m_weston.start(QStringLiteral("weston"),
                       QStringList{"--backend=headless-backend.so", "--socket=wl", "--width=1280",
                                   "--height=1024", "--idle-time=0", "--no-config",
                                   "--modules=" WESTON_KEYBOARD_MODULE});
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(m_dir.filePath("wl")); }));
        ProgramUnderTest program(
            QStringLiteral(DEMO_PROGRAM),
            {"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=" + m_dir.filePath("wl")});
        auto active = [&](const char* name) {
            return program.waitFor(
                [&](const QJsonObject&) { return program.window(name)["active"].toBool(); });
        };
        // Maximised: the screen's width, the height that weston's panel (if any) leaves.
        QVERIFY(program.waitFor([&](const QJsonObject&) {
            const QJsonObject frame = program.window("Form1")["frame"].toObject();
            return frame["w"].toInt() == 1280 && frame["h"].toInt() >= 1024 - 32;
        }));
        QVERIFY(tabTo(program, "SKey_0")); // Input 1's key button
        tap({57});                         // Space
        QVERIFY(active("Form2"));          // full screen, the keys in a band 8/27 of its width high
        QCOMPARE(program.window("Form2")["h"].toInt(), 1024);
        QCOMPARE(program.widget("CKey_0")["y"].toInt(), (1024 - 379) / 2);
        QVERIFY(tabTo(program, "CKey_0")); // Esc
        tap({57});
        QVERIFY(active("Form1"));
        QVERIFY(program.waitFor(
            [&](const QJsonObject&) { return program.widget("SKey_0")["text"] == "Esc"; }));
        // Control+S: Save As. Qt may call the window active before weston has given it the
        // keyboard back, so the keys are pressed again until the file dialog opens.
        auto dialog = [&](const QJsonObject&) {
            return program.widget("fileNameEdit")["focus"].toBool();
        };
        for (int i = 0; i < 10 && !program.waitFor(dialog, 1000); ++i)
            keys("\x1d\x1f\x9f\x9d");
        QVERIFY(program.waitFor(dialog));
        tap({37, 52, 20, 25, 32, 28}); // k.tpd, Return
        QVERIFY(
            QTest::qWaitFor([&] { return TpdImage::read(program.workDir() + "/k.tpd").valid; }));
        QCOMPARE(TpdImage::read(program.workDir() + "/k.tpd").key(0), 0x29);
        m_weston.terminate();
        m_weston.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(Wayland)
#include "acc_Wayland.moc"
