// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "identify/GuidedPass.h"
#include "identify/IdentifySession.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class Configuration;

// How an identify session's failures are said, one wording for the window and the tool, so
// that a person reading either learns the same thing in the same words.
class IdentifyWording {
    Q_DECLARE_TR_FUNCTIONS(IdentifyWording)
public:
    // Why the session stopped, a phrase that follows "unit 4172: ". With `roles`, an input
    // is named with the role it has there.
    static QString describe(const IdentifySession::Outcome& outcome,
                            const Configuration* roles = nullptr);
    // A location of the unit's configuration: "Input 3 (key)", "the options"; with `roles`,
    // "Input 3 · Player 1 Left (key)".
    static QString locationName(int location, const Configuration* roles = nullptr);

    // A guided pass asks for a role: "Press Player 1 Up".
    static QString prompt(int role);
    // What a press did in a guided pass: "Input 7 is Player 1 Up.", or for a slot pressed
    // again, "Input 7 moved from Player 1 Up to Player 1 Down."
    static QString taken(const GuidedPass::Taken& taken);
    // How a pass ended: every role of its set has an input, or which are left without one.
    static QString passEnd(const QList<int>& missing);
};
