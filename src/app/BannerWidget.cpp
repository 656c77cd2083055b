// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BannerWidget.h"

#include <QPainter>
#include <cmath>

BannerWidget::BannerWidget(QWidget* parent)
    : QWidget(parent), m_logo(QStringLiteral(":/logo.png")) {
    setObjectName(QStringLiteral("Picture2"));
}

BannerWidget::Layout BannerWidget::layoutFor(int height) {
    const double h = height;
    const auto at = [h](double y) { return QPoint(int(std::lround(h)), int(std::lround(y))); };
    return {{{{tr("QUELMARK"), h / 4.5, at(h / 10)},
              {tr("ELECTRONICS"), h / 5.5, at(h / 2.3)},
              {tr("TARVEN-PAD Configuration Program"), h / 13, at(h / 1.3)}}},
            QPointF(h / 10, h / 10),
            0.8 * h};
}

void BannerWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(palette().color(QPalette::ButtonText));
    const Layout layout = layoutFor(height());
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    for (const Line& line : layout.lines) {
        if (line.pointSize <= 0)
            continue;
        font.setPointSizeF(line.pointSize);
        p.setFont(font);
        // The position is the text's top left corner, as for the label boxes.
        p.drawText(line.topLeft + QPoint(0, p.fontMetrics().ascent()), line.text);
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRectF(layout.logoTopLeft, QSizeF(layout.logoSide, layout.logoSide)), m_logo,
                 QRectF(m_logo.rect()));
}
