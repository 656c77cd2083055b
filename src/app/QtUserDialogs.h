// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/UserDialogs.h"

// The real dialogs: QMessageBox and QFileDialog.
class QtUserDialogs : public UserDialogs {
public:
    Answer message(QWidget* parent, const QString& text, const QString& title, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> chooseOpenFile(QWidget* parent) override;
    std::optional<QString> chooseSaveFile(QWidget* parent) override;

    static const QString OpenTitle;
    static const QString SaveTitle;
    static const QStringList Filters;
};
