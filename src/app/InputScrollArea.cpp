// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InputScrollArea.h"

#include "app/RowPanel.h"
#include "app/RowSet.h"
#include "model/Configuration.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
constexpr int ScrollBarWidth = 17;
constexpr int PanelBorder = 2;
constexpr int RowPitch = RowPanel::RowPitch;
} // namespace

InputScrollArea::InputScrollArea(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PicEdge"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(PanelBorder);
    setFocusPolicy(Qt::StrongFocus);
    // The viewport is the panel's client area, so the rows scroll under the border.
    m_view = new QWidget(this);
    m_view->setObjectName(QStringLiteral("PicEdgeClient"));
    m_view->move(PanelBorder, PanelBorder);
    m_panel = new RowPanel(Configuration::InputCount, 25, m_view);
    m_panel->setObjectName(QStringLiteral("PicInner"));
    m_rows = new RowSet(m_panel, QString(), 0, Configuration::InputCount, 24, this);
    for (int i = 0; i < m_rows->count(); ++i) {
        const RowSet::Row& row = m_rows->row(i);
        for (QWidget* w : {static_cast<QWidget*>(row.repeat), static_cast<QWidget*>(row.control),
                           static_cast<QWidget*>(row.alt), static_cast<QWidget*>(row.shift),
                           static_cast<QWidget*>(row.key)})
            w->installEventFilter(this); // Tab into a row scrolls it into view
    }
    m_scroll = new QScrollBar(Qt::Vertical, m_view);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_scroll->setMinimum(0);
    m_scroll->setSingleStep(1);
    m_scroll->resize(ScrollBarWidth, 1);
    // Dragging the thumb scrolls at once, row by row, not only on release.
    connect(m_scroll, &QScrollBar::valueChanged, this, &InputScrollArea::applyScroll);
    connect(m_scroll, &QScrollBar::sliderMoved, this, &InputScrollArea::applyScroll);
}

void InputScrollArea::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QSize client = size() - QSize(2 * PanelBorder, 2 * PanelBorder);
    m_view->resize(client.expandedTo(QSize(0, 0)));
    m_scroll->setGeometry(client.width() - m_scroll->width(), 0, m_scroll->width(),
                          std::max(client.height(), 1));
    // Scroll while the client area is shorter than the rows' 901 pixels: testing the outer
    // height against 900 instead left Input 36 out of reach at 901 to 904.
    if (client.height() < Configuration::InputCount * RowPitch + 1) {
        const int visibleRows = std::max(client.height(), 0) / RowPitch;
        m_scroll->setPageStep(client.height() >= RowPitch ? visibleRows : 1);
        m_scroll->setMaximum(Configuration::InputCount - visibleRows); // clamps the value
    } else {
        m_scroll->setMaximum(0);
    }
    applyScroll();
}

void InputScrollArea::wheelEvent(QWheelEvent* event) {
    // The wheel anywhere over the rows turns the scroll bar; the rows' own controls pass it
    // on to here.
    QCoreApplication::sendEvent(m_scroll, event);
    event->accept();
}

void InputScrollArea::applyScroll() {
    const int value = m_scroll->isSliderDown() ? m_scroll->sliderPosition() : m_scroll->value();
    m_panel->move(0, -RowPitch * value);
}

void InputScrollArea::scrollRowIntoView(int row) {
    const int visible = std::max(m_view->height() / RowPitch, 1);
    int value = m_scroll->value();
    if (row < value)
        value = row;
    else if (row >= value + visible)
        value = row - visible + 1;
    m_scroll->setValue(value); // whole rows, within the range the panel's size gives
}

bool InputScrollArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Only the keyboard: a click scrolling the row away under the mouse would lose it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
            scrollRowIntoView(w->y() / RowPitch);
    }
    return QFrame::eventFilter(watched, event);
}
