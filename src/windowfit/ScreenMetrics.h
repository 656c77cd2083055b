// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The screen's twips per pixel (15 at 96 dpi), taken at start-up and again by the rotary
// layout. No window reads it: each lays itself out from the geometry of the screen it is
// on, which follows the window from screen to screen where one stored figure cannot.
class ScreenMetrics {
public:
    static double twipsPerPixelX() { return s_twipsPerPixelX; }
    static double twipsPerPixelY() { return s_twipsPerPixelY; }
    // Takes the measures of the screen `window` is on, or of the primary screen.
    static void store(const QWidget* window);

private:
    static double s_twipsPerPixelX;
    static double s_twipsPerPixelY;
};
