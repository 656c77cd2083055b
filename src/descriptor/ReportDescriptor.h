// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// What a HID report descriptor says about the reports a device takes. Plain C++, so that the
// udev helper can use it without Qt.
namespace ReportDescriptor {

// The length in bits of output report `reportId` as the descriptor declares it; 0 when it
// declares none. A descriptor without report IDs declares report 0.
long outputReportBits(const std::uint8_t* data, std::size_t size, int reportId);

// An encoder takes its requests as output report 2 with at least five bytes after the ID.
// Anything else that carries the product number (a keyboard of another maker, say) is not
// one, and is never sent a request or opened to anyone.
bool isEncoder(const std::uint8_t* data, std::size_t size);

} // namespace ReportDescriptor
