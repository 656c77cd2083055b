// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <memory>

class MainWindow;
struct AccessSetup;
struct OpenFailure;
struct ProgrammerServices;

// The program's start-up.
class Module1 {
    Q_DECLARE_TR_FUNCTIONS(Module1)
public:
    static QString NoDeviceText();
    static QString DistributionDiscText();

    // Builds the main window, checks for unit 1 and shows the window. Without a unit it
    // says so and returns nothing: the window is never shown.
    static std::unique_ptr<MainWindow> Start(const ProgrammerServices& services);
    // Start, then the program's event loop until the main window closes; the exit status.
    static int Main(const ProgrammerServices& services);

    // What the no-unit message says, with advice fitted to `setup` when the unit is there but
    // may not be opened.
    static QString noDeviceMessage(const OpenFailure& failure, const AccessSetup& setup);
    // Running from the distribution disc: from the root of a volume labelled "...TARVENPAD...".
    static bool onDistributionDisc(const QString& currentDir, const QString& volumeRoot,
                                   const QString& volumeLabel);
};
