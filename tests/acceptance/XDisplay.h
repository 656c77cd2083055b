// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>

// A private X server (Xvfb) with a real window manager (openbox) for the acceptance suite,
// and the real input devices of that server, driven through XTest by xdotool.
class XDisplay {
public:
    explicit XDisplay(QSize screen = {1280, 1024});
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool isRunning() const { return m_running; }
    QString name() const { return m_name; }
    QSize screen() const { return m_screen; }

    // Runs an X client against this display; its standard output, or empty on failure.
    QString run(const QString& program, const QStringList& args, int timeoutMs = 10000) const;
    void click(int x, int y, int button = 1) const;
    void press(int x, int y, int button = 1) const;
    void moveTo(int x, int y) const;
    void release(int button = 1) const;
    void key(const QString& keys) const; // "ctrl+s", "Return"
    void type(const QString& text) const;
    void screenshot(const QString& path) const;
    // The outer frame the window manager gives a window whose title is `title`.
    QRect frameOf(const QString& title) const;

private:
    QSize m_screen;
    QString m_name;
    QProcess m_server;
    QProcess m_windowManager;
    bool m_running = false;
};
