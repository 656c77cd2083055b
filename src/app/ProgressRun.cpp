// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressRun.h"

#include "app/StatusWindow.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <utility>

ProgressRun::ProgressRun(QWidget* window) : QObject(window), m_window(window) {}

void ProgressRun::changed(bool wasBusy) {
    if (busy() != wasBusy)
        emit busyChanged(busy());
    if (!m_running && std::exchange(m_closeAfter, false))
        QTimer::singleShot(0, m_window, &QWidget::close);
}

bool ProgressRun::mayCloseWindow() {
    // A unit is open while a run is under way: close once it has ended.
    if (m_running)
        m_closeAfter = true;
    return !m_running;
}

bool ProgressRun::hold(const QObject* holder) {
    if (busy())
        return false;
    m_holder = holder;
    changed(false);
    return true;
}

void ProgressRun::release(const QObject* holder) {
    if (m_holder != holder)
        return;
    const bool wasBusy = busy();
    m_holder = nullptr;
    changed(wasBusy);
}

bool ProgressRun::run(const std::function<void(StatusWindow&)>& work,
                      const std::function<void()>& afterwards, const QObject* holder) {
    if (m_running || (m_holder && m_holder != holder))
        return false;
    const bool wasBusy = busy();
    m_running = true;
    changed(wasBusy);
    auto status = std::make_unique<StatusWindow>(m_window);
    status->show();
    QCoreApplication::processEvents();
    work(*status);
    status.reset();
    QCoreApplication::processEvents();
    if (afterwards)
        afterwards();
    m_running = false;
    changed(true);
    return true;
}
