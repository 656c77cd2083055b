// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QEvent;
class QWidget;

// A window that places itself by its outer frame learns that frame only once the window
// manager has mapped it, so it fits again as soon as the frame is reported. This keeps the
// margins the last fit allowed for and says when they are out of date.
class FrameFit {
public:
    explicit FrameFit(const QWidget& window) : m_window(window) {}

    // The frame's width and height beyond the client area as the window manager reports
    // them now: none before the window is mapped.
    QSize margins() const;
    // A fit calls this with the margins it allowed for.
    void fitted(QSize margins) { m_fitted = margins; }
    // After the window has handled `event`: true when the window is shown with a frame
    // other than the last fit allowed for.
    bool outdated(const QEvent& event) const;

private:
    const QWidget& m_window;
    QSize m_fitted{-1, -1};
};
