// SPDX-License-Identifier: GPL-3.0-or-later
#include "descriptor/ReportDescriptor.h"

#include "device/Protocol.h"

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

namespace ReportDescriptor {

namespace {

// The item tags that matter here (HID 1.11, 6.2.2).
constexpr int MainOutput = 0x9;
constexpr int GlobalReportSize = 0x7;
constexpr int GlobalReportId = 0x8;
constexpr int GlobalReportCount = 0x9;
constexpr int GlobalPush = 0xA;
constexpr int GlobalPop = 0xB;
constexpr std::uint8_t LongItem = 0xFE;

// Sizes and counts are 16 bits here, so a product fits 32 bits and any sum 64 bits, also
// where long is 32 bits wide.
struct Globals {
    std::uint64_t size = 0;
    std::uint64_t count = 0;
    int id = 0;
};

} // namespace

long outputReportBits(const std::uint8_t* data, std::size_t size, int reportId) {
    std::map<int, std::uint64_t> bits;
    std::vector<Globals> stack;
    Globals g;
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t prefix = data[i++];
        if (prefix == LongItem) { // never used for reports; skip its data
            if (i >= size)
                break;
            i += 2 + data[i];
            continue;
        }
        const std::size_t length = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (i + length > size)
            break; // a truncated item ends the descriptor
        unsigned long value = 0;
        for (std::size_t b = 0; b < length; ++b)
            value |= static_cast<unsigned long>(data[i + b]) << (8 * b);
        i += length;
        const int type = (prefix >> 2) & 3;
        const int tag = prefix >> 4;
        if (type == 0 && tag == MainOutput) {
            bits[g.id] += g.size * g.count;
        } else if (type == 1) {
            switch (tag) {
            case GlobalReportSize:
                g.size = value & 0xFFFF;
                break;
            case GlobalReportId:
                g.id = int(value & 0xFF);
                break;
            case GlobalReportCount:
                g.count = value & 0xFFFF;
                break;
            case GlobalPush:
                stack.push_back(g);
                break;
            case GlobalPop:
                if (!stack.empty()) {
                    g = stack.back();
                    stack.pop_back();
                }
                break;
            default:
                break;
            }
        }
    }
    const auto it = bits.find(reportId);
    return it == bits.end() ? 0 : long(std::min<std::uint64_t>(it->second, LONG_MAX));
}

bool isEncoder(const std::uint8_t* data, std::size_t size) {
    return outputReportBits(data, size, Protocol::ReportId) >= Protocol::PayloadBytes * 8;
}

} // namespace ReportDescriptor
