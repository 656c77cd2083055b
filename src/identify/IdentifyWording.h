// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "identify/IdentifySession.h"

#include <QCoreApplication>
#include <QString>

// How an identify session's failures are said, one wording for the window and the tool, so
// that a person reading either learns the same thing in the same words.
class IdentifyWording {
    Q_DECLARE_TR_FUNCTIONS(IdentifyWording)
public:
    // Why the session stopped, a phrase that follows "unit 4172: ".
    static QString describe(const IdentifySession::Outcome& outcome);
    // A location of the unit's configuration: "Input 3 (key)", "the options".
    static QString locationName(int location);
};
