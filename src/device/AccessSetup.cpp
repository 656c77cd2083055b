// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/AccessSetup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <grp.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* RuleName = "70-tarvenpad.rules";
constexpr const char* HelperName = "tarvenpad-hid-check";

bool memberOf(const char* group) {
    const struct group* g = getgrnam(group);
    return g && AccessSetup::processGroups().contains(uint(g->gr_gid));
}

} // namespace

QList<AccessSetup::Step> AccessSetup::steps() const {
    QList<Step> steps;
    if (!ruleInstalled)
        steps << (ruleSource.isEmpty() ? Step::InstallPackage : Step::InstallFromBuild);
    if (atSeat)
        steps << Step::ReplugAtSeat;
    else if (!inPlugdev)
        steps << Step::JoinPlugdev;
    else if (ruleInstalled)
        steps << Step::ApplyRuleAgain;
    return steps;
}

QString AccessSetup::installCommands() const {
    return QStringLiteral("    sudo install -m 644 %1 /etc/udev/rules.d/\n"
                          "    sudo install %2 /usr/lib/udev/\n"
                          "    sudo udevadm control --reload-rules")
        .arg(ruleSource, helperSource);
}

QString AccessSetup::joinCommand() {
    return QStringLiteral("    sudo usermod -aG plugdev $USER");
}

QString AccessSetup::applyCommand() {
    return QStringLiteral(
        "    sudo udevadm trigger --subsystem-match=hidraw --subsystem-match=input");
}

QList<uint> AccessSetup::processGroups() {
    QList<uint> ids{uint(getegid())};
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(size_t(std::max(count, 0)));
    if (count > 0 && getgroups(count, groups.data()) == count)
        for (const gid_t id : groups)
            if (!ids.contains(uint(id)))
                ids << uint(id);
    return ids;
}

AccessSetup AccessSetup::probe() {
    AccessSetup s;
    // Every folder udev reads rules from.
    for (const char* dir :
         {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d"})
        s.ruleInstalled |= QFileInfo::exists(QStringLiteral("%1/%2").arg(dir, RuleName));
    if (!s.ruleInstalled) {
        // A build tree: the programs sit beside the helper, the rule is in the sources.
        const QString helper =
            QCoreApplication::applicationDirPath() + QLatin1Char('/') + HelperName;
        const QString rule = QStringLiteral(TARVENPAD_SOURCE_DIR "/udev/") + RuleName;
        if (QFileInfo::exists(helper) && QFileInfo::exists(rule)) {
            s.helperSource = helper;
            s.ruleSource = rule;
        }
    }
    s.atSeat =
        !qEnvironmentVariableIsSet("SSH_CONNECTION") && qEnvironmentVariableIsSet("XDG_SEAT");
    s.inPlugdev = memberOf("plugdev");
    return s;
}
