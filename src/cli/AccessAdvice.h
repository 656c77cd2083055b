// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/AccessSetup.h"

#include <QString>

// What a user who may not open a unit, or its keyboard, has to do: one step to a paragraph,
// fitted to how the programs were installed and how the user is logged in.
namespace AccessAdvice {
// For opening a unit.
QString forUnit(const AccessSetup& setup);
// For a unit's keyboard, which only the user at the seat is given.
QString forKeyboard(const AccessSetup& setup);
} // namespace AccessAdvice
