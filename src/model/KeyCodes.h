// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// One key the encoder can send: its code, the name the main window shows and the short
// label of its cap on the on-screen keyboard.
struct KeyCodeEntry {
    int code;
    const char* name;
    const char* label;
};

// Code 0 and the 107 codes we offer: the HID keyboard usages plus 0xE8..0xEA for the mouse
// buttons. "&&7" keeps its doubled ampersand because buttons treat one "&" as a mnemonic.
inline constexpr std::array<KeyCodeEntry, 108> KeyCodeTable{{
    {0x00, "Not Used", "Not Used"},
    {0x04, "A", "A"},
    {0x05, "B", "B"},
    {0x06, "C", "C"},
    {0x07, "D", "D"},
    {0x08, "E", "E"},
    {0x09, "F", "F"},
    {0x0A, "G", "G"},
    {0x0B, "H", "H"},
    {0x0C, "I", "I"},
    {0x0D, "J", "J"},
    {0x0E, "K", "K"},
    {0x0F, "L", "L"},
    {0x10, "M", "M"},
    {0x11, "N", "N"},
    {0x12, "O", "O"},
    {0x13, "P", "P"},
    {0x14, "Q", "Q"},
    {0x15, "R", "R"},
    {0x16, "S", "S"},
    {0x17, "T", "T"},
    {0x18, "U", "U"},
    {0x19, "V", "V"},
    {0x1A, "W", "W"},
    {0x1B, "X", "X"},
    {0x1C, "Y", "Y"},
    {0x1D, "Z", "Z"},
    {0x1E, "!1", "!1"},
    {0x1F, "@2", "@2"},
    {0x20, "#3", "#3"},
    {0x21, "$4", "$4"},
    {0x22, "%5", "%5"},
    {0x23, "^6", "^6"},
    {0x24, "&&7", "&&7"},
    {0x25, "*8", "*8"},
    {0x26, "(9", "(9"},
    {0x27, ")0", ")0"},
    {0x28, "Enter", "Enter"},
    {0x29, "Esc", "Esc"},
    {0x2A, "Backspace", "Bksp"},
    {0x2B, "Tab", "Tab"},
    {0x2C, "Space", "Space"},
    {0x2D, "_-", "_-"},
    {0x2E, "+=", "+="},
    {0x2F, "{[", "{["},
    {0x30, "}]", "}]"},
    {0x31, "|\\", "|\\"},
    {0x33, ":;", ":;"},
    {0x34, "\" '", "\" '"},
    {0x35, "~`", "~`"},
    {0x36, "<,", "<,"},
    {0x37, ">.", ">."},
    {0x38, "?/", "?/"},
    {0x39, "Caps Lock", "Caps"},
    {0x3A, "F1", "F1"},
    {0x3B, "F2", "F2"},
    {0x3C, "F3", "F3"},
    {0x3D, "F4", "F4"},
    {0x3E, "F5", "F5"},
    {0x3F, "F6", "F6"},
    {0x40, "F7", "F7"},
    {0x41, "F8", "F8"},
    {0x42, "F9", "F9"},
    {0x43, "F10", "F10"},
    {0x44, "F11", "F11"},
    {0x45, "F12", "F12"},
    {0x46, "Print Screen", "PScr"},
    {0x47, "Scroll Lock", "SL"},
    {0x48, "Pause", "Pau"},
    {0x49, "Insert", "Ins"},
    {0x4A, "Home", "Home"},
    {0x4B, "Page Up", "PgUp"},
    {0x4C, "Delete", "Del"},
    {0x4D, "End", "End"},
    {0x4E, "Page Down", "PgDn"},
    {0x4F, "Right Arrow", "Rght"},
    {0x50, "Left Arrow", "Left"},
    {0x51, "Down Arrow", "Down"},
    {0x52, "Up Arrow", "Up"},
    {0x53, "Num Lock", "Num"},
    {0x54, "Keypad /", "/"},
    {0x55, "Keypad *", "*"},
    {0x56, "Keypad -", "-"},
    {0x57, "Keypad +", "+"},
    {0x58, "Keypad Enter", "Ent"},
    {0x59, "Keypad 1", "1"},
    {0x5A, "Keypad 2", "2"},
    {0x5B, "Keypad 3", "3"},
    {0x5C, "Keypad 4", "4"},
    {0x5D, "Keypad 5", "5"},
    {0x5E, "Keypad 6", "6"},
    {0x5F, "Keypad 7", "7"},
    {0x60, "Keypad 8", "8"},
    {0x61, "Keypad 9", "9"},
    {0x62, "Keypad 0", "0"},
    {0x63, "Keypad .", "."},
    {0x65, "Apps", "Apps"},
    {0xE0, "Left Control", "LCtrl"},
    {0xE1, "Left Shift", "LShift"},
    {0xE2, "Left Alt", "LAlt"},
    {0xE3, "Left Windows", "LWin"},
    {0xE4, "Right Control", "RCtrl"},
    {0xE5, "Right Shift", "RShift"},
    {0xE6, "Right Alt", "RAlt"},
    {0xE7, "Right Windows", "RWin"},
    {0xE8, "Left Mouse", "L"},
    {0xE9, "Middle Mouse", "M"},
    {0xEA, "Right Mouse", "R"},
}};

// The table row of a code, or nullptr for a code we do not offer.
const KeyCodeEntry* FindKeyCode(int code);

// Display name of a code: exact match only, so fractions, negatives and gaps give "".
QString KeyCodeName(double code);

// Keycap label of a code for the on-screen keyboard, "" when the code is not offered.
QString KeycapLabel(int code);

// A caption as plain text: the doubled ampersand of "&&7" shows as one.
QString PlainKeyText(const QString& caption);
