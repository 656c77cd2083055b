// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A row label: its text (kept in the "Tag" property) drawn at (1, 1) in the bold row font.
class LabelBox : public QWidget {
    Q_OBJECT
public:
    explicit LabelBox(QWidget* parent = nullptr);
    void setTag(const QString& text);
    QString tag() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
