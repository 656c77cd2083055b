// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <csignal>
#include <initializer_list>
#include <vector>

// The signals that end a program (a logout, a service manager, `kill`, Ctrl+C) turned into
// news for the event loop, so that a unit holding the temporary configuration gets its own
// back before the program ends. The handler only writes a byte into a socket pair. One at a time
// per process; the handlers from before come back when it goes.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(std::initializer_list<int> caught, QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // False when the signals could not be caught (no socket pair): they act as usual.
    bool catching() const;
    // Whether one of them has arrived since this began, even before an event loop ran.
    bool raised() const;

signals:
    void stopRequested();

private:
    std::vector<int> m_caught;
    std::vector<struct sigaction> m_old;
};
