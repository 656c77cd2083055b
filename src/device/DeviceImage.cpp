// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceImage.h"

#include "model/Configuration.h"

DeviceImage BuildDeviceImage(const Configuration& config) {
    return DeviceImage{ConfigImage::encode(config)};
}

void ApplyDeviceImage(Configuration& config, const DeviceImage& image) {
    ConfigImage::apply(config, image.bytes);
}
