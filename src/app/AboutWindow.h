#pragma once

#include <QDialog>

// "About TARVEN-PAD Programmer": the logo, the maker, the program and its version.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};
