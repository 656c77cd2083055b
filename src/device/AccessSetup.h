// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// What decides how a user who may not open a unit gets access: whether our udev rule is in
// place, whether this is a desktop session at the seat, whether the user is in plugdev.
// Facts only; the programs word the advice.
struct AccessSetup {
    bool ruleInstalled = false;
    // Where the rule and its helper can be installed from by hand, when the rule is not
    // installed and this program runs from a build (empty otherwise).
    QString ruleSource;
    QString helperSource;
    bool atSeat = false;    // a local desktop session, not SSH
    bool inPlugdev = false; // the plugdev group is among this process's groups

    // What this user has to do, in order: at most one way to install the rule, then at most
    // one way to be let in by it.
    enum class Step { InstallFromBuild, InstallPackage, ReplugAtSeat, JoinPlugdev, ApplyRuleAgain };
    QList<Step> steps() const;
    // The steps' commands, one to a line and indented, to be copied as they are; no
    // translation touches them.
    QString installCommands() const; // Step::InstallFromBuild
    static QString joinCommand();    // Step::JoinPlugdev
    static QString applyCommand();   // Step::ApplyRuleAgain

    // The groups this process is in: the supplementary ones and the effective one.
    static QList<uint> processGroups();

    // This machine and this process, as they are now.
    static AccessSetup probe();
};
