// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReadCommand.h"

#include "cli/UnitProgramming.h"
#include "device/DeviceImage.h"
#include "files/ConfigFile.h"
#include "model/Configuration.h"

#include <QDir>

int ReadCommand::run(const ToolOptions& o) {
    int unit = 0;
    DeviceImage image;
    if (const int r = readUnit(o, unit, image))
        return r;
    Configuration config;
    // A unit holds keys, not what the panel's controls are for: reading over a file keeps
    // the roles it gave the inputs, as the wiring did not change.
    if (o.files[0] != QLatin1String("-"))
        ReadConfigFile(config, o.files[0]);
    ApplyDeviceImage(config, image);
    if (const int w = save(o.files[0], config, Format::Tpd, unreadableRoles(o)))
        return w;
    if (o.files[0] == QLatin1String("-"))
        return Success;
    if (config.hasRoles())
        m_out << tr("unit %1: read into %2, keeping its panel roles\n")
                     .arg(unit)
                     .arg(QDir::toNativeSeparators(o.files[0]));
    else
        m_out << tr("unit %1: read into %2\n").arg(unit).arg(QDir::toNativeSeparators(o.files[0]));
    return Success;
}

int ReadCommand::readUnit(const ToolOptions& o, int& unit, DeviceImage& image) {
    UnitContext c = openContext(o);
    ListedUnit chosen;
    if (const int r = pickUnit(o, *c.access, c.link, chosen))
        return r;
    unit = chosen.unit;
    const TransferResult r = c.link.ReceiveImageFromUnit(DeviceIdentifier, unit, image);
    c.progress.finish();
    if (r == TransferResult::DeviceNotFound) {
        const UnitProgramming::Outcome why =
            UnitProgramming::notFound(*c.access, tr("Device Not Found"));
        return fail(why.status, tr("unit %1: %2").arg(unit).arg(why.message));
    }
    if (r != TransferResult::Success)
        return fail(IoError, tr("unit %1: Device I/O Error while reading").arg(unit));
    return Success;
}
