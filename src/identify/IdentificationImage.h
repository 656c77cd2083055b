// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/DeviceImage.h"

#include <QList>

// What lets a press on the panel name the input it came from: every slot that can be pressed
// sends a key of its own, so the key read back names the slot.
namespace IdentificationImage {

// The slots a press can reach on a unit holding `image`: the 36 inputs, and the ten rotary
// slots while the AUX port carries rotaries.
QList<int> pressableSlots(const DeviceImage& image);
// Whether every pressable slot already sends a key of its own: a keyboard key (no mouse
// button, not "Not Used"), without modifiers or repeat, and no two slots a key that Linux
// reports as the same key. Such a unit is identified as it is, without a write.
bool identifiesItself(const DeviceImage& image);
// `own` with every slot a different plain key: A to Z on inputs 1 to 26, 1 to 0 on inputs
// 27 to 36, keypad 1 to 0 on the rotary slots. Keys that no desktop, terminal or window
// manager acts on and whose place no layout moves; no modifier, no repeat. The options byte
// and the spare byte stay as the unit has them.
DeviceImage build(const DeviceImage& own);
// The pressable slot whose key has this Linux input event code on a unit holding `image`;
// -1 when no slot sends it.
int slotForEventCode(const DeviceImage& image, int eventCode);

// What a unit holds, against its own configuration: the own one; the temporary one or a mix
// of the two (a write cut off halfway), which putting the own one back undoes; or anything
// else, a newer configuration that nothing of ours may overwrite.
enum class Holding { Own, Temporary, Other };
Holding holding(const DeviceImage& own, const DeviceImage& onUnit);

} // namespace IdentificationImage
