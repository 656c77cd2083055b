// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QWidget;
class StatusWindow;

// The window's device commands, one at a time, each with the progress window up. A command
// made of several runs and the user's time between them (Identify Inputs) holds the units,
// and only its own runs go meanwhile. A window that is asked to close while a command runs
// closes once it has ended, never with a unit open.
class ProgressRun : public QObject {
    Q_OBJECT
public:
    explicit ProgressRun(QWidget* window);

    // A run is under way: the progress window is up.
    bool running() const { return m_running; }
    // A run is under way or a command holds the units.
    bool busy() const { return m_running || m_holder; }

    // Runs `work` with the progress window up, which `work` reports its progress to;
    // `afterwards` once that window has gone, before the command counts as ended. False, and
    // nothing run, while another run is under way or another `holder` holds the units.
    [[nodiscard]] bool run(const std::function<void(StatusWindow&)>& work,
                           const std::function<void()>& afterwards = nullptr,
                           const QObject* holder = nullptr);
    // Holds the units for `holder` until release(); false while busy.
    [[nodiscard]] bool hold(const QObject* holder);
    void release(const QObject* holder);

    // Asked by the window's close: false while a run is under way (the window closes after it).
    bool mayCloseWindow();

signals:
    // Whether busy() holds now.
    void busyChanged(bool busy);

private:
    void changed(bool wasBusy);

    QWidget* m_window;
    bool m_running = false;
    const QObject* m_holder = nullptr;
    bool m_closeAfter = false;
};
