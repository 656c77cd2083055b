// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Asks the user for a key: a key code, 0 for "Not Used", or -1 when cancelled.
class KeySelector {
public:
    virtual ~KeySelector() = default;
    virtual int selectKey(QWidget* parent) = 0;
};
