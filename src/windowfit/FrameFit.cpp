// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowfit/FrameFit.h"

#include <QEvent>
#include <QWidget>

QSize FrameFit::margins() const {
    return m_window.frameGeometry().size() - m_window.geometry().size();
}

bool FrameFit::outdated(const QEvent& event) const {
    switch (event.type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::Expose:
        return m_window.isVisible() && margins() != m_fitted;
    default:
        return false;
    }
}
