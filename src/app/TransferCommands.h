// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ProgrammerServices.h"
#include "app/UnitComparison.h"
#include "device/TransferResult.h"

#include <QObject>
#include <functional>

class Configuration;
class DeviceLink;
class EditHistory;
class FileCommands;
class MultiUnitsWindow;
class ProgressRun;
class QWidget;
class UnitSelector;

// Write To and Read From the unit: the progress window, the unit choice and the boxes that
// report the outcome.
class TransferCommands : public QObject {
    Q_OBJECT
public:
    using Exchange = std::function<TransferResult(DeviceLink&)>;

    TransferCommands(Configuration& config, EditHistory& history,
                     const ProgrammerServices& services, FileCommands& files, ProgressRun& run,
                     QWidget* window);
    ~TransferCommands() override;

    void WriteToDevice(int& identifier);
    void ReadFromDevice(int& identifier);
    // Reads a unit as Read does, without the save prompt, and says whether it holds this
    // configuration; nothing of the configuration or its document state changes.
    void CompareWithDevice(int& identifier);

    // A device command of the window runs, this one's or Identify Inputs'.
    bool running() const;
    // The user's choice among several units, as the transfers make it.
    UnitSelector& unitSelector();
    // Says a failed exchange in a box, "Device Not Found" or "Device I/O Error"; nothing for
    // a success or a cancelled choice.
    void reportFailure(TransferResult result);

signals:
    void runningChanged(bool running);

private:
    // A configuration kept of `unit` by Identify Inputs is of no more use once the user wrote
    // a new one there.
    void retireJournal(DeviceLink& link, int unit);
    // One device command: does nothing while another runs or Identify Inputs holds the
    // units. Otherwise runs `exchange` with the
    // progress window up; `onSuccess` is applied and failures are reported while it shows,
    // `afterwards` gets the outcome once it has gone.
    void runCommand(const Exchange& exchange, const std::function<void()>& onSuccess,
                    const std::function<void(TransferResult)>& afterwards);

    Configuration& m_config;
    EditHistory& m_history;
    ProgrammerServices m_services;
    FileCommands& m_files;
    QWidget* m_window;
    UnitComparison m_comparison;
    MultiUnitsWindow* m_multiUnits = nullptr; // owned by the window, made on first use
    ProgressRun& m_run;
};
