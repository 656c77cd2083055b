// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RowPanel.h"

#include <QPainter>
#include <chrono>

namespace {
// The grey of the grid between the rows.
const QColor GridColour(170, 170, 170);
// The highlighted row: the lit yellow of the input test, paler so the row stays readable.
const QColor HighlightColour(255, 222, 110);
} // namespace

RowPanel::RowPanel(int rows, int ruleOffset, QWidget* parent)
    : QWidget(parent), m_rows(rows), m_ruleOffset(ruleOffset) {
    setAutoFillBackground(true);
}

void RowPanel::setSeparatorX(int x) {
    m_separatorX = x;
    update();
}

void RowPanel::setHighlightedRow(int row) {
    m_highlighted = row;
    m_highlightMoved = true;
    update();
}

void RowPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_highlighted >= 0)
        p.fillRect(0, ruleY(m_highlighted) - RowPitch + 1, width(), RowPitch - 1, HighlightColour);
    if (m_highlightMoved) {
        m_highlightMoved = false;
        m_paintedAt = std::chrono::duration<double, std::milli>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
    }
    p.setPen(GridColour);
    for (int i = 0; i < m_rows; ++i)
        p.drawLine(0, ruleY(i), width(), ruleY(i));
    if (m_separatorX >= 0)
        p.drawLine(m_separatorX, 0, m_separatorX, height());
}
