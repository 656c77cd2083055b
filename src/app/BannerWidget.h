// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <array>

// The drawn banner at the top right of the main window: the logo and three lines of text,
// every size and position a fixed fraction of the banner's height so it scales as a whole.
class BannerWidget : public QWidget {
    Q_OBJECT
public:
    struct Line {
        QString text;
        double pointSize;
        QPoint topLeft;
    };
    struct Layout {
        std::array<Line, 3> lines;
        QPointF logoTopLeft;
        double logoSide;
    };

    explicit BannerWidget(QWidget* parent = nullptr);
    static Layout layoutFor(int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_logo;
};
