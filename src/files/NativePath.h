// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File names. A name's bytes travel in a QString as UTF-8, and each byte that is not part of
// valid UTF-8 as one of U+DC80 to U+DCFF (a lone surrogate, which no valid UTF-8 gives), so
// NativePath(PathFromNative(b)) == b for any bytes b.
QString PathFromNative(const QByteArray& bytes);
QByteArray NativePath(const QString& path);
// The program's arguments, decoded that way (QCoreApplication::arguments() is lossy).
QStringList ArgumentsFromNative(int argc, const char* const* argv);
