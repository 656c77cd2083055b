// `tarvenpad`: the command-line companion of the programmer.
#include "CommandLineTool.h"
#include "FileAccess.h"
#include "HidapiAccess.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ReportWriteSignalsAsErrors(false);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLineTool tool(
        out, err, [] { return std::make_unique<HidapiAccess>(); }, isatty(STDERR_FILENO));
    // File names as the bytes they are, also when they are not valid UTF-8.
    const int status = tool.run(ArgumentsFromNative(argc, argv).mid(1));
    out.flush();
    err.flush();
    return status;
}
