// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "keyselect/KeyGrid.h"
#include "windowfit/FrameFit.h"
#include <QDialog>

#include <QElapsedTimer>
#include <QRect>
#include <array>

class QKeyEvent;
class QLabel;
class QPushButton;
class QScreen;

// The on-screen keyboard: a full-width picture of a keyboard, three mouse buttons,
// "Not Used" and "Cancel". One click closes it with the chosen code.
class KeySelectForm : public QDialog {
    Q_OBJECT
public:
    // `screen` is the area the window spans; by default the screen it opens on.
    explicit KeySelectForm(QWidget* parent = nullptr, QRect screen = {});

    // The code of a button: its key code, 0 for "Not Used", -1 for "Cancel". Remembered
    // as the selected code.
    int GetKeyCode(int index);
    // The answer: a key code, 0 for "Not Used", -1 when cancelled.
    int KeySelectionResult() const { return m_result; }
    int SelectedCode() const { return m_selectedCode; }

    QPushButton* key(int index) const { return m_keys.at(index); }
    // The font size rule for a key of the given width (pixels) and caption, against the
    // reference label's current size.
    static double fontSizeFor(int index, const QString& caption, double keyWidth, double labelWidth,
                              double labelHeight);
    // How long after the window takes input a click on a key is ignored.
    static int clickGuardMilliseconds();
    // A fresh press of Enter (either one) without modifiers: what clicks a focused key
    // button, here and on the main window, as Space does.
    static bool isEnterPress(const QEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PlaceKey(int index, double x, double y, double w, double h);
    void fitToScreen();
    void layoutKeys();
    void layoutPass();
    void followScreen(QScreen* screen);
    // Moves the focus for a key pressed while button `from` (-1: none) has it; whether the
    // key was one that moves.
    bool moveFocus(const QKeyEvent& event, int from);

    std::array<QPushButton*, KeyButtonCount> m_keys{};
    QLabel* m_label;
    QWidget* m_focusSink;
    QRect m_screen;
    FrameFit m_frame{*this};
    bool m_fullScreen; // Wayland: full screen, the keys in a band of the usual height
    QMetaObject::Connection m_screenConnection;
    int m_selectedCode = -2;
    int m_result = -1;
    QString m_pressedCaption;
    // Grid unit in pixels, and the reference label's size as the font rule reads it.
    double m_unitX = 0, m_unitY = 0, m_top = 0;
    double m_labelWidth, m_labelHeight;
    QRectF m_mouseOutline;
    // Since the window came up: a click sooner than clickGuardMilliseconds() is the rest
    // of the double-click that opened it, not a choice.
    QElapsedTimer m_shownFor;
    bool m_activated = false;
};
