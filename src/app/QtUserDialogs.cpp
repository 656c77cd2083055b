// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtUserDialogs.h"

#include "app/MessageListWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>

UserDialogs::Answer QtUserDialogs::message(QWidget* parent, const QString& text,
                                           const QString& title, Icon icon, Buttons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    switch (buttons) {
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo:
        // Esc, and the window's close button, say No.
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        if (buttons == Buttons::YesNoDefaultNo)
            box.setDefaultButton(QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

UserDialogs::Answer QtUserDialogs::messageWithList(QWidget* parent, const QString& text,
                                                   const QStringList& lines, const QString& title,
                                                   Icon icon) {
    MessageListWindow window(parent, text, lines, title, icon);
    window.exec();
    return Answer::Ok;
}

namespace {
std::optional<QString> runFileDialog(QWidget* parent, const QString& title, bool save) {
    QFileDialog dialog(parent, title, QDir::currentPath());
    // Qt's own dialog on every desktop: the platform ones match filters case-sensitively.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
    const QString allFiles = QtUserDialogs::tr("All Files (*.*)");
    dialog.setNameFilters({QtUserDialogs::tr("Configuration Files (*.TPD)"), allFiles});
    // The model behind the dialog matches filters without regard to case unless told
    // otherwise, so "x.tpd" is listed beside "Y.TPD".
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setDefaultSuffix(QStringLiteral("TPD"));
    // "*.*" means every file on the desktops the caption comes from; here it would hide
    // the files without a dot. The caption stays, the match becomes "*".
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, allFiles](const QString& f) {
                         if (f != allFiles)
                             return;
                         if (auto* model = dialog.findChild<QFileSystemModel*>())
                             model->setNameFilters({QStringLiteral("*")});
                     });
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

std::optional<QString> QtUserDialogs::chooseOpenFile(QWidget* parent) {
    return runFileDialog(parent, tr("Open Configuration File"), false);
}

std::optional<QString> QtUserDialogs::chooseSaveFile(QWidget* parent) {
    return runFileDialog(parent, tr("Save Configuration File"), true);
}

std::optional<QString> QtUserDialogs::chooseLegendFile(QWidget* parent, const QString& suggestion) {
    QFileDialog dialog(parent, tr("Export Legend"), QDir::currentPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setObjectName(QStringLiteral("LegendDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // LegendCommands asks about replacing, once it knows the name takes a legend.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters{tr("PDF Documents (*.pdf)"), tr("SVG Images (*.svg)"),
                              tr("PNG Images (*.png)")};
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the one of the chosen filter.
    const QStringList suffixes{QStringLiteral("pdf"), QStringLiteral("svg"), QStringLiteral("png")};
    dialog.setDefaultSuffix(suffixes[0]);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& f) {
        dialog.setDefaultSuffix(suffixes.value(filters.indexOf(f), suffixes[0]));
    });
    if (!suggestion.isEmpty())
        dialog.selectFile(suggestion);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtUserDialogs::askText(QWidget* parent, const QString& prompt,
                                              const QString& title, const QString& initial,
                                              int maxLength) {
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TextDialog"));
    dialog.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    // The dialog makes its line edit for the text mode; the limit goes on it.
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool QtUserDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    return dialog.exec() == QDialog::Accepted;
}
