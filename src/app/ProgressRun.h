// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QWidget;
class StatusWindow;

// A window's device command, run with the progress window up. While one runs a second does
// nothing, and a window that is asked to close meanwhile closes once it has ended, never with
// a unit open.
class ProgressRun : public QObject {
    Q_OBJECT
public:
    explicit ProgressRun(QWidget* window);

    bool running() const { return m_running; }
    // Runs `work` with the progress window up, which `work` reports its progress to;
    // `afterwards` once that window has gone, before the command counts as ended. False, and
    // nothing run, while another command runs.
    bool run(const std::function<void(StatusWindow&)>& work,
             const std::function<void()>& afterwards = nullptr);
    // Asked by the window's close: false while a command runs (the window closes after it).
    bool mayCloseWindow();

signals:
    void runningChanged(bool running);

private:
    void setRunning(bool running);

    QWidget* m_window;
    bool m_running = false;
    bool m_closeAfter = false;
};
