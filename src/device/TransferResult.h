// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Outcome of a transfer with a unit. The first three values are what the encoder's own tools
// have always used; Cancelled is ours, for a unit choice closed without a choice.
enum class TransferResult : int {
    Success = 0,
    DeviceNotFound = 1,
    IoError = 2,
    Cancelled = 3,
};
