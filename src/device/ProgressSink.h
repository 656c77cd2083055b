// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;

// Where a transfer shows its progress text and lets the window breathe between exchanges.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetStatus(const QString& text) = 0;
    virtual void processEvents() = 0;
};
