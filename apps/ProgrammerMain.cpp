// SPDX-License-Identifier: GPL-3.0-or-later
// The TARVEN-PAD Programmer on the encoders attached to this computer.
#include "app/Module1.h"
#include "app/ProgrammerServices.h"
#include "app/QtUserDialogs.h"
#include "files/FileAccess.h"
#include "files/Translations.h"
#include "hidraw/EvdevKeySource.h"
#include "hidraw/HidapiAccess.h"
#include "hidraw/UdevPlugMonitor.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ReportWriteSignalsAsErrors(true);
    Translations::install(app);
    QApplication::setApplicationName(QStringLiteral("TARVEN-PAD Programmer"));
    QApplication::setDesktopFileName(QStringLiteral("com.quelmark.TarvenpadProgrammer"));
    HidapiAccess access(QStringLiteral("/sys"));
    QtUserDialogs dialogs;
    ProgrammerServices services{access, dialogs};
    services.plugMonitor = [] { return std::make_unique<UdevPlugMonitor>(); };
    services.keyPresses = [](const QString& node, KeyPressSource::Failure& failure) {
        return std::unique_ptr<KeyPressSource>(EvdevKeySource::open(node, failure));
    };
    return Module1::Main(services);
}
