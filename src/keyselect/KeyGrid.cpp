// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyselect/KeyGrid.h"

#include <cmath>

// clang-format off
namespace {
constexpr std::array<KeyGridEntry, KeyButtonCount> Grid{{
    // Function row
    {0x29, 0, 0},
    {0x3A, 2, 0}, {0x3B, 3, 0}, {0x3C, 4, 0}, {0x3D, 5, 0},
    {0x3E, 6.5, 0}, {0x3F, 7.5, 0}, {0x40, 8.5, 0}, {0x41, 9.5, 0},
    {0x42, 11, 0}, {0x43, 12, 0}, {0x44, 13, 0}, {0x45, 14, 0},
    {0x46, 15.5, 0}, {0x47, 16.5, 0}, {0x48, 17.5, 0},
    // Digits
    {0x35, 0, 1.5}, {0x1E, 1, 1.5}, {0x1F, 2, 1.5}, {0x20, 3, 1.5}, {0x21, 4, 1.5},
    {0x22, 5, 1.5}, {0x23, 6, 1.5}, {0x24, 7, 1.5}, {0x25, 8, 1.5}, {0x26, 9, 1.5},
    {0x27, 10, 1.5}, {0x2D, 11, 1.5}, {0x2E, 12, 1.5}, {0x2A, 13, 1.5, 2},
    {0x49, 15.5, 1.5}, {0x4A, 16.5, 1.5}, {0x4B, 17.5, 1.5},
    {0x53, 19, 1.5}, {0x54, 20, 1.5}, {0x55, 21, 1.5}, {0x56, 22, 1.5},
    // Q row
    {0x2B, 0, 2.5, 1.5},
    {0x14, 1.5, 2.5}, {0x1A, 2.5, 2.5}, {0x08, 3.5, 2.5}, {0x15, 4.5, 2.5}, {0x17, 5.5, 2.5},
    {0x1C, 6.5, 2.5}, {0x18, 7.5, 2.5}, {0x0C, 8.5, 2.5}, {0x12, 9.5, 2.5}, {0x13, 10.5, 2.5},
    {0x2F, 11.5, 2.5}, {0x30, 12.5, 2.5}, {0x31, 13.5, 2.5, 1.5},
    {0x4C, 15.5, 2.5}, {0x4D, 16.5, 2.5}, {0x4E, 17.5, 2.5},
    {0x5F, 19, 2.5}, {0x60, 20, 2.5}, {0x61, 21, 2.5}, {0x57, 22, 2.5, 1, 2},
    // A row
    {0x39, 0, 3.5, 2},
    {0x04, 2, 3.5}, {0x16, 3, 3.5}, {0x07, 4, 3.5}, {0x09, 5, 3.5}, {0x0A, 6, 3.5},
    {0x0B, 7, 3.5}, {0x0D, 8, 3.5}, {0x0E, 9, 3.5}, {0x0F, 10, 3.5}, {0x33, 11, 3.5},
    {0x34, 12, 3.5}, {0x28, 13, 3.5, 2},
    {0x5C, 19, 3.5}, {0x5D, 20, 3.5}, {0x5E, 21, 3.5},
    // Z row
    {0xE1, 0, 4.5, 2.5},
    {0x1D, 2.5, 4.5}, {0x1B, 3.5, 4.5}, {0x06, 4.5, 4.5}, {0x19, 5.5, 4.5}, {0x05, 6.5, 4.5},
    {0x11, 7.5, 4.5}, {0x10, 8.5, 4.5}, {0x36, 9.5, 4.5}, {0x37, 10.5, 4.5}, {0x38, 11.5, 4.5},
    {0xE5, 12.5, 4.5, 2.5}, {0x52, 16.5, 4.5},
    {0x59, 19, 4.5}, {0x5A, 20, 4.5}, {0x5B, 21, 4.5}, {0x58, 22, 4.5, 1, 2},
    // Bottom row
    {0xE0, 0, 5.5, 1.25}, {0xE3, 1.25, 5.5, 1.25}, {0xE2, 2.5, 5.5, 1.25},
    {0x2C, 3.75, 5.5, 6.25},
    {0xE6, 10, 5.5, 1.25}, {0xE7, 11.25, 5.5, 1.25}, {0x65, 12.5, 5.5, 1.25}, {0xE4, 13.75, 5.5, 1.25},
    {0x50, 15.5, 5.5}, {0x51, 16.5, 5.5}, {0x4F, 17.5, 5.5},
    {0x62, 19, 5.5, 2}, {0x63, 21, 5.5},
    // Mouse buttons
    {0xE8, 24, 2, 1, 2}, {0xE9, 25, 2, 1, 2}, {0xEA, 26, 2, 1, 2},
    // "Not Used" and "Cancel"
    {0, 5, 7, 5}, {-1, 17, 7, 5},
}};
// clang-format on

// The window finds these buttons by index; the table must keep them there.
static_assert(Grid[FirstMouseButton].code == 0xE8 && Grid[FirstMouseButton + 1].code == 0xE9 &&
              Grid[FirstMouseButton + 2].code == 0xEA);
static_assert(Grid[NotUsedButton].code == 0 && Grid[CancelButton].code == -1);
static_assert(Grid[KeypadZeroButton].code == 0x62 && Grid[KeypadZeroButton].w == 2);
} // namespace

const std::array<KeyGridEntry, KeyButtonCount> KeyGrid = Grid;

namespace {
// How far `c` lies outside [from, from + size); 0 inside.
double outside(double c, double from, double size) {
    return c < from ? from - c : c >= from + size ? c - (from + size) : 0;
}
} // namespace

int KeyGridNeighbour(int index, GridStep step) {
    const KeyGridEntry& from = KeyGrid.at(index);
    const double centreX = from.x + from.w / 2, centreY = from.y + from.h / 2;
    int best = -1;
    double bestScore = 0;
    for (int i = 0; i < KeyButtonCount; ++i) {
        const KeyGridEntry& to = KeyGrid[i];
        // A row is the buttons level with this one's middle; a column is looser, as the rows
        // of a keyboard are staggered: the rows nearest first, then the nearest in x.
        const bool inRow = outside(centreY, to.y, to.h) == 0;
        const double dx = std::abs(to.x + to.w / 2 - centreX);
        double score = -1;
        if (step == GridStep::Left && inRow && to.x + to.w <= from.x)
            score = from.x - (to.x + to.w);
        else if (step == GridStep::Right && inRow && to.x >= from.x + from.w)
            score = to.x - (from.x + from.w);
        else if (step == GridStep::Up && to.y + to.h <= from.y)
            score = from.y - (to.y + to.h) + dx;
        else if (step == GridStep::Down && to.y >= from.y + from.h)
            score = to.y - (from.y + from.h) + dx;
        if (score >= 0 && (best < 0 || score < bestScore)) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

int KeyGridButtonOf(int usage) {
    for (int i = 0; i < FirstMouseButton; ++i)
        if (usage > 0 && KeyGrid[i].code == usage)
            return i;
    return -1;
}
