// SPDX-License-Identifier: GPL-3.0-or-later
#include "legend/LegendFile.h"

#include "legend/LegendSheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

// The PNG's resolution: sharp on paper, a few hundred kilobytes on disk.
constexpr int PngDotsPerInch = 150;

} // namespace

std::optional<LegendFormat> LegendFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return LegendFormat::Pdf;
    if (suffix == QLatin1String("svg"))
        return LegendFormat::Svg;
    if (suffix == QLatin1String("png"))
        return LegendFormat::Png;
    return std::nullopt;
}

QString LegendFormatsReason() {
    return QCoreApplication::translate("LegendFile", "A legend is written as .pdf, .svg or .png");
}

QByteArray RenderLegend(const LegendSheet& sheet, LegendFormat format, const QPageSize& pageSize) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSizeF points = pageSize.size(QPageSize::Point);
    switch (format) {
    case LegendFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(sheet.title());
        pdf.setCreator(QStringLiteral("TARVEN-PAD Programmer"));
        pdf.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&pdf);
        sheet.paint(painter, QRectF(0, 0, pdf.width(), pdf.height()));
        break;
    }
    case LegendFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setTitle(sheet.title());
        svg.setResolution(72); // one unit a point
        svg.setSize(points.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), points));
        QPainter painter(&svg);
        sheet.paint(painter, QRectF(QPointF(0, 0), points));
        break;
    }
    case LegendFormat::Png: {
        const QSize pixels = pageSize.sizePixels(PngDotsPerInch);
        QImage image(pixels, QImage::Format_Grayscale8);
        image.setDotsPerMeterX(int(PngDotsPerInch / 0.0254));
        image.setDotsPerMeterY(int(PngDotsPerInch / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            sheet.paint(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        }
        image.save(&buffer, "PNG");
        break;
    }
    }
    return bytes;
}

FileResult WriteLegend(const LegendSheet& sheet, const QString& path, const QPageSize& pageSize,
                       ReaderWait wait) {
    const std::optional<LegendFormat> format = LegendFormatOf(path);
    if (!format) {
        FileResult r =
            FileResult::failure(FileResult::Status::WriteFailed,
                                QCoreApplication::translate(
                                    "LegendFile", "%1: a legend is written as .pdf, .svg or .png.")
                                    .arg(QDir::toNativeSeparators(path)));
        r.reason = LegendFormatsReason();
        return r;
    }
    return WriteOutput(path, RenderLegend(sheet, *format, pageSize), ExistingTail::Drop, wait);
}
