// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressRun.h"

#include "app/StatusWindow.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <utility>

ProgressRun::ProgressRun(QWidget* window) : QObject(window), m_window(window) {}

void ProgressRun::setRunning(bool running) {
    m_running = running;
    emit runningChanged(running);
    if (!running && std::exchange(m_closeAfter, false))
        QTimer::singleShot(0, m_window, &QWidget::close);
}

bool ProgressRun::mayCloseWindow() {
    // A unit is open while a command runs: close once it has ended.
    if (m_running)
        m_closeAfter = true;
    return !m_running;
}

bool ProgressRun::run(const std::function<void(StatusWindow&)>& work,
                      const std::function<void()>& afterwards) {
    if (m_running)
        return false;
    setRunning(true);
    auto status = std::make_unique<StatusWindow>(m_window);
    status->show();
    QCoreApplication::processEvents();
    work(*status);
    status.reset();
    QCoreApplication::processEvents();
    if (afterwards)
        afterwards();
    setRunning(false);
    return true;
}
