// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// One key the encoder can send: its code, the name the main window shows and the short
// label of its cap on the on-screen keyboard. Both are the untranslated English source
// texts (contexts "KeyName" and "Keycap"); the functions below translate them.
struct KeyCodeEntry {
    int code;
    const char* name;
    const char* label;
};

// Code 0 and the 107 codes we offer: the HID keyboard usages plus 0xE8..0xEA for the mouse
// buttons. "&&7" keeps its doubled ampersand because buttons treat one "&" as a mnemonic.
inline constexpr std::array<KeyCodeEntry, 108> KeyCodeTable{{
    {0x00, QT_TRANSLATE_NOOP("KeyName", "Not Used"), QT_TRANSLATE_NOOP("Keycap", "Not Used")},
    {0x04, QT_TRANSLATE_NOOP("KeyName", "A"), QT_TRANSLATE_NOOP("Keycap", "A")},
    {0x05, QT_TRANSLATE_NOOP("KeyName", "B"), QT_TRANSLATE_NOOP("Keycap", "B")},
    {0x06, QT_TRANSLATE_NOOP("KeyName", "C"), QT_TRANSLATE_NOOP("Keycap", "C")},
    {0x07, QT_TRANSLATE_NOOP("KeyName", "D"), QT_TRANSLATE_NOOP("Keycap", "D")},
    {0x08, QT_TRANSLATE_NOOP("KeyName", "E"), QT_TRANSLATE_NOOP("Keycap", "E")},
    {0x09, QT_TRANSLATE_NOOP("KeyName", "F"), QT_TRANSLATE_NOOP("Keycap", "F")},
    {0x0A, QT_TRANSLATE_NOOP("KeyName", "G"), QT_TRANSLATE_NOOP("Keycap", "G")},
    {0x0B, QT_TRANSLATE_NOOP("KeyName", "H"), QT_TRANSLATE_NOOP("Keycap", "H")},
    {0x0C, QT_TRANSLATE_NOOP("KeyName", "I"), QT_TRANSLATE_NOOP("Keycap", "I")},
    {0x0D, QT_TRANSLATE_NOOP("KeyName", "J"), QT_TRANSLATE_NOOP("Keycap", "J")},
    {0x0E, QT_TRANSLATE_NOOP("KeyName", "K"), QT_TRANSLATE_NOOP("Keycap", "K")},
    {0x0F, QT_TRANSLATE_NOOP("KeyName", "L"), QT_TRANSLATE_NOOP("Keycap", "L")},
    {0x10, QT_TRANSLATE_NOOP("KeyName", "M"), QT_TRANSLATE_NOOP("Keycap", "M")},
    {0x11, QT_TRANSLATE_NOOP("KeyName", "N"), QT_TRANSLATE_NOOP("Keycap", "N")},
    {0x12, QT_TRANSLATE_NOOP("KeyName", "O"), QT_TRANSLATE_NOOP("Keycap", "O")},
    {0x13, QT_TRANSLATE_NOOP("KeyName", "P"), QT_TRANSLATE_NOOP("Keycap", "P")},
    {0x14, QT_TRANSLATE_NOOP("KeyName", "Q"), QT_TRANSLATE_NOOP("Keycap", "Q")},
    {0x15, QT_TRANSLATE_NOOP("KeyName", "R"), QT_TRANSLATE_NOOP("Keycap", "R")},
    {0x16, QT_TRANSLATE_NOOP("KeyName", "S"), QT_TRANSLATE_NOOP("Keycap", "S")},
    {0x17, QT_TRANSLATE_NOOP("KeyName", "T"), QT_TRANSLATE_NOOP("Keycap", "T")},
    {0x18, QT_TRANSLATE_NOOP("KeyName", "U"), QT_TRANSLATE_NOOP("Keycap", "U")},
    {0x19, QT_TRANSLATE_NOOP("KeyName", "V"), QT_TRANSLATE_NOOP("Keycap", "V")},
    {0x1A, QT_TRANSLATE_NOOP("KeyName", "W"), QT_TRANSLATE_NOOP("Keycap", "W")},
    {0x1B, QT_TRANSLATE_NOOP("KeyName", "X"), QT_TRANSLATE_NOOP("Keycap", "X")},
    {0x1C, QT_TRANSLATE_NOOP("KeyName", "Y"), QT_TRANSLATE_NOOP("Keycap", "Y")},
    {0x1D, QT_TRANSLATE_NOOP("KeyName", "Z"), QT_TRANSLATE_NOOP("Keycap", "Z")},
    {0x1E, QT_TRANSLATE_NOOP("KeyName", "!1"), QT_TRANSLATE_NOOP("Keycap", "!1")},
    {0x1F, QT_TRANSLATE_NOOP("KeyName", "@2"), QT_TRANSLATE_NOOP("Keycap", "@2")},
    {0x20, QT_TRANSLATE_NOOP("KeyName", "#3"), QT_TRANSLATE_NOOP("Keycap", "#3")},
    {0x21, QT_TRANSLATE_NOOP("KeyName", "$4"), QT_TRANSLATE_NOOP("Keycap", "$4")},
    {0x22, QT_TRANSLATE_NOOP("KeyName", "%5"), QT_TRANSLATE_NOOP("Keycap", "%5")},
    {0x23, QT_TRANSLATE_NOOP("KeyName", "^6"), QT_TRANSLATE_NOOP("Keycap", "^6")},
    {0x24, QT_TRANSLATE_NOOP("KeyName", "&&7"), QT_TRANSLATE_NOOP("Keycap", "&&7")},
    {0x25, QT_TRANSLATE_NOOP("KeyName", "*8"), QT_TRANSLATE_NOOP("Keycap", "*8")},
    {0x26, QT_TRANSLATE_NOOP("KeyName", "(9"), QT_TRANSLATE_NOOP("Keycap", "(9")},
    {0x27, QT_TRANSLATE_NOOP("KeyName", ")0"), QT_TRANSLATE_NOOP("Keycap", ")0")},
    {0x28, QT_TRANSLATE_NOOP("KeyName", "Enter"), QT_TRANSLATE_NOOP("Keycap", "Enter")},
    {0x29, QT_TRANSLATE_NOOP("KeyName", "Esc"), QT_TRANSLATE_NOOP("Keycap", "Esc")},
    {0x2A, QT_TRANSLATE_NOOP("KeyName", "Backspace"), QT_TRANSLATE_NOOP("Keycap", "Bksp")},
    {0x2B, QT_TRANSLATE_NOOP("KeyName", "Tab"), QT_TRANSLATE_NOOP("Keycap", "Tab")},
    {0x2C, QT_TRANSLATE_NOOP("KeyName", "Space"), QT_TRANSLATE_NOOP("Keycap", "Space")},
    {0x2D, QT_TRANSLATE_NOOP("KeyName", "_-"), QT_TRANSLATE_NOOP("Keycap", "_-")},
    {0x2E, QT_TRANSLATE_NOOP("KeyName", "+="), QT_TRANSLATE_NOOP("Keycap", "+=")},
    {0x2F, QT_TRANSLATE_NOOP("KeyName", "{["), QT_TRANSLATE_NOOP("Keycap", "{[")},
    {0x30, QT_TRANSLATE_NOOP("KeyName", "}]"), QT_TRANSLATE_NOOP("Keycap", "}]")},
    {0x31, QT_TRANSLATE_NOOP("KeyName", "|\\"), QT_TRANSLATE_NOOP("Keycap", "|\\")},
    {0x33, QT_TRANSLATE_NOOP("KeyName", ":;"), QT_TRANSLATE_NOOP("Keycap", ":;")},
    {0x34, QT_TRANSLATE_NOOP("KeyName", "\" '"), QT_TRANSLATE_NOOP("Keycap", "\" '")},
    {0x35, QT_TRANSLATE_NOOP("KeyName", "~`"), QT_TRANSLATE_NOOP("Keycap", "~`")},
    {0x36, QT_TRANSLATE_NOOP("KeyName", "<,"), QT_TRANSLATE_NOOP("Keycap", "<,")},
    {0x37, QT_TRANSLATE_NOOP("KeyName", ">."), QT_TRANSLATE_NOOP("Keycap", ">.")},
    {0x38, QT_TRANSLATE_NOOP("KeyName", "?/"), QT_TRANSLATE_NOOP("Keycap", "?/")},
    {0x39, QT_TRANSLATE_NOOP("KeyName", "Caps Lock"), QT_TRANSLATE_NOOP("Keycap", "Caps")},
    {0x3A, QT_TRANSLATE_NOOP("KeyName", "F1"), QT_TRANSLATE_NOOP("Keycap", "F1")},
    {0x3B, QT_TRANSLATE_NOOP("KeyName", "F2"), QT_TRANSLATE_NOOP("Keycap", "F2")},
    {0x3C, QT_TRANSLATE_NOOP("KeyName", "F3"), QT_TRANSLATE_NOOP("Keycap", "F3")},
    {0x3D, QT_TRANSLATE_NOOP("KeyName", "F4"), QT_TRANSLATE_NOOP("Keycap", "F4")},
    {0x3E, QT_TRANSLATE_NOOP("KeyName", "F5"), QT_TRANSLATE_NOOP("Keycap", "F5")},
    {0x3F, QT_TRANSLATE_NOOP("KeyName", "F6"), QT_TRANSLATE_NOOP("Keycap", "F6")},
    {0x40, QT_TRANSLATE_NOOP("KeyName", "F7"), QT_TRANSLATE_NOOP("Keycap", "F7")},
    {0x41, QT_TRANSLATE_NOOP("KeyName", "F8"), QT_TRANSLATE_NOOP("Keycap", "F8")},
    {0x42, QT_TRANSLATE_NOOP("KeyName", "F9"), QT_TRANSLATE_NOOP("Keycap", "F9")},
    {0x43, QT_TRANSLATE_NOOP("KeyName", "F10"), QT_TRANSLATE_NOOP("Keycap", "F10")},
    {0x44, QT_TRANSLATE_NOOP("KeyName", "F11"), QT_TRANSLATE_NOOP("Keycap", "F11")},
    {0x45, QT_TRANSLATE_NOOP("KeyName", "F12"), QT_TRANSLATE_NOOP("Keycap", "F12")},
    {0x46, QT_TRANSLATE_NOOP("KeyName", "Print Screen"), QT_TRANSLATE_NOOP("Keycap", "PScr")},
    {0x47, QT_TRANSLATE_NOOP("KeyName", "Scroll Lock"), QT_TRANSLATE_NOOP("Keycap", "SL")},
    {0x48, QT_TRANSLATE_NOOP("KeyName", "Pause"), QT_TRANSLATE_NOOP("Keycap", "Pau")},
    {0x49, QT_TRANSLATE_NOOP("KeyName", "Insert"), QT_TRANSLATE_NOOP("Keycap", "Ins")},
    {0x4A, QT_TRANSLATE_NOOP("KeyName", "Home"), QT_TRANSLATE_NOOP("Keycap", "Home")},
    {0x4B, QT_TRANSLATE_NOOP("KeyName", "Page Up"), QT_TRANSLATE_NOOP("Keycap", "PgUp")},
    {0x4C, QT_TRANSLATE_NOOP("KeyName", "Delete"), QT_TRANSLATE_NOOP("Keycap", "Del")},
    {0x4D, QT_TRANSLATE_NOOP("KeyName", "End"), QT_TRANSLATE_NOOP("Keycap", "End")},
    {0x4E, QT_TRANSLATE_NOOP("KeyName", "Page Down"), QT_TRANSLATE_NOOP("Keycap", "PgDn")},
    {0x4F, QT_TRANSLATE_NOOP("KeyName", "Right Arrow"), QT_TRANSLATE_NOOP("Keycap", "Rght")},
    {0x50, QT_TRANSLATE_NOOP("KeyName", "Left Arrow"), QT_TRANSLATE_NOOP("Keycap", "Left")},
    {0x51, QT_TRANSLATE_NOOP("KeyName", "Down Arrow"), QT_TRANSLATE_NOOP("Keycap", "Down")},
    {0x52, QT_TRANSLATE_NOOP("KeyName", "Up Arrow"), QT_TRANSLATE_NOOP("Keycap", "Up")},
    {0x53, QT_TRANSLATE_NOOP("KeyName", "Num Lock"), QT_TRANSLATE_NOOP("Keycap", "Num")},
    {0x54, QT_TRANSLATE_NOOP("KeyName", "Keypad /"), QT_TRANSLATE_NOOP("Keycap", "/")},
    {0x55, QT_TRANSLATE_NOOP("KeyName", "Keypad *"), QT_TRANSLATE_NOOP("Keycap", "*")},
    {0x56, QT_TRANSLATE_NOOP("KeyName", "Keypad -"), QT_TRANSLATE_NOOP("Keycap", "-")},
    {0x57, QT_TRANSLATE_NOOP("KeyName", "Keypad +"), QT_TRANSLATE_NOOP("Keycap", "+")},
    {0x58, QT_TRANSLATE_NOOP("KeyName", "Keypad Enter"), QT_TRANSLATE_NOOP("Keycap", "Ent")},
    {0x59, QT_TRANSLATE_NOOP("KeyName", "Keypad 1"), QT_TRANSLATE_NOOP("Keycap", "1")},
    {0x5A, QT_TRANSLATE_NOOP("KeyName", "Keypad 2"), QT_TRANSLATE_NOOP("Keycap", "2")},
    {0x5B, QT_TRANSLATE_NOOP("KeyName", "Keypad 3"), QT_TRANSLATE_NOOP("Keycap", "3")},
    {0x5C, QT_TRANSLATE_NOOP("KeyName", "Keypad 4"), QT_TRANSLATE_NOOP("Keycap", "4")},
    {0x5D, QT_TRANSLATE_NOOP("KeyName", "Keypad 5"), QT_TRANSLATE_NOOP("Keycap", "5")},
    {0x5E, QT_TRANSLATE_NOOP("KeyName", "Keypad 6"), QT_TRANSLATE_NOOP("Keycap", "6")},
    {0x5F, QT_TRANSLATE_NOOP("KeyName", "Keypad 7"), QT_TRANSLATE_NOOP("Keycap", "7")},
    {0x60, QT_TRANSLATE_NOOP("KeyName", "Keypad 8"), QT_TRANSLATE_NOOP("Keycap", "8")},
    {0x61, QT_TRANSLATE_NOOP("KeyName", "Keypad 9"), QT_TRANSLATE_NOOP("Keycap", "9")},
    {0x62, QT_TRANSLATE_NOOP("KeyName", "Keypad 0"), QT_TRANSLATE_NOOP("Keycap", "0")},
    {0x63, QT_TRANSLATE_NOOP("KeyName", "Keypad ."), QT_TRANSLATE_NOOP("Keycap", ".")},
    {0x65, QT_TRANSLATE_NOOP("KeyName", "Apps"), QT_TRANSLATE_NOOP("Keycap", "Apps")},
    {0xE0, QT_TRANSLATE_NOOP("KeyName", "Left Control"), QT_TRANSLATE_NOOP("Keycap", "LCtrl")},
    {0xE1, QT_TRANSLATE_NOOP("KeyName", "Left Shift"), QT_TRANSLATE_NOOP("Keycap", "LShift")},
    {0xE2, QT_TRANSLATE_NOOP("KeyName", "Left Alt"), QT_TRANSLATE_NOOP("Keycap", "LAlt")},
    {0xE3, QT_TRANSLATE_NOOP("KeyName", "Left Windows"), QT_TRANSLATE_NOOP("Keycap", "LWin")},
    {0xE4, QT_TRANSLATE_NOOP("KeyName", "Right Control"), QT_TRANSLATE_NOOP("Keycap", "RCtrl")},
    {0xE5, QT_TRANSLATE_NOOP("KeyName", "Right Shift"), QT_TRANSLATE_NOOP("Keycap", "RShift")},
    {0xE6, QT_TRANSLATE_NOOP("KeyName", "Right Alt"), QT_TRANSLATE_NOOP("Keycap", "RAlt")},
    {0xE7, QT_TRANSLATE_NOOP("KeyName", "Right Windows"), QT_TRANSLATE_NOOP("Keycap", "RWin")},
    {0xE8, QT_TRANSLATE_NOOP("KeyName", "Left Mouse"), QT_TRANSLATE_NOOP("Keycap", "L")},
    {0xE9, QT_TRANSLATE_NOOP("KeyName", "Middle Mouse"), QT_TRANSLATE_NOOP("Keycap", "M")},
    {0xEA, QT_TRANSLATE_NOOP("KeyName", "Right Mouse"), QT_TRANSLATE_NOOP("Keycap", "R")},
}};

// The table row of a code, or nullptr for a code we do not offer.
const KeyCodeEntry* FindKeyCode(int code);

// Display name of a code, translated: exact match only, so fractions, negatives and gaps
// give "".
QString KeyCodeName(double code);

// The English name of a code as documents carry it, as plain text ("&7"), never translated,
// so a saved file reads the same whatever language wrote it. "" as for KeyCodeName.
QString KeyCodeFileName(int code);

// Keycap label of a code for the on-screen keyboard, translated; "" when the code is not
// offered.
QString KeycapLabel(int code);

// A caption as plain text: the doubled ampersand of "&&7" shows as one.
QString PlainKeyText(const QString& caption);
