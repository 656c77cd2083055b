// `tarvenpad`: the command-line companion of the programmer.
#include "CommandLineTool.h"
#include "HidapiAccess.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLineTool tool(
        out, err, [] { return std::make_unique<HidapiAccess>(QStringLiteral("/sys")); },
        isatty(STDERR_FILENO));
    const int status = tool.run(QCoreApplication::arguments().mid(1));
    out.flush();
    err.flush();
    return status;
}
