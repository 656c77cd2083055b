// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TransferCommands.h"

#include "app/EditHistory.h"
#include "app/FileCommands.h"
#include "app/MultiUnitsWindow.h"
#include "app/StatusWindow.h"
#include "app/UserDialogs.h"
#include "device/DeviceImage.h"
#include "device/DeviceLink.h"
#include "device/UnitListScope.h"
#include "model/Configuration.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <memory>

TransferCommands::TransferCommands(Configuration& config, EditHistory& history,
                                   const ProgrammerServices& services, FileCommands& files,
                                   QWidget* window)
    : QObject(window), m_config(config), m_history(history), m_services(services), m_files(files),
      m_window(window), m_comparison(services.dialogs, window) {}

TransferCommands::~TransferCommands() = default;

UnitSelector& TransferCommands::unitSelector() {
    if (m_services.unitSelector)
        return *m_services.unitSelector;
    // Owned by the main window, so it stays above it while the user chooses.
    if (!m_multiUnits)
        m_multiUnits = new MultiUnitsWindow(m_window);
    return *m_multiUnits;
}

void TransferCommands::setRunning(bool running) {
    m_running = running;
    emit runningChanged(running);
    if (!running && m_closeAfterTransfer) {
        m_closeAfterTransfer = false;
        QTimer::singleShot(0, m_window, &QWidget::close);
    }
}

bool TransferCommands::mayCloseWindow() {
    // A unit is open while a transfer runs: close once it has ended.
    if (m_running)
        m_closeAfterTransfer = true;
    return !m_running;
}

TransferResult TransferCommands::runTransfer(const Exchange& exchange,
                                             const std::function<void()>& onSuccess) {
    auto status = std::make_unique<StatusWindow>(m_window);
    status->show();
    QCoreApplication::processEvents();
    TransferResult result;
    {
        // One numbering of the units for the choice and the transfer that follows it.
        UnitListScope units(m_services.access);
        DeviceLink link(m_services.access, *status, unitSelector());
        result = exchange(link);
    }
    // Success is applied, and failures are reported, while the progress window still shows.
    if (result == TransferResult::Success && onSuccess)
        onSuccess();
    else if (result == TransferResult::DeviceNotFound)
        m_services.dialogs.message(m_window, tr("Device Not Found"), tr("Error"),
                                   UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
    else if (result == TransferResult::IoError)
        m_services.dialogs.message(m_window, tr("Device I/O Error"), tr("Error"),
                                   UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
    status.reset();
    QCoreApplication::processEvents();
    return result;
}

void TransferCommands::runCommand(const Exchange& exchange, const std::function<void()>& onSuccess,
                                  const std::function<void(TransferResult)>& afterwards) {
    if (m_running)
        return;
    setRunning(true);
    const TransferResult result = runTransfer(exchange, onSuccess);
    if (afterwards)
        afterwards(result);
    setRunning(false);
}

void TransferCommands::WriteToDevice(int& identifier) {
    const bool verify = UnitComparison::verifyAfterWriting();
    DeviceImage image, readBack;
    runCommand(
        [&](DeviceLink& link) {
            // The image is complete before the first exchange: edits during the transfer
            // wait for the next write.
            image = BuildDeviceImage(m_config);
            if (verify)
                return UnitComparison::sendAndReadBack(link, identifier, image, readBack);
            return link.SendImage(identifier, image);
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
    if (m_running || !m_files.maySetConfigurationAside())
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
