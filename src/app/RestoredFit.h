// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTimer;
class QWidget;

// Restored from maximised, a window gets its design size back from the window manager, which
// may not fit a small screen: once the manager has placed the frame, and its size is known,
// a window larger than the screen's free area shrinks into it.
class RestoredFit : public QObject {
    Q_OBJECT
public:
    explicit RestoredFit(QWidget& window);
    // Whether a restored window is still to fit itself to its screen.
    bool pending() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();

    QWidget& m_window;
    QTimer* m_timer; // runs from a restore until the fit
};
