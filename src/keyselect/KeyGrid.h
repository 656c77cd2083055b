// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// Where each button of the on-screen keyboard sits, in grid units of a keyboard 27 units wide
// and 8 high, and the key code it stands for. Buttons are numbered in reading order.
struct KeyGridEntry {
    int code; // 0 for "Not Used", -1 for "Cancel"
    double x;
    double y;
    double w = 1;
    double h = 1;
};

inline constexpr int KeyButtonCount = 109;
inline constexpr int FirstMouseButton = 104;
inline constexpr int NotUsedButton = 107;
inline constexpr int CancelButton = 108;
inline constexpr int KeypadZeroButton = 102;

extern const std::array<KeyGridEntry, KeyButtonCount> KeyGrid;

// The ways the arrow keys move over the drawn keyboard.
enum class GridStep { Left, Right, Up, Down };
// The button an arrow moves to from button `index`: Left and Right to the neighbour in its
// row, Up and Down to the nearest button above or below, the one nearest in x; -1 at an edge.
int KeyGridNeighbour(int index, GridStep step);
// The keyboard button that shows the key with this HID usage; -1 where the window shows none.
int KeyGridButtonOf(int usage);
