// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RestoredFit.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

RestoredFit::RestoredFit(QWidget& window)
    : QObject(&window), m_window(window), m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &RestoredFit::fit);
    window.installEventFilter(this);
}

bool RestoredFit::pending() const {
    return m_timer->isActive();
}

bool RestoredFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::WindowStateChange &&
        m_window.windowState() == Qt::WindowNoState &&
        (static_cast<QWindowStateChangeEvent*>(event)->oldState() &
         (Qt::WindowMaximized | Qt::WindowFullScreen)))
        m_timer->start();
    return QObject::eventFilter(watched, event);
}

void RestoredFit::fit() {
    const QScreen* s = m_window.screen();
    if (!s || m_window.windowState() != Qt::WindowNoState)
        return;
    const QRect free = s->availableGeometry();
    const QRect frame = m_window.frameGeometry();
    if (free.contains(frame))
        return;
    const QSize margins = frame.size() - m_window.size();
    m_window.resize(m_window.size().boundedTo(free.size() - margins));
    const QRect now = m_window.frameGeometry();
    m_window.move(
        m_window.pos() +
        QPoint(std::max(free.left() - now.left(), std::min(0, free.right() - now.right())),
               std::max(free.top() - now.top(), std::min(0, free.bottom() - now.bottom()))));
}
