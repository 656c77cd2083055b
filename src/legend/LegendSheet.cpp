// SPDX-License-Identifier: GPL-3.0-or-later
#include "legend/LegendSheet.h"

#include "model/Configuration.h"
#include "model/PanelRole.h"
#include "model/SlotRole.h"
#include "model/SlotText.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <langinfo.h>
#include <utility>

namespace {

// The sheet is laid out in tenths of a point on an A4 page and scaled to the page it is
// drawn on; fonts take whole pixel sizes, so a tenth keeps them exact enough.
constexpr double Width = 5953;
constexpr double Height = 8419;
constexpr double Margin = 360;
constexpr double Gap = 60;
constexpr int Columns = 6;

QFont sheetFont(int tenths, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(tenths);
    font.setBold(bold);
    // Any letter spacing turns ligatures off, so that "fi" stays two letters in a PDF's text
    // (searching it, copying from it); a 64th of a unit is the least there is, and invisible.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 64);
    return font;
}

// `text` broken into lines at its blanks only (a key name such as "!1" never splits, a "+"
// stays at the end of its line), in the largest font up to `tenths` in which it fits `box`.
QString fitText(const QString& text, const QRectF& box, int tenths, QFont& font) {
    font = sheetFont(tenths, true);
    const QString plus = QStringLiteral(" + ");
    QStringList words;
    const QStringList parts = text.split(plus);
    for (int i = 0; i < parts.size(); ++i) {
        words << parts[i].split(QLatin1Char(' '));
        if (i + 1 < parts.size())
            words.last() += plus.chopped(1);
    }
    for (;;) {
        const QFontMetricsF metrics(font);
        QStringList lines;
        bool fits = true;
        for (const QString& word : words) {
            fits = fits && metrics.horizontalAdvance(word) <= box.width();
            const QString longer = lines.isEmpty() ? word : lines.last() + QLatin1Char(' ') + word;
            if (!lines.isEmpty() && metrics.horizontalAdvance(longer) <= box.width())
                lines.last() = longer;
            else
                lines << word;
        }
        if ((fits && lines.size() * metrics.lineSpacing() <= box.height()) ||
            font.pixelSize() <= 50)
            return lines.join(QLatin1Char('\n'));
        font.setPixelSize(font.pixelSize() - 10);
    }
}

// `text` on one line at the top of `box`, in the largest font from `tenths` down to the
// smallest that stays readable, cut short with an ellipsis where even that is too wide.
// Returns where the next line starts.
double paintLine(QPainter& painter, const QRectF& box, const QString& text, int tenths,
                 bool italic) {
    constexpr int Smallest = 70;
    QFont font = sheetFont(tenths);
    font.setItalic(italic);
    while (font.pixelSize() > Smallest && QFontMetricsF(font).horizontalAdvance(text) > box.width())
        font.setPixelSize(font.pixelSize() - 5);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop,
                     metrics.elidedText(text, Qt::ElideRight, box.width()));
    return box.top() + QFontMetricsF(sheetFont(tenths)).lineSpacing();
}

// A role's lines are smaller than the key's words: what the input sends comes first.
constexpr int RoleTenths = 90;

// What a tile says a slot is for, a line each: the role, named in the words emulators use in
// their settings, and the user's own label, set apart in italics.
QList<std::pair<QString, bool>> roleLines(const SlotRole& r) {
    QList<std::pair<QString, bool>> lines;
    if (r.role != PanelRole::None)
        lines.append({PanelRole::name(r.role), false});
    if (!r.label.isEmpty())
        lines.append({r.label, true});
    return lines;
}

double roleHeight(const SlotRole& r) {
    return roleLines(r).size() * QFontMetricsF(sheetFont(RoleTenths)).lineSpacing();
}

void paintRole(QPainter& painter, const QRectF& box, const SlotRole& r) {
    double y = box.top();
    for (const auto& [text, italic] : roleLines(r))
        y = paintLine(painter, QRectF(box.left(), y, box.width(), box.bottom() - y), text,
                      RoleTenths, italic);
}

} // namespace

LegendSheet::LegendSheet(const Configuration& config, const QString& fileName, const QDate& date)
    : m_config(config), m_fileName(fileName), m_date(date) {}

QPageSize LegendSheet::defaultPageSize() {
    // glibc keeps the paper of LC_PAPER in millimetres; the United States' letter paper is
    // 216 mm wide, everything else we meet is A4.
    const auto width = reinterpret_cast<quintptr>(nl_langinfo(_NL_PAPER_WIDTH));
    return QPageSize(width == 216 ? QPageSize::Letter : QPageSize::A4);
}

QString LegendSheet::title() const {
    return m_fileName.isEmpty() ? tr("Unsaved configuration") : QFileInfo(m_fileName).fileName();
}

void LegendSheet::paint(QPainter& painter, const QRectF& page) const {
    painter.save();
    // The page's own shape: a Letter page is wider and shorter than A4, so the sheet takes
    // the smaller scale and is centred in the other direction.
    const double scale = std::min(page.width() / Width, page.height() / Height);
    painter.translate(page.center());
    painter.scale(scale, scale);
    painter.translate(-Width / 2, -Height / 2);
    painter.fillRect(QRectF(0, 0, Width, Height).adjusted(-Width, -Height, Width, Height),
                     Qt::white);
    painter.setPen(Qt::black);

    double y = paintTitle(painter);
    const double inner = Width - 2 * Margin;
    const double tile = (inner - (Columns - 1) * Gap) / Columns;
    const double tileHeight = 720;
    for (int slot = 0; slot < Configuration::InputCount; ++slot)
        paintTile(painter,
                  QRectF(Margin + (slot % Columns) * (tile + Gap),
                         y + (slot / Columns) * (tileHeight + Gap), tile, tileHeight),
                  slot);
    y += 6 * (tileHeight + Gap) + 100;

    if (m_config.aux().rotaryOnAux) {
        y = paintHeading(painter, y, OptionName(Configuration::Option::RotaryOnAux));
        const double wide = (inner - 4 * Gap) / 5;
        const double high = 560;
        for (int j = 0; j < Configuration::RotaryCount; ++j)
            paintTile(
                painter,
                QRectF(Margin + (j / 2) * (wide + Gap), y + (j % 2) * (high + Gap), wide, high),
                Configuration::InputCount + j);
        y += 2 * (high + Gap) + 100;
    }
    paintOptions(painter, paintHeading(painter, y, tr("Options")));
    painter.restore();
}

double LegendSheet::paintTitle(QPainter& painter) const {
    const double inner = Width - 2 * Margin;
    double y = Margin;
    painter.setFont(sheetFont(200, true));
    const QRectF titleBox(Margin, y, inner, 280);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, tr("TARVEN-PAD: %1").arg(title()));
    painter.setFont(sheetFont(110));
    painter.drawText(titleBox, Qt::AlignRight | Qt::AlignVCenter, m_date.toString(Qt::ISODate));
    y += 300;
    painter.setPen(QPen(Qt::black, 12));
    painter.drawLine(QPointF(Margin, y), QPointF(Width - Margin, y));
    return y + 120;
}

double LegendSheet::paintHeading(QPainter& painter, double y, const QString& text) {
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(140, true));
    painter.drawText(QRectF(Margin, y, Width - 2 * Margin, 200), Qt::AlignLeft | Qt::AlignVCenter,
                     text);
    return y + 220;
}

void LegendSheet::paintOptions(QPainter& painter, double y) const {
    painter.setFont(sheetFont(120));
    const double column = (Width - 2 * Margin) / 2;
    int i = 0;
    for (const Configuration::Option option : Configuration::Options) {
        const bool on = m_config.option(option);
        // A ticked or empty box, and the word beside it.
        const QRectF box(Margin + (i % 2) * column, y + (i / 2) * 200 + 30, 120, 120);
        painter.setPen(QPen(Qt::black, 12));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        if (on) {
            painter.drawLine(box.topLeft() + QPointF(20, 60), box.center() + QPointF(-10, 40));
            painter.drawLine(box.center() + QPointF(-10, 40), box.topRight() + QPointF(-15, 15));
        }
        painter.drawText(QRectF(box.right() + 60, box.top() - 40, column - 200, 200),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         tr("%1: %2").arg(OptionName(option), OnOffText(on)));
        ++i;
    }
}

void LegendSheet::paintTile(QPainter& painter, const QRectF& box, int slot) const {
    const KeySlot& s = m_config.slot(slot);
    const bool used = s.keyCode != 0;
    // A used input has a solid frame, an unused one a thin dashed frame.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(used ? QPen(Qt::black, 24) : QPen(Qt::black, 8, Qt::DashLine));
    painter.drawRoundedRect(box, 40, 40);
    painter.setPen(Qt::black);
    const QRectF inside = box.adjusted(50, 40, -50, -40);
    painter.setFont(sheetFont(100));
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop, SlotName(slot));
    QRectF words = inside.adjusted(0, 140, 0, 0);
    if (used && s.repeat) { // nothing sent, nothing repeated
        painter.setFont(sheetFont(95));
        painter.drawText(inside, Qt::AlignLeft | Qt::AlignBottom,
                         QStringLiteral("\u21bb ") + FlagName(Configuration::Flag::Repeat));
        words.adjust(0, 0, 0, -130);
    }
    // The role's lines sit at the foot, under the key's words, and are drawn after them, so
    // that a PDF's text reads each input, its key, then what it is for.
    const SlotRole& r = m_config.slotRole(slot);
    QRectF role = words;
    role.setTop(words.bottom() - roleHeight(r));
    words.setBottom(role.top() - (role.height() > 0 ? 10 : 0));
    QFont font;
    const QString text = fitText(AssignmentText(s), words, used ? 150 : 100, font);
    font.setBold(used);
    painter.setFont(font);
    painter.drawText(words, Qt::AlignCenter, text);
    paintRole(painter, role, r);
}
