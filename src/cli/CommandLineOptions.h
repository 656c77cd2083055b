// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ToolOptions.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The tool's command line: "--opt value" and "--opt=value", "--" ending the options, and only
// the options that mean something to the command given. Also the help texts built from the
// same tables, so that what is accepted and what is documented cannot drift apart.
class CommandLineOptions {
    Q_DECLARE_TR_FUNCTIONS(CommandLineOptions)
public:
    // Fills `options`; returns the one-line usage error, or an empty string.
    static QString parse(const QStringList& arguments, ToolOptions& options);

    static QStringList commands();
    static QString helpText();
    // The help of one command; empty for a command there is not.
    static QString commandHelp(const QString& command);
};
