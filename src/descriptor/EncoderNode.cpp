// SPDX-License-Identifier: GPL-3.0-or-later
#include "descriptor/EncoderNode.h"

#include "descriptor/ReportDescriptor.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace EncoderNode {

namespace {

namespace fs = std::filesystem;

bool has(const fs::path& dir, const char* file) {
    std::error_code error;
    return fs::exists(dir / file, error);
}

// `hidDevice` is a HID device's folder, with the descriptor the kernel read from it.
bool takesRequests(const fs::path& hidDevice) {
    std::ifstream in(hidDevice / "report_descriptor", std::ios::binary);
    const std::vector<std::uint8_t> descriptor{std::istreambuf_iterator<char>(in),
                                               std::istreambuf_iterator<char>()};
    return in.is_open() && ReportDescriptor::isEncoder(descriptor.data(), descriptor.size());
}

// The HID devices of the USB device's interfaces ("1-2:1.0/0003:1209:3650.0004"). Only real
// folders named after the device are looked into: its links (driver, subsystem, port) lead
// to other devices.
bool anyInterfaceTakesRequests(const fs::path& usbDevice) {
    const std::string prefix = usbDevice.filename().string() + ':';
    std::error_code error;
    for (const fs::directory_entry& interface : fs::directory_iterator(usbDevice, error)) {
        if (interface.is_symlink(error) || !interface.is_directory(error) ||
            interface.path().filename().string().rfind(prefix, 0) != 0)
            continue;
        for (const fs::directory_entry& hid : fs::directory_iterator(interface.path(), error))
            if (!hid.is_symlink(error) && hid.is_directory(error) &&
                has(hid.path(), "report_descriptor") && takesRequests(hid.path()))
                return true;
    }
    return false;
}

} // namespace

bool isEncoderHidraw(const std::string& sysPath) {
    return takesRequests(fs::path(sysPath) / "device");
}

bool isEncoderInput(const std::string& sysPath) {
    // Up from the node: its HID device first, then the USB device (the folder with idVendor;
    // its interfaces have none). A device off USB has only its own HID device.
    bool hidSeen = false;
    for (fs::path dir = fs::path(sysPath).parent_path(); dir.has_relative_path();
         dir = dir.parent_path()) {
        if (!hidSeen && has(dir, "report_descriptor")) {
            if (takesRequests(dir))
                return true;
            hidSeen = true;
        } else if (hidSeen && has(dir, "idVendor")) {
            return anyInterfaceTakesRequests(dir);
        }
    }
    return false;
}

} // namespace EncoderNode
