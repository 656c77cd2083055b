// SPDX-License-Identifier: GPL-3.0-or-later
#include "identify/IdentificationImage.h"

#include "model/ConfigImage.h"
#include "model/Configuration.h"
#include "model/ScanCodes.h"

#include <QSet>

namespace IdentificationImage {
namespace {

// The modifier byte of a slot with no modifier that does not repeat.
constexpr quint8 PlainModifiers = 8;

quint8 identifyingKey(int slot) {
    if (slot < 26)
        return quint8(0x04 + slot); // A..Z
    if (slot < Configuration::InputCount)
        return quint8(0x1E + slot - 26);                    // 1..9, 0
    return quint8(0x59 + slot - Configuration::InputCount); // keypad 1..9, 0
}

} // namespace

QList<int> pressableSlots(const DeviceImage& image) {
    const bool rotaries = image.at(ConfigImage::OptionsLocation) &
                          ConfigImage::optionBit(Configuration::Option::RotaryOnAux);
    const int count = rotaries ? Configuration::SlotCount : Configuration::InputCount;
    QList<int> pressable;
    for (int slot = 0; slot < count; ++slot)
        pressable.append(slot);
    return pressable;
}

bool identifiesItself(const DeviceImage& image) {
    QSet<int> codes;
    for (int slot : pressableSlots(image)) {
        if (image.at(ConfigImage::modifierLocation(slot)) != PlainModifiers)
            return false;
        const int code = EventCodeFromHidUsage(image.at(ConfigImage::keyLocation(slot)));
        if (code == 0 || codes.contains(code))
            return false;
        codes.insert(code);
    }
    return true;
}

DeviceImage build(const DeviceImage& own) {
    DeviceImage image = own;
    for (int slot = 0; slot < Configuration::SlotCount; ++slot) {
        image.set(ConfigImage::modifierLocation(slot), PlainModifiers);
        image.set(ConfigImage::keyLocation(slot), identifyingKey(slot));
    }
    return image;
}

int slotForEventCode(const DeviceImage& image, int eventCode) {
    if (eventCode <= 0)
        return -1;
    for (int slot : pressableSlots(image)) {
        if (EventCodeFromHidUsage(image.at(ConfigImage::keyLocation(slot))) == eventCode)
            return slot;
    }
    return -1;
}

Holding holding(const DeviceImage& own, const DeviceImage& onUnit) {
    if (onUnit == own)
        return Holding::Own;
    const DeviceImage temporary = build(own);
    for (int location = 1; location <= DeviceImage::Size; ++location)
        if (onUnit.at(location) != own.at(location) &&
            onUnit.at(location) != temporary.at(location))
            return Holding::Other;
    return Holding::Temporary;
}

} // namespace IdentificationImage
