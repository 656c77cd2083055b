// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/PlugMonitor.h"

struct udev;
struct udev_monitor;

// The kernel's own device events for hidraw nodes, through libudev, after udev has applied
// its rules (so the node's access rights are already in place).
class UdevPlugMonitor : public PlugMonitor {
public:
    UdevPlugMonitor();
    ~UdevPlugMonitor() override;
    UdevPlugMonitor(const UdevPlugMonitor&) = delete;
    UdevPlugMonitor& operator=(const UdevPlugMonitor&) = delete;

    // False when udevd is not running or cannot be reached: nothing would ever come.
    bool isWatching() const override { return m_monitor != nullptr; }
    std::optional<QString> nextPlugIn(int timeoutMs) override;

private:
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
};
