// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The udev helper's judgement of a device node with the encoders' product number, from its
// place in sysfs. Plain C++: it runs as root, on descriptors that the device chose.
namespace EncoderNode {

// A hidraw node (/sys/devices/.../hidraw/hidrawN) whose HID device takes the encoder's
// requests.
bool isEncoderHidraw(const std::string& sysPath);

// An input node (/sys/devices/.../input/inputM/eventN) that belongs to an encoder: its own
// HID device takes the encoder's requests, or, on USB, another interface of the same USB
// device does (an encoder sends its keys on a keyboard interface beside its request one).
// A keyboard that is not part of an encoder never passes, whatever its product number.
bool isEncoderInput(const std::string& sysPath);

} // namespace EncoderNode
