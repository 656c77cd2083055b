// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

using SerialBytes = std::array<unsigned char, 4>;

// The serial number as the user sees it: the characters up to the first zero byte without
// leading zeros (one is kept), then the last digit of their digit sum as a check digit.
QString FormatSerial(const SerialBytes& bytes);
