// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LabelBox.h"

#include <QPainter>
#include <QVariant>

LabelBox::LabelBox(QWidget* parent) : QWidget(parent) {}

void LabelBox::setTag(const QString& text) {
    setProperty("Tag", text);
    update();
}

QString LabelBox::tag() const {
    return property("Tag").toString();
}

void LabelBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QPoint(1, 1 + p.fontMetrics().ascent()), tag());
}
