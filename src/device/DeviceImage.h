// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <array>

class Configuration;

// What a unit stores: locations 1 to 94, slot k's modifier byte at 2k+1 and its key code at
// 2k+2, the options byte at 93, and 0 at 94.
struct DeviceImage {
    static constexpr int Size = 94;
    std::array<quint8, Size> bytes{};

    quint8 at(int location) const { return bytes.at(location - 1); }
    void set(int location, quint8 value) { bytes.at(location - 1) = value; }
    bool operator==(const DeviceImage&) const = default;
};

DeviceImage BuildDeviceImage(const Configuration& config);
// Through the model's setters in the encoder's order, so the same rules and reactions act as
// for a file. The document state is the caller's business.
void ApplyDeviceImage(Configuration& config, const DeviceImage& image);
