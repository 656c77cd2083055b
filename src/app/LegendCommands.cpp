// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LegendCommands.h"

#include "app/ChooseFileToWrite.h"
#include "app/UserDialogs.h"
#include "files/FileAccess.h"
#include "legend/LegendFile.h"
#include "legend/LegendSheet.h"
#include "model/Configuration.h"

#include <QDate>
#include <QDir>
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
    const QString title = tr("Export Legend");
    // A name that takes no legend is refused before an existing file's replacement is asked
    // about.
    const std::optional<QString> path = ChooseFileToWrite(
        m_dialogs, m_window, title, QString(),
        [this](const QString& suggestion) {
            return m_dialogs.chooseLegendFile(m_window, suggestion);
        },
        [&](const QString& chosen) {
            if (LegendFormatOf(chosen))
                return true;
            m_dialogs.message(m_window,
                              tr("Cannot save the legend to \"%1\":\n%2.\n\n"
                                 "Nothing has been saved.")
                                  .arg(QDir::toNativeSeparators(chosen), LegendFormatsReason()),
                              title, UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
            return false;
        });
    if (!path)
        return;
    const LegendSheet sheet(m_config, m_config.currentFileName(), QDate::currentDate());
    const FileResult r =
        WriteLegend(sheet, *path, LegendSheet::defaultPageSize(), ReaderWait::Refuse);
    if (!r.ok())
        m_dialogs.message(m_window,
                          tr("Cannot save the legend to \"%1\":\n%2.\n\n"
                             "The legend has not been saved.")
                              .arg(QDir::toNativeSeparators(*path), r.reason),
                          title, UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
}
