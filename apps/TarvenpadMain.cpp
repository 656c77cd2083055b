// `tarvenpad`: the command-line companion of the programmer.
#include "CommandLineTool.h"
#include "HidapiAccess.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLineTool tool(
        out, err, [] { return std::make_unique<HidapiAccess>(QStringLiteral("/sys")); },
        isatty(STDERR_FILENO));
    int status = tool.run(QCoreApplication::arguments().mid(1));
    out.flush();
    // Output that never arrived (a full disk, a closed pipe) must not pass for success.
    if (out.status() != QTextStream::Ok && status == CommandLineTool::Success) {
        err << "tarvenpad: cannot write standard output: " << out.device()->errorString() << '\n';
        status = CommandLineTool::CannotWrite;
    }
    err.flush();
    return status;
}
