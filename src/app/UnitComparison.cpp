#include "UnitComparison.h"

#include "Configuration.h"
#include "ConfigurationDifferences.h"
#include "DeviceImage.h"
#include "DeviceLink.h"
#include "StatusWindow.h"
#include "UserDialogs.h"

#include <QCoreApplication>
#include <QSettings>
#include <memory>

namespace {

const QString VerifyKey = QStringLiteral("tools/verifyAfterWriting");

QSettings settings() {
    return QSettings(QStringLiteral("Quelmark Electronics"),
                     QStringLiteral("TARVEN-PAD Programmer"));
}

} // namespace

UnitComparison::UnitComparison(HidAccess& access, UserDialogs& dialogs, QWidget* owner)
    : m_access(access), m_dialogs(dialogs), m_owner(owner) {}

bool UnitComparison::verifyAfterWriting() {
    return settings().value(VerifyKey, false).toBool();
}

void UnitComparison::setVerifyAfterWriting(bool on) {
    settings().setValue(VerifyKey, on);
}

QStringList UnitComparison::differences(const DeviceImage& mine, const DeviceImage& unit) {
    // Through the loaders' rules on both sides, so only what a Read would show can differ.
    Configuration a, b;
    ApplyDeviceImage(a, mine);
    ApplyDeviceImage(b, unit);
    return ConfigurationDifferences(a, b);
}

TransferResult UnitComparison::compare(const Configuration& config, int identifier,
                                       UnitSelector& selector) {
    const DeviceImage mine = BuildDeviceImage(config);
    DeviceImage unit;
    auto status = std::make_unique<StatusWindow>(m_owner);
    status->show();
    QCoreApplication::processEvents();
    DeviceLink link(m_access, *status, selector);
    const TransferResult result = link.ReceiveImage(identifier, unit);
    if (result == TransferResult::DeviceNotFound || result == TransferResult::IoError)
        m_dialogs.message(
            m_owner,
            result == TransferResult::DeviceNotFound ? QStringLiteral("Device Not Found")
                                                     : QStringLiteral("Device I/O Error"),
            QStringLiteral("Error"), UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
    status.reset();
    QCoreApplication::processEvents();
    if (result != TransferResult::Success)
        return result;

    const QStringList lines = differences(mine, unit);
    if (lines.isEmpty())
        m_dialogs.message(m_owner, QStringLiteral("The TARVEN-PAD holds this configuration."),
                          QStringLiteral("Compare"), UserDialogs::Icon::Information,
                          UserDialogs::Buttons::Ok);
    else
        m_dialogs.message(m_owner,
                          QStringLiteral("The TARVEN-PAD holds a different configuration.\n"
                                         "(this configuration | the unit)\n\n") +
                              lines.join(QLatin1Char('\n')),
                          QStringLiteral("Compare"), UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
    return result;
}

TransferResult UnitComparison::sendAndReadBack(DeviceLink& link, int identifier,
                                               const DeviceImage& image, DeviceImage& readBack) {
    const int unit = link.ChooseUnit(identifier);
    if (unit == 0)
        return TransferResult::Cancelled;
    const TransferResult written = link.SendImageToUnit(identifier, unit, image);
    if (written != TransferResult::Success)
        return written;
    return link.ReceiveImageFromUnit(identifier, unit, readBack);
}

bool UnitComparison::confirmWritten(const DeviceImage& written, const DeviceImage& readBack) {
    const QStringList lines = differences(written, readBack);
    if (lines.isEmpty())
        return true;
    m_dialogs.message(m_owner,
                      QStringLiteral("The TARVEN-PAD does not hold what was written.\n"
                                     "(written | read back)\n\n") +
                          lines.join(QLatin1Char('\n')),
                      QStringLiteral("Error"), UserDialogs::Icon::Exclamation,
                      UserDialogs::Buttons::Ok);
    return false;
}
