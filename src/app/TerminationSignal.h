// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// SIGTERM (a logout, a service manager, `kill`) and SIGINT close the window through its
// normal close, as the user's close would: a unit being identified gets its own
// configuration back first. The signal handler only writes a byte into a pipe; the window
// is closed from the event loop.
class TerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QWidget* window);
    ~TerminationSignal() override;
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

private:
    void onSignal();

    QWidget* m_window;
    QSocketNotifier* m_notifier = nullptr;
};
