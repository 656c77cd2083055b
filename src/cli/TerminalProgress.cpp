// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalProgress.h"

#include <QRegularExpression>

TerminalProgress::TerminalProgress(QTextStream& err, bool enabled)
    : m_err(err), m_enabled(enabled) {}

TerminalProgress::~TerminalProgress() {
    finish();
}

void TerminalProgress::SetStatus(const QString& text) {
    if (!m_enabled)
        return;
    static const QRegularExpression percent(QStringLiteral("(\\d+)%$"));
    const auto match = percent.match(text);
    const int value = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int filled = value * 30 / 100;
    m_err << '\r' << '[' << QString(filled, QLatin1Char('#'))
          << QString(30 - filled, QLatin1Char(' ')) << "] " << text << "   ";
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
