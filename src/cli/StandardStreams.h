// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QTextStream;

// Standard input and output for the commands' "-": binary-safe, and read in one bounded pass
// so that a runaway pipe cannot eat the memory.
class StandardStreams {
    Q_DECLARE_TR_FUNCTIONS(StandardStreams)
public:
    static constexpr qsizetype InputLimit = 1024 * 1024;

    // All of standard input; returns why it could not be read, or an empty string.
    static QString readInput(QByteArray& bytes);
    // The bytes after whatever text `out` holds, on the device under it; returns why they could
    // not be written, or an empty string.
    static QString writeOutput(QTextStream& out, const QByteArray& bytes);
};
