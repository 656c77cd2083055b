// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tool's exit statuses, the same for every command; scripts rely on them.
struct ToolStatus {
    enum Exit {
        Success = 0,
        Usage = 2,
        BadInput = 3,
        CannotWrite = 4,
        NoUnit = 5,
        IoError = 6,
        Differs = 7,
        AccessDenied = 8,
        // Written, but with warnings: something could not be said, and stderr says what.
        Incomplete = 9,
    };
};
