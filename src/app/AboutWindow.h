// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windowfit/FrameFit.h"

#include <QDialog>

// "About TARVEN-PAD Programmer": the logo, the maker, the program and its version.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;

private:
    // Puts the frame, not the client area, in the middle of the screen.
    void centre(QSize margins);

    FrameFit m_frame{*this};
};
