// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileAccess.h"
#include "files/FileResult.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class Configuration;

// .TPD files: a header letter, then one modifier byte and one key code per slot, then the
// options, every byte XORed with a mask letter. We write the 46-slot layout ("A") and also
// read the older 36-slot layout ("O").
inline constexpr quint8 FileMask = 'K';
inline constexpr quint8 Mask36 = 'T';
inline constexpr int FileSize46 = 94;
inline constexpr int FileSize36 = 74;

// The 94 bytes of the 46-slot layout for a configuration.
QByteArray EncodeConfigFile(const Configuration& config);

// Loads file bytes into the configuration. Nothing changes unless the bytes are accepted;
// `name` is used only in messages.
FileResult DecodeConfigFile(Configuration& config, const QByteArray& bytes, const QString& name);

// Writes the configuration through WriteOutput (FileAccess.h): any bytes of an existing file
// after the first 94 are kept, and a failed write leaves the old file as it was.
// ConfigModified is the caller's business.
FileResult WriteConfigFile(const Configuration& config, const QString& path,
                           ReaderWait wait = ReaderWait::Refuse);

// The window's reader: loads a regular file of either layout, refusing anything else
// (a FIFO, a device, a folder) without opening it; on success ConfigModified becomes false.
FileResult ReadConfigFile(Configuration& config, const QString& path);
