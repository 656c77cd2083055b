// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QScrollBar;
class RowPanel;
class RowSet;

// The input rows' sunken viewport (`PicEdge`): the rows' panel scrolls under its border by
// whole rows, with the scroll bar at its right edge. It fits the scroll bar to its own size,
// turns the scroll bar for the wheel anywhere over the rows, and brings a row the keyboard
// reaches into view.
class InputScrollArea : public QFrame {
    Q_OBJECT
public:
    explicit InputScrollArea(QWidget* parent = nullptr);

    RowPanel* panel() const { return m_panel; }
    RowSet& rows() const { return *m_rows; }
    QScrollBar* scrollBar() const { return m_scroll; }
    // Scrolls by whole rows until input row `row` is in view.
    void scrollRowIntoView(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyScroll();

    QWidget* m_view;
    RowPanel* m_panel;
    RowSet* m_rows;
    QScrollBar* m_scroll;
};
