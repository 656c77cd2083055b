// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolOptions.h"
#include "cli/ToolStatus.h"
#include "files/ConfigFile.h"

#include <QCoreApplication>
#include <QString>
#include <QTextStream>

class Configuration;

// What every command of the tool shares: its two streams, one error line per failure, and
// reading and writing configurations the way the programmer does.
class ToolIo : public ToolStatus {
    Q_DECLARE_TR_FUNCTIONS(CommandLineTool)
public:
    ToolIo(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    // Says `message` on standard error as one line and gives `code` back.
    int fail(int code, const QString& message);
    // Says `message` on standard error as one line, as a warning: the command goes on.
    void warn(const QString& message);
    // Reads the input once, whatever it is (a file, a FIFO, "-" for standard input), and at
    // most MaxInputSize bytes of it; a .TPD or a JSON document by its header. What the input
    // held that could not be loaded (panel roles) is warned of.
    int load(const QString& path, Configuration& config);
    // Through the window's writer: a .TPD keeps the tail of an existing file, a JSON document
    // replaces it; a failed write leaves the old file as it was and gives CannotWrite. A .TPD
    // whose panel roles cannot be read is not replaced unless `unreadable` says so: the
    // refusal names the option that does.
    enum class Format { Tpd, Json };
    int save(const QString& path, const Configuration& config, Format format,
             UnreadableRoles unreadable = UnreadableRoles::Refuse);
    // What --replace-roles asks of save.
    static UnreadableRoles unreadableRoles(const ToolOptions& o) {
        return o.replaceRoles ? UnreadableRoles::Replace : UnreadableRoles::Refuse;
    }

protected:
    QTextStream& m_out;
    QTextStream& m_err;

private:
    int loadInput(Configuration& config);
};
