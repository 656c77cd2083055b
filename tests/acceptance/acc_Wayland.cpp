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
    ProgramUnderTest* m_program = nullptr;

    // Qt may call a window active before weston has given it the keyboard; a key pressed in
    // between goes to the window before (which the modal key window blocks). So each key
    // waits until weston's keyboard is on the window that Qt calls active.
    bool keyboardOnActiveWindow() const {
        return m_program->waitFor([&](const QJsonObject& snapshot) {
            QFile file(m_dir.filePath(QStringLiteral("keys.focus")));
            const QString focus =
                file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
            for (const QJsonValue w : snapshot["windows"].toArray())
                if (w["active"].toBool())
                    return !focus.isEmpty() && focus.startsWith(w["title"].toString());
            return false;
        });
    }

    // Linux key codes as weston's keyboard takes them: a code presses, 128 + code releases.
    void keys(const QByteArray& codes) {
        QVERIFY(keyboardOnActiveWindow());
        QFile fifo(m_dir.filePath(QStringLiteral("keys")));
        QVERIFY(fifo.open(QIODevice::WriteOnly) && fifo.write(codes) == codes.size());
    }
    void tap(std::initializer_list<char> codes) { // each pressed and released in turn
        QByteArray taps;
        for (char code : codes)
            taps.append(code).append(char(code | 128));
        keys(taps);
    }

    // Tab until `name` has the focus. A window that has just become active moves the focus
    // into itself a moment later, which must not be taken for a Tab's doing; and each Tab is
    // waited for. Either Tab pressed too soon would pass over `name`.
    bool tabTo(ProgramUnderTest& program, const char* window, const char* name) {
        const auto focusWindow = [&](const QJsonObject& s) {
            for (const QJsonValue w : s["widgets"].toArray())
                if (w["focus"].toBool())
                    return w["window"] == window;
            return false;
        };
        if (!program.waitFor(focusWindow))
            return false;
        for (int i = 0; i < 20; ++i) {
            const QJsonValue focus = program.snapshot()["focus"];
            if (focus == name)
                return true;
            tap({15});
            if (!program.waitFor([&](const QJsonObject& s) { return s["focus"] != focus; }))
                return false;
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
        m_program = &program;
        auto active = [&](const char* name) {
            return program.waitFor(
                [&](const QJsonObject&) { return program.window(name)["active"].toBool(); });
        };
        // Maximised: the screen's width, the height that weston's panel (if any) leaves.
        QVERIFY(program.waitFor([&](const QJsonObject&) {
            const QJsonObject frame = program.window("Form1")["frame"].toObject();
            return frame["w"].toInt() == 1280 && frame["h"].toInt() >= 1024 - 32;
        }));
        QVERIFY(tabTo(program, "Form1", "SKey_0")); // Input 1's key button
        tap({57});                                  // Space
        QVERIFY(active("Form2")); // full screen, the keys in a band 8/27 of its width high
        QCOMPARE(program.window("Form2")["h"].toInt(), 1024);
        QCOMPARE(program.widget("CKey_0")["y"].toInt(), (1024 - 379) / 2);
        QVERIFY(tabTo(program, "Form2", "CKey_0")); // Esc
        tap({57});
        QVERIFY(active("Form1"));
        QVERIFY(program.waitFor(
            [&](const QJsonObject&) { return program.widget("SKey_0")["text"] == "Esc"; }));
        keys("\x1d\x1f\x9f\x9d"); // Control+S: Save As
        QVERIFY(program.waitFor(
            [&](const QJsonObject&) { return program.widget("fileNameEdit")["focus"].toBool(); }));
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
