// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LegendCommands.h"

#include "app/UserDialogs.h"
#include "legend/LegendFile.h"
#include "legend/LegendSheet.h"
#include "model/Configuration.h"

#include <QDate>
#include <QPainter>
#include <QPrinter>

LegendCommands::LegendCommands(const Configuration& config, UserDialogs& dialogs, QWidget* window)
    : m_config(config), m_dialogs(dialogs), m_window(window) {}

void LegendCommands::printLegend() {
    const LegendSheet sheet(m_config, m_config.currentFileName(), QDate::currentDate());
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(LegendSheet::defaultPageSize());
    printer.setDocName(sheet.title());
    // The sheet keeps its own margins; the page is drawn from the paper's corner.
    printer.setFullPage(true);
    if (!m_dialogs.choosePrinter(m_window, printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_dialogs.message(m_window, tr("The legend could not be printed."), tr("Print Legend"),
                          UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
        return;
    }
    sheet.paint(painter, printer.paperRect(QPrinter::DevicePixel));
}

void LegendCommands::exportLegend() {
    const std::optional<QString> path = m_dialogs.chooseLegendFile(m_window);
    if (!path)
        return;
    const LegendSheet sheet(m_config, m_config.currentFileName(), QDate::currentDate());
    const FileResult r =
        WriteLegend(sheet, *path, LegendSheet::defaultPageSize(), ReaderWait::Refuse);
    if (!r.ok())
        m_dialogs.message(m_window, r.message, tr("Export Legend"), UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
}
