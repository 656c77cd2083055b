// SPDX-License-Identifier: GPL-3.0-or-later
// In every test: settings and state (the restore journal) live in a folder of this run's own,
// never in what a person (or another suite) left on.
#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

static void isolateSettings() {
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", (folder.path() + QLatin1String("/state")).toLocal8Bit());
    // Qt may have looked the settings folder up before this ran (the platform plugin starts
    // first): said again to QSettings itself, or suites running side by side share one file.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder.path());
}
Q_COREAPP_STARTUP_FUNCTION(isolateSettings)
