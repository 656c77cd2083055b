// SPDX-License-Identifier: GPL-3.0-or-later
// In every test: settings live in a folder of this run's own, never in what a person (or
// another suite) left on.
#include <QCoreApplication>
#include <QTemporaryDir>

static void isolateSettings() {
    static QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
}
Q_COREAPP_STARTUP_FUNCTION(isolateSettings)
