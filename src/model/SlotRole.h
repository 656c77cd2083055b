// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PanelRole.h"

#include <QString>

// What a slot is for on the panel: its role (PanelRole) and a label of the user's own.
struct SlotRole {
    int role = PanelRole::None;
    QString label;

    bool isEmpty() const { return role == PanelRole::None && label.isEmpty(); }
    bool operator==(const SlotRole&) const = default;
};
