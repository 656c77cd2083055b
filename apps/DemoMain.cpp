// SPDX-License-Identifier: GPL-3.0-or-later
// The TARVEN-PAD Programmer on two emulated units, for trying it out without an encoder.
// Unit 1 holds a sample configuration; unit 2 is as it left the factory.
#include "app/Module1.h"
#include "app/ProgrammerServices.h"
#include "app/QtUserDialogs.h"
#include "device/DemoUnits.h"
#include "device/EmulatedAccess.h"
#include "files/FileAccess.h"
#include "files/RestoreJournal.h"
#include "files/Translations.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ReportWriteSignalsAsErrors(true);
    Translations::install(app);
    QApplication::setApplicationName(QStringLiteral("TARVEN-PAD Programmer"));
    // Said once on standard error, so nobody takes the demo for the real programmer.
    std::fputs(qPrintable(QCoreApplication::translate(
                   "main", "TARVEN-PAD Programmer demo: two emulated units (serials 4172 and "
                           "12935), nothing is written to hardware; unit 1 holds a sample "
                           "configuration.\n")),
               stderr);
    EmulatedAccess access;
    SetUpDemoUnits(access);
    // About as long as a real exchange takes, so the progress can be seen.
    access.setExchangeDelay(std::chrono::milliseconds(4));
    QtUserDialogs dialogs;
    // What Identify Inputs keeps of the emulated units lives in a folder of the demo's own:
    // a demo killed meanwhile offers it back at its next start, where the restore offer can
    // be tried, and nothing is offered to a real unit that shares a serial number.
    RestoreJournal journal(RestoreJournal::defaultFolder() + QStringLiteral("/demo"));
    ProgrammerServices services{access, dialogs};
    services.journal = &journal;
    return Module1::Main(services);
}
