// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AccessAdvice.h"

#include <QCoreApplication>
#include <QStringList>

// The texts are the tool's, in its translation context with every other command's.
namespace {

// How the rule that gives access gets onto this machine; empty for the steps that follow it.
QString installAdvice(AccessSetup::Step step, const AccessSetup& setup) {
    switch (step) {
    case AccessSetup::Step::InstallFromBuild:
        return QCoreApplication::translate(
                   "CommandLineTool",
                   "The udev rule that gives access is not installed. Install it from "
                   "this build, then unplug the unit and plug it in again:\n%1")
            .arg(setup.installCommands());
    case AccessSetup::Step::InstallPackage:
        return QCoreApplication::translate(
            "CommandLineTool",
            "The udev rule that gives access is not installed. Install the "
            "tarvenpad-programmer package, which brings it, then unplug the unit and "
            "plug it in again.");
    default:
        return {};
    }
}

} // namespace

// How this user gets access, fitted to how the programs were installed and how the user is
// logged in: each command on a line of its own, to be copied as it is. Built when needed, so
// that it is said in the language the tool runs in.
QString AccessAdvice::forUnit(const AccessSetup& setup) {
    QStringList advice;
    for (const AccessSetup::Step step : setup.steps()) {
        switch (step) {
        case AccessSetup::Step::InstallFromBuild:
        case AccessSetup::Step::InstallPackage:
            advice << installAdvice(step, setup);
            break;
        case AccessSetup::Step::ReplugAtSeat:
            advice << QCoreApplication::translate(
                "CommandLineTool",
                "The rule gives the user at the seat access: unplug the unit and plug it "
                "in again.");
            break;
        case AccessSetup::Step::JoinPlugdev:
            advice << QCoreApplication::translate(
                          "CommandLineTool",
                          "Over SSH or without a desktop session, access comes from the plugdev "
                          "group. Join it, then log in again:\n%1")
                          .arg(AccessSetup::joinCommand());
            break;
        case AccessSetup::Step::ApplyRuleAgain:
            advice << QCoreApplication::translate(
                          "CommandLineTool",
                          "This user is in plugdev, but the unit was set up before the rule was in "
                          "place. Unplug it and plug it in again, or have udev apply the rule "
                          "now:\n%1")
                          .arg(AccessSetup::applyCommand());
            break;
        }
    }
    return advice.join(QLatin1Char('\n'));
}

// A unit's keyboard carries keystrokes: the rule gives it to the user at the seat alone, and
// no group, so over SSH there is no way in but to sit at the computer.
QString AccessAdvice::forKeyboard(const AccessSetup& setup) {
    QStringList advice;
    for (const AccessSetup::Step step : setup.steps())
        if (const QString install = installAdvice(step, setup); !install.isEmpty())
            advice << install;
    if (setup.atSeat)
        advice << QCoreApplication::translate(
            "CommandLineTool",
            "The rule gives the user at the seat the keyboard of a unit it has checked: "
            "unplug the unit and plug it in again.");
    else
        advice << QCoreApplication::translate(
            "CommandLineTool",
            "A unit's keyboard carries keystrokes, so the rule gives it only to the user at "
            "the seat, never to a group: run identify in a desktop session at the computer "
            "the unit is plugged into.");
    return advice.join(QLatin1Char('\n'));
}
