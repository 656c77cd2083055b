// SPDX-License-Identifier: GPL-3.0-or-later
#include "XDisplay.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRect>
#include <QRegularExpression>
#include <QThread>
#include <functional>
#include <unistd.h>

namespace {

bool waitUntil(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (done())
            return true;
        QThread::msleep(20);
    }
    return done();
}

} // namespace

XDisplay::XDisplay(QSize screen) : m_screen(screen) {
    // Parallel suites each take a free display number; the server's lock file says which
    // are in use.
    for (int attempt = 0; attempt < 40 && !m_running; ++attempt) {
        const int n = 200 + int((getpid() * 7 + attempt * 13) % 700);
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        m_name = QStringLiteral(":%1").arg(n);
        m_server.setStandardOutputFile(QProcess::nullDevice());
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start(QStringLiteral("Xvfb"),
                       {m_name, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                        QStringLiteral("-noreset")});
        if (!m_server.waitForStarted(5000))
            return;
        m_running = waitUntil(
            [&] {
                return m_server.state() == QProcess::Running &&
                       !run(QStringLiteral("xdpyinfo"), {}, 2000).isEmpty();
            },
            5000);
        if (!m_running) {
            m_server.kill();
            m_server.waitForFinished(2000);
        }
    }
    if (!m_running)
        return;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_name);
    m_windowManager.setProcessEnvironment(env);
    m_windowManager.setStandardOutputFile(QProcess::nullDevice());
    m_windowManager.setStandardErrorFile(QProcess::nullDevice());
    m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    m_running =
        m_windowManager.waitForStarted(5000) &&
        waitUntil(
            [&] {
                return run(QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains(QLatin1String("window id"));
            },
            10000);
}

XDisplay::~XDisplay() {
    for (QProcess* p : {&m_windowManager, &m_server}) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(3000)) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }
}

QString XDisplay::run(const QString& program, const QStringList& args, int timeoutMs) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_name);
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return out.isEmpty() ? QStringLiteral(" ") : out;
}

void XDisplay::moveTo(int x, int y) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                    QString::number(x), QString::number(y)});
}

void XDisplay::click(int x, int y, int button) const {
    moveTo(x, y);
    run(QStringLiteral("xdotool"), {QStringLiteral("click"), QString::number(button)});
}

void XDisplay::press(int x, int y, int button) const {
    moveTo(x, y);
    run(QStringLiteral("xdotool"), {QStringLiteral("mousedown"), QString::number(button)});
}

void XDisplay::release(int button) const {
    run(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QString::number(button)});
}

void XDisplay::key(const QString& keys) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30"), keys});
}

void XDisplay::type(const QString& text) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), text});
}

void XDisplay::screenshot(const QString& path) const {
    run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path}, 20000);
}

QRect XDisplay::frameOf(const QString& title) const {
    const QString id =
        run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
             QStringLiteral("^%1$").arg(QRegularExpression::escape(title))})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
            .value(0)
            .trimmed();
    if (id.isEmpty())
        return {};
    // The client's place on the root window, then the frame around it.
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    auto number = [&](const char* label) {
        const QRegularExpression re(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(label)));
        return re.match(info).captured(1).toInt();
    };
    QRect client(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
                 number("Height"));
    const QString extents = run(QStringLiteral("xprop"),
                                {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")});
    const QRegularExpression re(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"));
    const auto m = re.match(extents);
    if (m.hasMatch())
        client.adjust(-m.captured(1).toInt(), -m.captured(3).toInt(), m.captured(2).toInt(),
                      m.captured(4).toInt());
    return client;
}
