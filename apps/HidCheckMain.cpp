// SPDX-License-Identifier: GPL-3.0-or-later
// The udev rule's test of a hidraw node with the encoders' product number: exits 0 only when
// its report descriptor is an encoder's, so the rule grants nothing to other devices that
// happen to carry the same product number.
//   tarvenpad-hid-check /sys/devices/.../hidraw/hidrawN
#include "descriptor/ReportDescriptor.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    std::ifstream in(std::string(argv[1]) + "/device/report_descriptor", std::ios::binary);
    const std::vector<std::uint8_t> descriptor{std::istreambuf_iterator<char>(in),
                                               std::istreambuf_iterator<char>()};
    return in && ReportDescriptor::isEncoder(descriptor.data(), descriptor.size()) ? 0 : 1;
}
