// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QStringList Translations::folders() {
    const QDir here(QCoreApplication::applicationDirPath());
    return {here.filePath(QStringLiteral("translations")),
            QDir::cleanPath(here.filePath(QStringLiteral("../share/tarvenpad/translations")))};
}

QString Translations::install(QCoreApplication& app) {
    for (const QString& folder : folders()) {
        auto* ours = new QTranslator(&app);
        if (!ours->load(QLocale(), QStringLiteral("tarvenpad"), QStringLiteral("_"), folder)) {
            delete ours;
            continue;
        }
        QCoreApplication::installTranslator(ours);
        // Only with a catalogue of ours: standard buttons in one language and our messages in
        // another would be worse than English throughout.
        auto* qt = new QTranslator(&app);
        if (qt->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        return ours->filePath();
    }
    // No catalogue for this language: English, whose catalogue holds the plural forms of the
    // source texts ("%n difference(s)"), and nothing else.
    for (const QString& folder : folders()) {
        auto* english = new QTranslator(&app);
        if (english->load(QStringLiteral("tarvenpad_en"), folder)) {
            QCoreApplication::installTranslator(english);
            return english->filePath();
        }
        delete english;
    }
    return {};
}
