// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Module1.h"

#include "app/IdentifyCommands.h"
#include "app/MainWindow.h"
#include "app/ProgrammerServices.h"
#include "app/RestoreOffers.h"
#include "app/UserDialogs.h"
#include "device/AccessSetup.h"
#include "device/HidAccess.h"
#include "device/UnitListScope.h"
#include "process/StopSignals.h"
#include "windowfit/ScreenMetrics.h"

#include <QApplication>
#include <QDir>
#include <QStorageInfo>
#include <cstring>

QString Module1::NoDeviceText() {
    return tr("        No TARVEN-PAD devices detected !\n\n"
              "Click the OK button below, plug the TARVEN-PAD\n"
              "into the USB Port, and restart the program.");
}

QString Module1::DistributionDiscText() {
    return tr("Warning: The TARVEN-PAD programs must be copied to and run\n"
              "from its own folder on the PC's harddrive. The CD itself\n"
              "should be reserved for backup purposes only.");
}

QString Module1::noDeviceMessage(const OpenFailure& failure, const AccessSetup& setup) {
    if (failure.kind != OpenFailure::Kind::AccessDenied)
        return NoDeviceText();
    // The unit is plugged in: telling the user to plug it in would send them in circles.
    const QString reason = QString::fromLocal8Bit(std::strerror(failure.systemError));
    const QString where = failure.path.isEmpty() ? tr("unit %1").arg(failure.unit) : failure.path;
    QString text =
        NoDeviceText() + tr("\n\nA TARVEN-PAD is attached, but this user may not open it (%1: %2).")
                             .arg(where, reason);
    // What to do depends on how the programmer was installed and how the user logged in.
    for (const AccessSetup::Step step : setup.steps()) {
        switch (step) {
        case AccessSetup::Step::InstallFromBuild:
            text += tr("\n\nThe udev rule that gives access is not installed. Install it from "
                       "this build:\n%1")
                        .arg(setup.installCommands());
            break;
        case AccessSetup::Step::InstallPackage:
            text += tr("\n\nThe udev rule that gives access is not installed. Install the "
                       "tarvenpad-programmer package, which brings it.");
            break;
        case AccessSetup::Step::ReplugAtSeat:
            text += tr("\n\nThe udev rule gives the user at the seat access: unplug the "
                       "TARVEN-PAD, plug it in again and restart the program.");
            break;
        case AccessSetup::Step::JoinPlugdev:
            text += tr("\n\nWithout a desktop session at the seat (a kiosk, a remote display), "
                       "access comes from the plugdev group. Join it and log in again:\n%1")
                        .arg(AccessSetup::joinCommand());
            break;
        case AccessSetup::Step::ApplyRuleAgain:
            text += tr("\n\nThe TARVEN-PAD was set up before the rule was in place. Unplug it "
                       "and plug it in again, or have udev apply the rule now:\n%1")
                        .arg(AccessSetup::applyCommand());
            break;
        }
    }
    return text;
}

bool Module1::onDistributionDisc(const QString& currentDir, const QString& volumeRoot,
                                 const QString& volumeLabel) {
    if (volumeRoot.isEmpty() || QDir(currentDir) != QDir(volumeRoot))
        return false;
    return volumeLabel.contains(QLatin1String("TARVENPAD"), Qt::CaseSensitive);
}

std::unique_ptr<MainWindow> Module1::Start(const ProgrammerServices& services) {
    auto form1 = std::make_unique<MainWindow>(services);
    form1->setWindowState(Qt::WindowNoState);
    // The design's top edge, 100 twips, at the design's 15 twips per pixel.
    constexpr int TopTwips = 100, DesignTwipsPerPixel = 15;
    form1->move(form1->x(), TopTwips / DesignTwipsPerPixel);
    form1->setWindowState(Qt::WindowMaximized);
    form1->config().setConfigModified(false);
    ScreenMetrics::store(form1.get());
    form1->config().ClearVariables();
    form1->placeInputRows();

    {
        UnitListScope units(services.access);
        DeviceRecord record;
        if (services.access.OpenHidDevice(DeviceIdentifier, TransferLength, TransferLength, record,
                                          1) != 0) {
            const OpenFailure failure = services.access.lastOpenFailure();
            services.dialogs.message(
                nullptr,
                noDeviceMessage(failure, services.accessSetup ? *services.accessSetup
                                                              : AccessSetup::probe()),
                QString(), UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
            return nullptr;
        }
        services.access.CloseHidDevice(record);
    }

    form1->show();
    const QString here = QDir::currentPath();
    const QStorageInfo volume(here);
    if (volume.isValid() && onDistributionDisc(here, volume.rootPath(), volume.name()))
        services.dialogs.message(form1.get(), DistributionDiscText(), QString(),
                                 UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
    // A configuration kept while an earlier run identified its unit, never put back.
    form1->restoreOffers().offerAll();
    return form1;
}

int Module1::Main(const ProgrammerServices& services) {
    std::unique_ptr<MainWindow> form1 = Start(services);
    if (!form1)
        return 1;
    // SIGTERM, SIGINT, a closed terminal (SIGHUP) and Ctrl+\\ (SIGQUIT) close the window
    // through its normal close, as the user's close would: a unit being identified gets its
    // own configuration back first.
    StopSignals termination({SIGTERM, SIGINT, SIGHUP, SIGQUIT});
    QObject::connect(&termination, &StopSignals::stopRequested, form1.get(), &QWidget::close);
    return QApplication::exec();
}
