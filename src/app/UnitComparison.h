// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QStringList>

class ConfigurationDifferences;
class QWidget;
class UserDialogs;
struct DeviceImage;

// Tells whether a unit holds a configuration: Compare With TARVENPAD, and the read-back
// after a write when Verify After Writing is on. Nothing here changes the configuration
// or its document state.
class UnitComparison {
    Q_DECLARE_TR_FUNCTIONS(UnitComparison)

public:
    UnitComparison(UserDialogs& dialogs, QWidget* owner);

    // Remembered between runs; off until the user turns it on.
    static bool verifyAfterWriting();
    static void setVerifyAfterWriting(bool on);

    // Says whether the unit holds what `mine` means, or what differs.
    void report(const DeviceImage& mine, const DeviceImage& unit);

    // After a successful read-back: true when every byte written came back, otherwise
    // false after an error box that lists the differences.
    bool confirmWritten(const DeviceImage& written, const DeviceImage& readBack);

private:
    // `heading` over the list of all the differences.
    void showDifferences(const QString& heading, const QString& title,
                         const ConfigurationDifferences& differences, bool withBytes);

    UserDialogs& m_dialogs;
    QWidget* m_owner;
};
