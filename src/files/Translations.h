// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The program's texts in the user's language, where a translation has been made. English is
// the source language; its catalogue holds only the plural forms of texts with a count.
class Translations {
public:
    // Where catalogues are looked for: beside the program (a build tree) and in the installed
    // share folder.
    static QStringList folders();
    // Installs tarvenpad_<language>.qm for the system locale, and then Qt's own catalogue for
    // the standard buttons; returns the file of ours that was found, or an empty string.
    static QString install(QCoreApplication& app);
};
