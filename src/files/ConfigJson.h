// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileResult.h"
#include "model/Configuration.h"

#include <QByteArray>
#include <QJsonObject>

// A configuration as a JSON document for people and version control:
// {"format": "tarvenpad-config", "version": 1, "slots": [46 objects], "options": {...}}.
// "label" and "keyName" are there to be read by people; reading ignores them.
QJsonObject ConfigToJson(const Configuration& config);
// What a slot holds as the document carries it: key, keyName and the four flags.
QJsonObject SlotSettingsJson(const KeySlot& slot);

// The key an option has in the document's "options": "reverseX" ... "relayOnAux".
QString OptionJsonKey(Configuration::Option option);

// Loads a JSON document into the configuration through the same rules as a .TPD file.
// Nothing changes unless the whole document is valid; the message names the first wrong field.
FileResult ConfigFromJson(Configuration& config, const QByteArray& json);
