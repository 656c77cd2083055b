// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/StopSignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

// The socket pair's two ends: the handler writes, the event loop reads.
int stopSocket[2] = {-1, -1};
std::atomic<bool> stopRaised{false};

void onStop(int) {
    const int saved = errno;
    stopRaised = true;
    const char byte = 1;
    // Nothing else is safe here; a full socket already holds a pending stop.
    [[maybe_unused]] const ssize_t n = ::write(stopSocket[1], &byte, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals(std::initializer_list<int> caught, QObject* parent)
    : QObject(parent), m_caught(caught), m_old(caught.size()) {
    stopRaised = false;
    // Without the socket pair a caught signal would reach no one: the signals then keep
    // their usual effect instead of being swallowed.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, stopSocket) != 0) {
        m_caught.clear();
        return;
    }
    auto* notifier = new QSocketNotifier(stopSocket[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(stopSocket[0], bytes, sizeof bytes) > 0) {
        }
        emit stopRequested();
    });
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < m_caught.size(); ++i)
        sigaction(m_caught[i], &action, &m_old[i]);
}

StopSignals::~StopSignals() {
    for (size_t i = 0; i < m_caught.size(); ++i)
        sigaction(m_caught[i], &m_old[i], nullptr);
    for (int& fd : stopSocket)
        if (fd >= 0)
            ::close(std::exchange(fd, -1));
}

bool StopSignals::catching() const {
    return !m_caught.empty();
}

bool StopSignals::raised() const {
    return stopRaised;
}
