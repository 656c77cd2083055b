// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a key sits on a PC keyboard, in two numberings: the Linux input event code
// (linux/input-event-codes.h, KEY_*) and the USB HID Keyboard/Keypad usage the encoder sends.
// X11 and Wayland key events carry the event code plus 8 as their native scan code.

// The HID usage of a Linux input event code; 0 when the key has no usage we know.
int HidUsageFromEventCode(int eventCode);
// The Linux input event code of a HID usage; 0 when no PC key sends it.
int EventCodeFromHidUsage(int usage);
