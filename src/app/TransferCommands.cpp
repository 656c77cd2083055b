// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TransferCommands.h"

#include "app/EditHistory.h"
#include "app/FileCommands.h"
#include "app/MultiUnitsWindow.h"
#include "app/ProgressRun.h"
#include "app/StatusWindow.h"
#include "app/UserDialogs.h"
#include "device/DeviceImage.h"
#include "device/DeviceLink.h"
#include "device/UnitListScope.h"
#include "files/RestoreJournal.h"
#include "identify/IdentifySession.h"
#include "model/Configuration.h"

#include <QWidget>
#include <optional>

TransferCommands::TransferCommands(Configuration& config, EditHistory& history,
                                   const ProgrammerServices& services, FileCommands& files,
                                   ProgressRun& run, QWidget* window)
    : QObject(window), m_config(config), m_history(history), m_services(services), m_files(files),
      m_window(window), m_comparison(services.dialogs, window), m_run(run) {
    connect(&m_run, &ProgressRun::busyChanged, this, [this] { emit runningChanged(running()); });
}

TransferCommands::~TransferCommands() = default;

UnitSelector& TransferCommands::unitSelector() {
    if (m_services.unitSelector)
        return *m_services.unitSelector;
    // Owned by the main window, so it stays above it while the user chooses.
    if (!m_multiUnits)
        m_multiUnits = new MultiUnitsWindow(m_window);
    return *m_multiUnits;
}

bool TransferCommands::running() const {
    return m_run.running();
}

void TransferCommands::reportFailure(TransferResult result) {
    if (result == TransferResult::DeviceNotFound)
        m_services.dialogs.message(m_window, tr("Device Not Found"), tr("Error"),
                                   UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
    else if (result == TransferResult::IoError)
        m_services.dialogs.message(m_window, tr("Device I/O Error"), tr("Error"),
                                   UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
}

void TransferCommands::runCommand(const Exchange& exchange, const std::function<void()>& onSuccess,
                                  const std::function<void(TransferResult)>& afterwards) {
    TransferResult result = TransferResult::Success;
    // Refused, it does nothing at all: no outcome, so nothing reads as a success.
    (void)m_run.run(
        [&](StatusWindow& status) {
            {
                // One numbering of the units for the choice and the transfer that follows it.
                UnitListScope units(m_services.access);
                DeviceLink link(m_services.access, status, unitSelector());
                result = exchange(link);
            }
            // Success is applied, and failures are reported, while the progress window still
            // shows.
            if (result == TransferResult::Success && onSuccess)
                onSuccess();
            else
                reportFailure(result);
        },
        [&] {
            if (afterwards)
                afterwards(result);
        });
}

void TransferCommands::WriteToDevice(int& identifier) {
    const bool verify = UnitComparison::verifyAfterWriting();
    DeviceImage image, readBack;
    runCommand(
        [&](DeviceLink& link) {
            // The image is complete before the first exchange: edits during the transfer
            // wait for the next write.
            image = BuildDeviceImage(m_config);
            const int unit = link.ChooseUnit(identifier);
            if (unit == 0)
                return TransferResult::Cancelled;
            TransferResult r = link.SendImageToUnit(identifier, unit, image);
            if (r == TransferResult::Success && verify)
                r = link.ReceiveImageFromUnit(identifier, unit, readBack);
            if (r == TransferResult::Success)
                retireJournal(link, unit);
            return r;
        },
        nullptr,
        [&](TransferResult result) {
            if (result == TransferResult::Success &&
                (!verify || m_comparison.confirmWritten(image, readBack)))
                m_services.dialogs.message(m_window, tr("TARVEN-PAD Programmed Successfully"),
                                           tr("Programmed"), UserDialogs::Icon::Information,
                                           UserDialogs::Buttons::Ok);
        });
}

void TransferCommands::retireJournal(DeviceLink& link, int unit) {
    std::optional<RestoreJournal> own;
    RestoreJournal& journal = m_services.journal ? *m_services.journal : own.emplace();
    if (const FileResult r = IdentifySession::retire(m_services.access, link, journal, unit);
        !r.ok())
        m_services.dialogs.message(
            m_window,
            tr("The unit holds the new configuration, but the copy of its earlier one kept on "
               "this computer could not be removed (%1: %2). Do not let the program put that "
               "copy back.")
                .arg(r.message, r.reason),
            tr("Programmed"), UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
}

void TransferCommands::CompareWithDevice(int& identifier) {
    const DeviceImage mine = BuildDeviceImage(m_config);
    DeviceImage unit;
    runCommand([&](DeviceLink& link) { return link.ReceiveImage(identifier, unit); }, nullptr,
               [&](TransferResult result) {
                   if (result == TransferResult::Success)
                       m_comparison.report(mine, unit);
               });
}

void TransferCommands::ReadFromDevice(int& identifier) {
    if (m_run.busy() || !m_files.maySetConfigurationAside())
        return;
    DeviceImage image;
    runCommand([&](DeviceLink& link) { return link.ReceiveImage(identifier, image); },
               // Only a complete image, through the same setters as a click.
               [&] {
                   ApplyDeviceImage(m_config, image);
                   m_history.startOver();
               },
               [this](TransferResult result) {
                   if (result == TransferResult::Success)
                       m_services.dialogs.message(
                           m_window,
                           tr("Configuration File Read Successfully From The TARVENPAD Device"),
                           tr("Successful Read"), UserDialogs::Icon::Information,
                           UserDialogs::Buttons::Ok);
                   // What is on screen now belongs to no file, even after a failed read; a
                   // cancelled unit choice is not a read at all.
                   if (result != TransferResult::Cancelled) {
                       m_config.setCurrentFileName(QString());
                       m_config.setConfigModified(true);
                       m_history.forgetClean();
                   }
               });
}
