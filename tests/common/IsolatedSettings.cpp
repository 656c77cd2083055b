// SPDX-License-Identifier: GPL-3.0-or-later
// In every test: settings live in Qt's test folder, never in what a person left on.
#include <QCoreApplication>
#include <QStandardPaths>

static void isolateSettings() {
    QStandardPaths::setTestModeEnabled(true);
}
Q_COREAPP_STARTUP_FUNCTION(isolateSettings)
