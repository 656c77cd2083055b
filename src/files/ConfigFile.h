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

// The 94 bytes of the 46-slot layout for a configuration, then its panel roles' block
// (RolesBlock.h) when any slot has a role or a label.
QByteArray EncodeConfigFile(const Configuration& config);

// Loads file bytes into the configuration, panel roles included: a file without them leaves
// every slot without one. Nothing changes unless the keys are accepted; roles that cannot be
// read leave the slots without roles and say why in the result's warning. `name` is used
// only in messages.
FileResult DecodeConfigFile(Configuration& config, const QByteArray& bytes, const QString& name);

// What to do when the file being replaced holds panel roles we cannot read.
enum class UnreadableRoles {
    Refuse,  // fail with FileResult::Status::RolesUnreadable, so that the user is asked first
    Replace, // the user agreed: they give way to the configuration's roles
};

// Writes the configuration through WriteOutput (FileAccess.h), and a failed write leaves the
// old file as it was. Of an existing file's bytes after the first 94, its roles' block gives
// way to ours and every other byte is kept behind it. ConfigModified is the caller's business.
FileResult WriteConfigFile(const Configuration& config, const QString& path,
                           ReaderWait wait = ReaderWait::Refuse,
                           UnreadableRoles unreadable = UnreadableRoles::Refuse);

// The window's reader: loads a regular file of either layout, refusing anything else
// (a FIFO, a device, a folder) without opening it; on success ConfigModified becomes false.
FileResult ReadConfigFile(Configuration& config, const QString& path);
