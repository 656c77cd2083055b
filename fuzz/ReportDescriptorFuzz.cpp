// SPDX-License-Identifier: GPL-3.0-or-later
// The udev helper parses, as root, whatever report descriptor a device gives: no bytes may
// make it read out of bounds, overflow or answer differently for the same report.
#include "descriptor/ReportDescriptor.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const long bits = ReportDescriptor::outputReportBits(data, size, 2);
    if (bits < 0 || ReportDescriptor::isEncoder(data, size) != (bits >= 40))
        std::abort();
    return 0;
}
