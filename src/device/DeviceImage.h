// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ConfigImage.h"

#include <QtGlobal>

// What a unit stores: the configuration image, locations 1 to 94.
struct DeviceImage {
    static constexpr int Size = ConfigImage::Size;
    ConfigImage::Bytes bytes{};

    quint8 at(int location) const { return bytes.at(location - 1); }
    void set(int location, quint8 value) { bytes.at(location - 1) = value; }
    bool operator==(const DeviceImage&) const = default;
};

DeviceImage BuildDeviceImage(const Configuration& config);
// Through the model's setters in the encoder's order, so the same rules and reactions act as
// for a file. The document state is the caller's business.
void ApplyDeviceImage(Configuration& config, const DeviceImage& image);
