// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keyselect/KeySelector.h"

// Asks for a key with the on-screen keyboard, modally.
class OnScreenKeyboard : public KeySelector {
public:
    int selectKey(QWidget* parent) override;
};
