// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Translations.h"

#include <QTranslator>
#include <QtTest>

// A catalogue for the user's language is found beside the program and used; without one the
// texts stay the English source texts.
class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void install_data();
    void install();
};

void TestTranslations::install_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("catalogue"); // the file name found, or empty
    QTest::addColumn<QString>("text");
    QTest::newRow("German") << "de_DE"
                            << "tarvenpad_de.qm"
                            << "Konfiguration wird geschrieben - 50%";
    QTest::newRow("English") << "en_GB"
                             << ""
                             << "Writing configuration - 50%";
    QTest::newRow("no catalogue") << "fr_FR"
                                  << ""
                                  << "Writing configuration - 50%";
}

void TestTranslations::install() {
    QFETCH(QString, locale);
    QFETCH(QString, catalogue);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(locale));
    QCoreApplication& app = *QCoreApplication::instance();
    const QString found = Translations::install(app);
    QCOMPARE(QFileInfo(found).fileName(), catalogue);
    QCOMPARE(QCoreApplication::translate("StatusWindow", "Writing configuration - %1%").arg(50),
             text);
    // A translator leaves the application when it is deleted.
    qDeleteAll(app.findChildren<QTranslator*>());
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_Translations.moc"
