// SPDX-License-Identifier: GPL-3.0-or-later
// The TARVEN-PAD Programmer on the encoders attached to this computer.
#include "FileAccess.h"
#include "HidapiAccess.h"
#include "Module1.h"
#include "ProgrammerServices.h"
#include "QtUserDialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ReportWriteSignalsAsErrors(true);
    QApplication::setApplicationName(QStringLiteral("TARVEN-PAD Programmer"));
    QApplication::setDesktopFileName(QStringLiteral("com.quelmark.TarvenpadProgrammer"));
    HidapiAccess access(QStringLiteral("/sys"));
    QtUserDialogs dialogs;
    return Module1::Main(ProgrammerServices{access, dialogs});
}
