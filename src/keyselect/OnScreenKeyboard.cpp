// SPDX-License-Identifier: GPL-3.0-or-later
#include "OnScreenKeyboard.h"

#include "KeySelectForm.h"

int OnScreenKeyboard::selectKey(QWidget* parent) {
    KeySelectForm form(parent);
    form.exec();
    return form.KeySelectionResult();
}
