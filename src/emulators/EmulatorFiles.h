// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulators/EmulatorImport.h"
#include "files/FileAccess.h"
#include "files/FileResult.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

class EmulatorExport;

// The emulator files on disk, through the same reader and writer as every other file.
// Failures carry a message that names the file and the system's reason.
class EmulatorFiles {
    Q_DECLARE_TR_FUNCTIONS(EmulatorFiles)
public:
    // The map as a file of its own: a MAME controller file, or RetroArch binds for
    // --appendconfig, which are refused over a file that holds other RetroArch settings.
    static FileResult write(const EmulatorExport& map, const QString& path, ReaderWait wait);
    // What write() puts in the file.
    static QByteArray contents(const EmulatorExport& map);
    // The RetroArch binds put into the retroarch.cfg at `path`, the rest of it kept as it
    // was. The old file is first copied to `backup` (backupName()), with its permissions;
    // if that fails, nothing is changed. When the file holds the binds already, nothing is
    // written and `backup` is empty.
    static FileResult merge(const EmulatorExport& map, const QString& path, QString& backup);
    // "retroarch.cfg.bak", or the first of "retroarch.cfg.bak2", "...bak3" that is free,
    // so that no earlier backup is lost.
    static QString backupName(const QString& path);
    // A user's emulator file read as a source of keys; nothing, with `error` set, when it
    // cannot be read or is neither emulator's.
    static std::optional<EmulatorImport> read(const QString& path, InputKind kind, QString& error);
};
