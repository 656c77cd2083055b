// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// News of devices being plugged in, for programming units as they arrive.
class PlugMonitor {
public:
    virtual ~PlugMonitor() = default;
    // False when no news can ever come (the system's device events cannot be reached).
    virtual bool isWatching() const { return true; }
    // The device node of the next device plugged in, once per plug-in; waits at most
    // `timeoutMs` and gives an empty string when nothing came meanwhile, nullopt when no
    // more will ever come.
    virtual std::optional<QString> nextPlugIn(int timeoutMs) = 0;
};
