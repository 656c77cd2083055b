// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Configuration.h"

#include <QtGlobal>
#include <array>

// The configuration as 94 bytes, locations 1 to 94: what a unit stores, and what a .TPD file
// carries, masked, after its header. Slot k's modifier byte is at 2k+1 and its key code at
// 2k+2, the options byte at 93; location 94 is spare.
namespace ConfigImage {

inline constexpr int Size = 94;
inline constexpr int OptionsLocation = 93;
constexpr int modifierLocation(int slot) {
    return 2 * slot + 1;
}
constexpr int keyLocation(int slot) {
    return 2 * slot + 2;
}
// The slot a location belongs to; -1 for the options and the spare byte.
constexpr int slotAt(int location) {
    return location >= 1 && location < OptionsLocation ? (location - 1) / 2 : -1;
}
// An option's bit in the options byte.
constexpr quint8 optionBit(Configuration::Option option) {
    return quint8(1u << int(option));
}

// Index i holds location i + 1.
using Bytes = std::array<quint8, Size>;

Bytes encode(const Configuration& config);
// Loads the first `slotCount` slots, then the options when `withOptions`, through the model's
// setters in the order every loader uses.
void apply(Configuration& config, const Bytes& image, int slotCount = Configuration::SlotCount,
           bool withOptions = true);

} // namespace ConfigImage
