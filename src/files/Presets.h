// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileResult.h"

#include <QString>
#include <QStringList>

class Configuration;

// Starting points for common panels. Each preset is a JSON document of our own format in
// resources/presets, named by its file name ("Arcade, one player.json"), read through the
// same strict reader as any JSON document. Adding one is adding its file there (the build
// takes every one) and its name to ShippedNames in Presets.cpp, where translators find it.

// The English names of the presets, in alphabetical order.
QStringList PresetNames();
// A preset's name as the window shows it, translated where a translation has it.
QString PresetTitle(const QString& name);
// The name for the command line: lower case, every run of other characters one hyphen
// ("arcade-one-player").
QString PresetKey(const QString& name);
// The preset a user means by its name or key, whatever the case; empty when there is none.
QString FindPreset(const QString& asked);
// Loads a preset into the configuration; nothing changes unless it is accepted.
FileResult LoadPreset(Configuration& config, const QString& name);
