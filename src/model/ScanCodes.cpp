// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ScanCodes.h"

#include <array>

namespace {

struct KeyPosition {
    int usage;
    int eventCode;
};

// From the HID Usage Tables (Keyboard/Keypad page 0x07) and linux/input-event-codes.h.
// The non-US hash key (0x32) shares its position with the backslash key (0x31) on the
// keyboards that have it, so only 0x31 is listed.
constexpr std::array<KeyPosition, 105> Positions{{
    {0x04, 30},  // A
    {0x05, 48},  // B
    {0x06, 46},  // C
    {0x07, 32},  // D
    {0x08, 18},  // E
    {0x09, 33},  // F
    {0x0A, 34},  // G
    {0x0B, 35},  // H
    {0x0C, 23},  // I
    {0x0D, 36},  // J
    {0x0E, 37},  // K
    {0x0F, 38},  // L
    {0x10, 50},  // M
    {0x11, 49},  // N
    {0x12, 24},  // O
    {0x13, 25},  // P
    {0x14, 16},  // Q
    {0x15, 19},  // R
    {0x16, 31},  // S
    {0x17, 20},  // T
    {0x18, 22},  // U
    {0x19, 47},  // V
    {0x1A, 17},  // W
    {0x1B, 45},  // X
    {0x1C, 21},  // Y
    {0x1D, 44},  // Z
    {0x1E, 2},   // 1
    {0x1F, 3},   // 2
    {0x20, 4},   // 3
    {0x21, 5},   // 4
    {0x22, 6},   // 5
    {0x23, 7},   // 6
    {0x24, 8},   // 7
    {0x25, 9},   // 8
    {0x26, 10},  // 9
    {0x27, 11},  // 0
    {0x28, 28},  // Enter
    {0x29, 1},   // Escape
    {0x2A, 14},  // Backspace
    {0x2B, 15},  // Tab
    {0x2C, 57},  // Space
    {0x2D, 12},  // minus
    {0x2E, 13},  // equal
    {0x2F, 26},  // left brace
    {0x30, 27},  // right brace
    {0x31, 43},  // backslash
    {0x33, 39},  // semicolon
    {0x34, 40},  // apostrophe
    {0x35, 41},  // grave
    {0x36, 51},  // comma
    {0x37, 52},  // dot
    {0x38, 53},  // slash
    {0x39, 58},  // Caps Lock
    {0x3A, 59},  // F1
    {0x3B, 60},  // F2
    {0x3C, 61},  // F3
    {0x3D, 62},  // F4
    {0x3E, 63},  // F5
    {0x3F, 64},  // F6
    {0x40, 65},  // F7
    {0x41, 66},  // F8
    {0x42, 67},  // F9
    {0x43, 68},  // F10
    {0x44, 87},  // F11
    {0x45, 88},  // F12
    {0x46, 99},  // Print Screen (SysRq)
    {0x47, 70},  // Scroll Lock
    {0x48, 119}, // Pause
    {0x49, 110}, // Insert
    {0x4A, 102}, // Home
    {0x4B, 104}, // Page Up
    {0x4C, 111}, // Delete
    {0x4D, 107}, // End
    {0x4E, 109}, // Page Down
    {0x4F, 106}, // Right
    {0x50, 105}, // Left
    {0x51, 108}, // Down
    {0x52, 103}, // Up
    {0x53, 69},  // Num Lock
    {0x54, 98},  // Keypad /
    {0x55, 55},  // Keypad *
    {0x56, 74},  // Keypad -
    {0x57, 78},  // Keypad +
    {0x58, 96},  // Keypad Enter
    {0x59, 79},  // Keypad 1
    {0x5A, 80},  // Keypad 2
    {0x5B, 81},  // Keypad 3
    {0x5C, 75},  // Keypad 4
    {0x5D, 76},  // Keypad 5
    {0x5E, 77},  // Keypad 6
    {0x5F, 71},  // Keypad 7
    {0x60, 72},  // Keypad 8
    {0x61, 73},  // Keypad 9
    {0x62, 82},  // Keypad 0
    {0x63, 83},  // Keypad .
    {0x64, 86},  // non-US backslash (102nd key)
    {0x65, 127}, // Application (Compose)
    {0xE0, 29},  // Left Control
    {0xE1, 42},  // Left Shift
    {0xE2, 56},  // Left Alt
    {0xE3, 125}, // Left GUI (Meta)
    {0xE4, 97},  // Right Control
    {0xE5, 54},  // Right Shift
    {0xE6, 100}, // Right Alt
    {0xE7, 126}, // Right GUI (Meta)
}};

} // namespace

int HidUsageFromEventCode(int eventCode) {
    for (const KeyPosition& p : Positions)
        if (p.eventCode == eventCode)
            return p.usage;
    return 0;
}

int EventCodeFromHidUsage(int usage) {
    for (const KeyPosition& p : Positions)
        if (p.usage == usage)
            return p.eventCode;
    return 0;
}
