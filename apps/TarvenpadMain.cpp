// SPDX-License-Identifier: GPL-3.0-or-later
// `tarvenpad`: the command-line companion of the programmer.
#include "cli/CommandLineOptions.h"
#include "cli/CommandLineTool.h"
#include "files/FileAccess.h"
#include "files/NativePath.h"
#include "files/Translations.h"
#include "hidraw/EvdevKeySource.h"
#include "hidraw/HidapiAccess.h"
#include "hidraw/UdevPlugMonitor.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIODevice>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv) {
    // File names as the bytes they are, also when they are not valid UTF-8.
    const QStringList arguments = ArgumentsFromNative(argc, argv).mid(1);
    // Drawing a legend takes Qt Gui's fonts and painters; on the offscreen platform it needs
    // no display. Every other command stays a plain Qt Core program.
    ToolOptions asked;
    CommandLineOptions::parse(arguments, asked);
    std::unique_ptr<QCoreApplication> application;
    if (asked.command == QLatin1String("legend")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt Gui notes a missing XDG_RUNTIME_DIR (cron, SSH) on standard error; a command
        // that only writes a file has no use for it, and scripts must not see it as an error.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (!text.startsWith(QLatin1String("QStandardPaths:")))
                fprintf(stderr, "%s\n", qPrintable(text));
            if (type == QtFatalMsg)
                abort();
        });
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication& app = *application;
    ReportWriteSignalsAsErrors(false);
    Translations::install(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLineTool tool(
        out, err, [] { return std::make_unique<HidapiAccess>(QStringLiteral("/sys")); },
        isatty(STDERR_FILENO));
    tool.setPlugMonitor([] { return std::make_unique<UdevPlugMonitor>(); });
    tool.setKeySource([](const QString& node, KeyPressSource::Failure& failure) {
        return std::unique_ptr<KeyPressSource>(EvdevKeySource::open(node, failure));
    });
    int status = tool.run(arguments);
    out.flush();
    // Output that never arrived (a full disk, a closed pipe) must not pass for success.
    if (out.status() != QTextStream::Ok &&
        (status == CommandLineTool::Success || status == CommandLineTool::Incomplete)) {
        err << "tarvenpad: "
            << QCoreApplication::translate("main", "cannot write standard output: %1")
                   .arg(out.device()->errorString())
            << '\n';
        status = CommandLineTool::CannotWrite;
    }
    err.flush();
    return status;
}
