// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QPageSize>
#include <QRectF>
#include <QString>

class Configuration;
class QPainter;

// The sheet a panel builder tapes inside the panel: which input sends what, as a 6 x 6 grid
// of tiles in the order of the Test Inputs window, the rotary slots while the AUX port
// carries them, and the options. Black on white only: borders and words, never colour,
// tell a used input from an unused one, so it survives a monochrome printer and a copier.
// An input with a panel role says which control it is, and the user's label for it.
class LegendSheet {
    Q_DECLARE_TR_FUNCTIONS(LegendSheet)

public:
    // `fileName` is the configuration's file (its path is left out); empty for one that was
    // never saved.
    LegendSheet(const Configuration& config, const QString& fileName, const QDate& date);

    // A4 or Letter, as the locale's paper (LC_PAPER) says.
    static QPageSize defaultPageSize();

    QString title() const;
    // Draws the whole sheet into `page`, in the painter's coordinates, whatever its size.
    void paint(QPainter& painter, const QRectF& page) const;

private:
    // The title and a heading return where what follows them starts, down the page.
    double paintTitle(QPainter& painter) const;
    static double paintHeading(QPainter& painter, double y, const QString& text);
    void paintOptions(QPainter& painter, double y) const;
    void paintTile(QPainter& painter, const QRectF& box, int slot) const;

    const Configuration& m_config;
    QString m_fileName;
    QDate m_date;
};
