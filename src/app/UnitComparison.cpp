// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UnitComparison.h"

#include "app/UserDialogs.h"
#include "device/DeviceImage.h"
#include "model/Configuration.h"
#include "model/ConfigurationDifferences.h"

#include <QSettings>

namespace {

// Every location can differ at once.
constexpr int AllLines = ConfigImage::Size;

const QString VerifyKey = QStringLiteral("tools/verifyAfterWriting");

QSettings settings() {
    return QSettings(QStringLiteral("Quelmark Electronics"),
                     QStringLiteral("TARVEN-PAD Programmer"));
}

} // namespace

UnitComparison::UnitComparison(UserDialogs& dialogs, QWidget* owner)
    : m_dialogs(dialogs), m_owner(owner) {}

bool UnitComparison::verifyAfterWriting() {
    return settings().value(VerifyKey, false).toBool();
}

void UnitComparison::setVerifyAfterWriting(bool on) {
    settings().setValue(VerifyKey, on);
}

void UnitComparison::showDifferences(const QString& heading, const QString& title,
                                     const ConfigurationDifferences& differences, bool withBytes) {
    m_dialogs.messageWithList(m_owner, heading, differences.lines(AllLines, withBytes), title,
                              UserDialogs::Icon::Exclamation);
}

void UnitComparison::report(const DeviceImage& mine, const DeviceImage& unit) {
    // What a Read would show, as the tool's diff says it.
    const auto differences = ConfigurationDifferences::of(mine.bytes, unit.bytes);
    if (differences.sameMeaning())
        m_dialogs.message(m_owner, tr("The TARVEN-PAD holds this configuration."), tr("Compare"),
                          UserDialogs::Icon::Information, UserDialogs::Buttons::Ok);
    else
        showDifferences(tr("The TARVEN-PAD holds a different configuration.\n"
                           "(this configuration | the unit)"),
                        tr("Compare"), differences, false);
}

bool UnitComparison::confirmWritten(const DeviceImage& written, const DeviceImage& readBack) {
    // Every byte sent must come back, as the tool's write checks it.
    const auto differences = ConfigurationDifferences::of(written.bytes, readBack.bytes);
    if (differences.sameBytes())
        return true;
    showDifferences(tr("The TARVEN-PAD does not hold what was written.\n"
                       "(written | read back)"),
                    tr("Error"), differences, true);
    return false;
}
