// SPDX-License-Identifier: GPL-3.0-or-later
// In every test: settings and state (the restore journal) live in a folder of this run's own,
// never in what a person (or another suite) left on.
#include <QCoreApplication>
#include <QTemporaryDir>

static void isolateSettings() {
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", (folder.path() + QLatin1String("/state")).toLocal8Bit());
}
Q_COREAPP_STARTUP_FUNCTION(isolateSettings)
