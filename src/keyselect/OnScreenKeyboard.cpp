// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyselect/OnScreenKeyboard.h"

#include "keyselect/KeySelectForm.h"

int OnScreenKeyboard::selectKey(QWidget* parent) {
    KeySelectForm form(parent);
    form.exec();
    return form.KeySelectionResult();
}
