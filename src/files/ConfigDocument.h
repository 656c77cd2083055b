// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileAccess.h"
#include "files/FileResult.h"

#include <QByteArray>
#include <QString>

class Configuration;

// The command-line tool's configurations: a .TPD file of either layout or a JSON document.

enum class ConfigFormat { Tpd, Json };

// Tells the formats apart by the .TPD header and the length first. A header that unscrambles
// to "O" is a byte no text holds. One that unscrambles to "A" is a newline, so: exactly 94
// bytes is a .TPD (no JSON configuration is that short); otherwise it is JSON when the first
// byte after the leading JSON whitespace is "{" (a .TPD would need a first modifier byte of
// 0x30, 0x41, 0x42, 0x46 or 0x6B, none of which any writer produces) and a .TPD else.
// Everything without a .TPD header goes to the JSON reader.
ConfigFormat DetectConfigFormat(const QByteArray& bytes, bool complete);

// Loads what an input held into the configuration; nothing changes unless it is accepted.
// A JSON document must be complete (at most MaxInputSize bytes); a .TPD needs only its first
// bytes. `name` is used only in messages.
FileResult DecodeConfiguration(Configuration& config, const InputBytes& input, const QString& name);

// Reads `path` once (ReadInput with InputKind::Any) and decodes it.
FileResult LoadConfiguration(Configuration& config, const QString& path);

// The JSON document of a configuration, as `export` and `show --json` write it.
QByteArray EncodeConfigJson(const Configuration& config);

// Writes the JSON document through WriteOutput: the whole file is replaced.
FileResult WriteConfigJsonFile(const Configuration& config, const QString& path,
                               ReaderWait wait = ReaderWait::Refuse);
