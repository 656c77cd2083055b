// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalProgress.h"

#include <QtMath>

TerminalProgress::TerminalProgress(QTextStream& err, bool enabled)
    : m_err(err), m_enabled(enabled) {}

TerminalProgress::~TerminalProgress() {
    finish();
}

void TerminalProgress::showProgress(TransferDirection direction, int done, int total) {
    if (!m_enabled || total <= 0)
        return;
    constexpr int Width = 30;
    const int percent = qRound(done * 100.0 / total);
    const int filled = done * Width / total;
    const QString text = direction == TransferDirection::Writing
                             ? tr("Writing configuration - %1%").arg(percent)
                             : tr("Reading configuration - %1%").arg(percent);
    m_err << '\r' << '[' << QString(filled, QLatin1Char('#'))
          << QString(Width - filled, QLatin1Char(' ')) << "] " << text << "   ";
    m_err.flush();
    m_drawn = true;
}

void TerminalProgress::finish() {
    if (m_drawn) {
        m_err << '\n';
        m_err.flush();
        m_drawn = false;
    }
}
