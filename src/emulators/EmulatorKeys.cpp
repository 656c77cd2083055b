// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/EmulatorKeys.h"

#include "model/KeyCodes.h"
#include "model/KeySlot.h"
#include "model/SlotText.h"

#include <algorithm>
#include <array>

namespace {

// Our code, MAME's token without its "KEYCODE_" (or a whole MOUSECODE token), and
// RetroArch's name (nullptr for a mouse button). The names are the ones each program
// writes back itself: RetroArch turns "backquote" into "tilde" and "kp_plus" into "add".
struct NameRow {
    int code;
    const char* mame;
    const char* retroArch;
};

constexpr std::array<NameRow, 107> Names{{
    {0x04, "A", "a"},
    {0x05, "B", "b"},
    {0x06, "C", "c"},
    {0x07, "D", "d"},
    {0x08, "E", "e"},
    {0x09, "F", "f"},
    {0x0A, "G", "g"},
    {0x0B, "H", "h"},
    {0x0C, "I", "i"},
    {0x0D, "J", "j"},
    {0x0E, "K", "k"},
    {0x0F, "L", "l"},
    {0x10, "M", "m"},
    {0x11, "N", "n"},
    {0x12, "O", "o"},
    {0x13, "P", "p"},
    {0x14, "Q", "q"},
    {0x15, "R", "r"},
    {0x16, "S", "s"},
    {0x17, "T", "t"},
    {0x18, "U", "u"},
    {0x19, "V", "v"},
    {0x1A, "W", "w"},
    {0x1B, "X", "x"},
    {0x1C, "Y", "y"},
    {0x1D, "Z", "z"},
    {0x1E, "1", "num1"},
    {0x1F, "2", "num2"},
    {0x20, "3", "num3"},
    {0x21, "4", "num4"},
    {0x22, "5", "num5"},
    {0x23, "6", "num6"},
    {0x24, "7", "num7"},
    {0x25, "8", "num8"},
    {0x26, "9", "num9"},
    {0x27, "0", "num0"},
    {0x28, "ENTER", "enter"},
    {0x29, "ESC", "escape"},
    {0x2A, "BACKSPACE", "backspace"},
    {0x2B, "TAB", "tab"},
    {0x2C, "SPACE", "space"},
    {0x2D, "MINUS", "minus"},
    {0x2E, "EQUALS", "equals"},
    {0x2F, "OPENBRACE", "leftbracket"},
    {0x30, "CLOSEBRACE", "rightbracket"},
    {0x31, "BACKSLASH", "backslash"},
    {0x33, "COLON", "semicolon"},
    {0x34, "QUOTE", "quote"},
    {0x35, "TILDE", "tilde"},
    {0x36, "COMMA", "comma"},
    {0x37, "STOP", "period"},
    {0x38, "SLASH", "slash"},
    {0x39, "CAPSLOCK", "capslock"},
    {0x3A, "F1", "f1"},
    {0x3B, "F2", "f2"},
    {0x3C, "F3", "f3"},
    {0x3D, "F4", "f4"},
    {0x3E, "F5", "f5"},
    {0x3F, "F6", "f6"},
    {0x40, "F7", "f7"},
    {0x41, "F8", "f8"},
    {0x42, "F9", "f9"},
    {0x43, "F10", "f10"},
    {0x44, "F11", "f11"},
    {0x45, "F12", "f12"},
    {0x46, "PRTSCR", "print_screen"},
    {0x47, "SCRLOCK", "scroll_lock"},
    {0x48, "PAUSE", "pause"},
    {0x49, "INSERT", "insert"},
    {0x4A, "HOME", "home"},
    {0x4B, "PGUP", "pageup"},
    {0x4C, "DEL", "del"},
    {0x4D, "END", "end"},
    {0x4E, "PGDN", "pagedown"},
    {0x4F, "RIGHT", "right"},
    {0x50, "LEFT", "left"},
    {0x51, "DOWN", "down"},
    {0x52, "UP", "up"},
    {0x53, "NUMLOCK", "numlock"},
    {0x54, "SLASHPAD", "divide"},
    {0x55, "ASTERISK", "multiply"},
    {0x56, "MINUSPAD", "subtract"},
    {0x57, "PLUSPAD", "add"},
    {0x58, "ENTERPAD", "kp_enter"},
    {0x59, "1PAD", "keypad1"},
    {0x5A, "2PAD", "keypad2"},
    {0x5B, "3PAD", "keypad3"},
    {0x5C, "4PAD", "keypad4"},
    {0x5D, "5PAD", "keypad5"},
    {0x5E, "6PAD", "keypad6"},
    {0x5F, "7PAD", "keypad7"},
    {0x60, "8PAD", "keypad8"},
    {0x61, "9PAD", "keypad9"},
    {0x62, "0PAD", "keypad0"},
    {0x63, "DELPAD", "kp_period"},
    {0x65, "MENU", "menu"},
    {0xE0, "LCONTROL", "ctrl"},
    {0xE1, "LSHIFT", "shift"},
    {0xE2, "LALT", "alt"},
    {0xE3, "LWIN", "lsuper"},
    {0xE4, "RCONTROL", "rctrl"},
    {0xE5, "RSHIFT", "rshift"},
    {0xE6, "RALT", "ralt"},
    {0xE7, "RWIN", "rsuper"},
    // MAME numbers the mouse buttons left, middle, right; RetroArch left, right, middle.
    {0xE8, "MOUSECODE_1_BUTTON1", nullptr},
    {0xE9, "MOUSECODE_1_BUTTON2", nullptr},
    {0xEA, "MOUSECODE_1_BUTTON3", nullptr},
}};

constexpr std::array<std::pair<int, int>, 3> RetroArchMouse{{{0xE8, 1}, {0xEA, 2}, {0xE9, 3}}};

const NameRow* row(int code) {
    auto it = std::find_if(Names.begin(), Names.end(),
                           [code](const NameRow& r) { return r.code == code; });
    return it == Names.end() ? nullptr : &*it;
}

} // namespace

EmulatorKey EmulatorKey::of(const KeySlot& slot) {
    return {slot.keyCode, slot.control, slot.shift, slot.alt};
}

QString EmulatorKeys::mameToken(int code) {
    const NameRow* r = row(code);
    if (!r)
        return QString();
    const QString name = QString::fromLatin1(r->mame);
    return isMouse(code) ? name : QStringLiteral("KEYCODE_") + name;
}

int EmulatorKeys::fromMameToken(QStringView token) {
    for (const NameRow& r : Names)
        if (mameToken(r.code).compare(token, Qt::CaseInsensitive) == 0)
            return r.code;
    return -1;
}

QString EmulatorKeys::retroArchName(int code) {
    const NameRow* r = row(code);
    return r && r->retroArch ? QString::fromLatin1(r->retroArch) : QString();
}

int EmulatorKeys::fromRetroArchName(QStringView name) {
    if (name.isEmpty() || name == QLatin1String("nul"))
        return 0;
    // RetroArch reads these too, and writes them back as "tilde", "subtract" and "add".
    if (name == QLatin1String("backquote"))
        return 0x35;
    if (name == QLatin1String("kp_minus"))
        return 0x56;
    if (name == QLatin1String("kp_plus"))
        return 0x57;
    for (const NameRow& r : Names)
        if (r.retroArch && name == QLatin1String(r.retroArch))
            return r.code;
    return -1;
}

int EmulatorKeys::retroArchMouseButton(int code) {
    for (const auto& [c, number] : RetroArchMouse)
        if (c == code)
            return number;
    return 0;
}

int EmulatorKeys::fromRetroArchMouseButton(QStringView number) {
    bool isNumber = false;
    const int n = number.toInt(&isNumber);
    for (const auto& [c, button] : RetroArchMouse)
        if (isNumber && n == button)
            return c;
    return 0;
}

QList<int> EmulatorKeys::heldCodes(const EmulatorKey& key) {
    QList<int> held;
    if (key.isNone())
        return held;
    if (key.control)
        held << LeftControl;
    if (key.shift)
        held << LeftShift;
    if (key.alt)
        held << LeftAlt;
    if (!held.contains(key.code))
        held << key.code;
    return held;
}

QString EmulatorKeys::text(const EmulatorKey& key) {
    KeySlot slot;
    slot.keyCode = key.code;
    slot.keyBlank = key.isNone();
    slot.control = key.control;
    slot.shift = key.shift;
    slot.alt = key.alt;
    return AssignmentText(slot);
}
