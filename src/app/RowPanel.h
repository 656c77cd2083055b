// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The panel that carries a set of rows and draws their grey grid: a rule under each row and
// one between the check boxes and the labels.
class RowPanel : public QWidget {
    Q_OBJECT
    // For the tests' probe, which reports what the screen shows.
    Q_PROPERTY(int highlightedRow READ highlightedRow)
    // When the highlight last reached the screen, in milliseconds of the monotonic clock, so
    // that the time from a unit's key report to the row shown can be measured.
    Q_PROPERTY(double highlightPaintedAt READ highlightPaintedAt)
public:
    // Every row is this many pixels high; the scroll bar moves the panel by whole rows.
    static constexpr int RowPitch = 25;

    RowPanel(int rows, int ruleOffset, QWidget* parent = nullptr);
    void setSeparatorX(int x);
    // The row drawn highlighted, the one an identified press came from; -1 for none.
    void setHighlightedRow(int row);
    int highlightedRow() const { return m_highlighted; }
    double highlightPaintedAt() const { return m_paintedAt; }
    // The y of the rule under row i.
    int ruleY(int row) const { return RowPitch * row + m_ruleOffset; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_rows;
    int m_ruleOffset;
    int m_separatorX = -1;
    int m_highlighted = -1;
    bool m_highlightMoved = false;
    double m_paintedAt = 0;
};
