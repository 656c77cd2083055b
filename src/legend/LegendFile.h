// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileAccess.h"
#include "files/FileResult.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <optional>

class LegendSheet;

// A legend sheet as a file: PDF, SVG or PNG, chosen by the name's extension.
enum class LegendFormat { Pdf, Svg, Png };

// The format a file name asks for, whatever the case of its extension; nothing for others.
std::optional<LegendFormat> LegendFormatOf(const QString& path);

// Why a name without one of those extensions takes no legend, as a sentence without its stop.
QString LegendFormatsReason();

// The sheet on one page of `pageSize`, as the bytes of a file of that format.
QByteArray RenderLegend(const LegendSheet& sheet, LegendFormat format, const QPageSize& pageSize);

// Renders the sheet and writes it through the one writer, so a failed write leaves an
// existing file as it was.
FileResult WriteLegend(const LegendSheet& sheet, const QString& path, const QPageSize& pageSize,
                       ReaderWait wait);
