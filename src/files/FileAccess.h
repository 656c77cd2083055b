// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/FileResult.h"

#include <QByteArray>
#include <QString>

// Every file the window and the command-line tool read or write goes through here: one
// reader that opens its input once and reads a bounded amount, and one writer that checks
// every step before it lets the new contents replace the old.
//
// The layer works on the POSIX calls directly, with the file name as its bytes: Qt 6 turns a
// name that is not valid UTF-8 into U+FFFD on the way into a QString and cannot give the
// bytes back, and QSaveFile ignores a failed fsync.

// No configuration file is longer than this; no input is read past it.
inline constexpr qsizetype MaxInputSize = 1 << 20;

enum class InputKind {
    RegularFile, // the window: anything else (FIFO, device, folder) is refused before opening
    Any,         // the tool: also FIFOs, pipes, devices and /dev/stdin
};

// What an input held, at most MaxInputSize bytes of it.
struct InputBytes {
    QByteArray bytes;
    bool complete = true; // false: the input goes on past `bytes`
};

// Opens `path` once and reads it in one pass. A regular file longer than MaxInputSize gives
// its first MaxInputSize bytes without reading further; a stream is read up to one byte past
// the bound. The paths /dev/stdin, /dev/fd/N and /proc/self/fd/N read the descriptor itself.
FileResult ReadInput(const QString& path, InputKind kind, InputBytes& input);

enum class ExistingTail {
    Keep, // a .TPD: the bytes of an existing file after the new contents stay as they were
    Drop, // a JSON document: the new contents are the whole file
};

enum class ReaderWait {
    Refuse, // the window: a FIFO that nobody reads from is an error, not a wait
    Wait,   // the tool: like any program writing into a FIFO, wait for its reader
};

// Writes `bytes` to `path`, or fails with the system's reason and leaves an existing file
// byte for byte as it was. The failure's message names only the path: the caller knows what
// it was writing (a configuration, a legend, a backup) and words its own message around
// FileResult::reason.
// - A regular file (or a new one) is written to a temporary file beside it, named
//   NAME.XXXXXX (or a short name in the same folder when NAME is too long to take the
//   suffix), which is flushed to disk and then renamed over the old one, keeping its
//   permissions (and owner, where allowed). With ExistingTail::Keep the old file's bytes
//   after the new contents are copied behind them, in pieces.
// - A regular file is written in place instead when its folder does not let us create the
//   temporary file but the file itself is writable (as QSaveFile::setDirectWriteFallback
//   does), and with ExistingTail::Keep when its tail is longer than MaxInputSize (a .TPD
//   writer has always written its 94 bytes in place). Before writing in place the bytes to
//   be overwritten are read; if any write fails they are written back and the file is cut
//   back to its old length.
// - A character device or a FIFO is written in place; /dev/stdout, /dev/stderr, /dev/fd/N
//   and /proc/self/fd/N are written through that descriptor. A block device, a socket and a
//   folder are refused.
// - A symbolic link is followed: the file it names is replaced, the link stays.
FileResult WriteOutput(const QString& path, const QByteArray& bytes, ExistingTail tail,
                       ReaderWait wait);

// Whether `path` names anything at all (a symbolic link that leads nowhere counts), for the
// question whether to replace it.
bool PathExists(const QString& path);

// Makes a write past the file-size limit (SIGXFSZ) and, with `brokenPipes`, a write into a
// pipe whose reader has gone (SIGPIPE) fail with an error the writer reports, instead of
// ending the program. The window asks for both; the tool keeps the usual end on SIGPIPE.
void ReportWriteSignalsAsErrors(bool brokenPipes);
