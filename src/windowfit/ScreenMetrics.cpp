// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowfit/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

double ScreenMetrics::s_twipsPerPixelX = 15;
double ScreenMetrics::s_twipsPerPixelY = 15;

void ScreenMetrics::store(const QWidget* window) {
    const QScreen* screen =
        window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // 1440 twips to the inch.
    s_twipsPerPixelX = 1440.0 / screen->logicalDotsPerInchX();
    s_twipsPerPixelY = 1440.0 / screen->logicalDotsPerInchY();
}
