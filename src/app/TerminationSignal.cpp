// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminationSignal.h"

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The pipe's two ends: the handler writes, the event loop reads. One window per process.
int signalPipe[2] = {-1, -1};

void onTermination(int) {
    const int saved = errno;
    const char byte = 1;
    // Nothing else is safe here; a full pipe already holds a pending close.
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

constexpr int Signals[] = {SIGTERM, SIGINT};

} // namespace

TerminationSignal::TerminationSignal(QWidget* window) : m_window(window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignal::onSignal);
    struct sigaction action = {};
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : Signals)
        sigaction(s, &action, nullptr);
}

TerminationSignal::~TerminationSignal() {
    if (!m_notifier)
        return;
    for (const int s : Signals)
        std::signal(s, SIG_DFL);
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignal::onSignal() {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    m_window->close();
}
