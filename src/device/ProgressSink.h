// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which way a transfer moves the configuration.
enum class TransferDirection { Writing, Reading };

// Where a transfer reports how far it has come and lets the window breathe between
// exchanges. It passes numbers; the window or the tool that shows them chooses the words.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // `done` of `total` locations have been sent or requested, counting the one under way.
    virtual void showProgress(TransferDirection direction, int done, int total) = 0;
    virtual void processEvents() = 0;
};
