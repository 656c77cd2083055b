// SPDX-License-Identifier: GPL-3.0-or-later
// The udev rule's test of a device with the encoders' product number: exits 0 only when the
// device is an encoder, so the rule grants nothing to other devices that happen to carry the
// same product number.
//   tarvenpad-hid-check /sys/devices/.../hidraw/hidrawN          its request interface
//   tarvenpad-hid-check --input /sys/devices/.../input/inputM/eventN   its keyboard interface
#include "descriptor/EncoderNode.h"

#include <string>

int main(int argc, char** argv) {
    if (argc == 2)
        return EncoderNode::isEncoderHidraw(argv[1]) ? 0 : 1;
    if (argc == 3 && std::string(argv[1]) == "--input")
        return EncoderNode::isEncoderInput(argv[2]) ? 0 : 1;
    return 2;
}
