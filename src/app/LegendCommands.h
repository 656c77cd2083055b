// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

class Configuration;
class QWidget;
class UserDialogs;

// Print Legend and Export Legend: the configuration's legend sheet on paper through the
// system's print dialog, or as a PDF, SVG or PNG file.
class LegendCommands {
    Q_DECLARE_TR_FUNCTIONS(LegendCommands)

public:
    LegendCommands(const Configuration& config, UserDialogs& dialogs, QWidget* window);

    void printLegend();
    void exportLegend();

private:
    const Configuration& m_config;
    UserDialogs& m_dialogs;
    QWidget* m_window;
};
