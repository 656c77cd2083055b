// SPDX-License-Identifier: GPL-3.0-or-later
// `tarvenpad`: the command-line companion of the programmer.
#include "cli/CommandLineTool.h"
#include "device/HidapiAccess.h"
#include "files/FileAccess.h"
#include "files/Translations.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ReportWriteSignalsAsErrors(false);
    Translations::install(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLineTool tool(
        out, err, [] { return std::make_unique<HidapiAccess>(QStringLiteral("/sys")); },
        isatty(STDERR_FILENO));
    // File names as the bytes they are, also when they are not valid UTF-8.
    int status = tool.run(ArgumentsFromNative(argc, argv).mid(1));
    out.flush();
    // Output that never arrived (a full disk, a closed pipe) must not pass for success.
    if (out.status() != QTextStream::Ok && status == CommandLineTool::Success) {
        err << "tarvenpad: "
            << QCoreApplication::translate("main", "cannot write standard output: %1")
                   .arg(out.device()->errorString())
            << '\n';
        status = CommandLineTool::CannotWrite;
    }
    err.flush();
    return status;
}
