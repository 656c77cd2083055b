// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class Configuration;

// One line per slot or option that differs, "Input 7: Shift + A | Esc" (this configuration
// first, the unit second), slots before options. Past `maxLines` the rest is summed up as
// "and N more". Empty when both hold the same.
QStringList ConfigurationDifferences(const Configuration& mine, const Configuration& unit,
                                     int maxLines = 12);
