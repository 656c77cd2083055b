// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/UserDialogs.h"

#include <QCoreApplication>

// The real dialogs: QMessageBox, QFileDialog, QInputDialog and QPrintDialog.
class QtUserDialogs : public UserDialogs {
    Q_DECLARE_TR_FUNCTIONS(QtUserDialogs)

public:
    Answer message(QWidget* parent, const QString& text, const QString& title, Icon icon,
                   Buttons buttons) override;
    Answer messageWithList(QWidget* parent, const QString& text, const QStringList& lines,
                           const QString& title, Icon icon, Buttons buttons = Buttons::Ok) override;
    std::optional<QString> chooseOpenFile(QWidget* parent) override;
    std::optional<QString> chooseSaveFile(QWidget* parent) override;
    std::optional<QString> chooseLegendFile(QWidget* parent, const QString& suggestion) override;
    std::optional<QString> chooseEmulatorFile(QWidget* parent, Emulator emulator, bool save,
                                              const QString& suggestion) override;
    std::optional<int> chooseItem(QWidget* parent, const QString& prompt, const QString& title,
                                  const QStringList& items) override;
    std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& title,
                                   const QString& initial, int maxLength) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
};
