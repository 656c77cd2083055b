// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtUserDialogs.h"

#include "app/MessageListWindow.h"
#include "emulators/EmulatorControls.h"

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
                                                   Icon icon, Buttons buttons) {
    MessageListWindow window(parent, text, lines, title, icon, buttons);
    const bool accepted = window.exec() == QDialog::Accepted;
    return accepted || buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

namespace {

// What a file dialog is for: its title and name, the files it lists and the suffix a name
// typed without one gets.
struct FileDialogKind {
    QString title;
    QString name;
    QString files; // "Configuration Files (*.TPD)"
    QString suffix;
};

// `otherFiles`: a second kind of file it lists, when not empty.
std::optional<QString> runFileDialog(QWidget* parent, const FileDialogKind& kind, bool save,
                                     const QString& suggestion = {}, bool confirmOverwrite = true,
                                     const QString& otherFiles = {}) {
    QFileDialog dialog(parent, kind.title, QDir::currentPath());
    // Qt's own dialog on every desktop: the platform ones match filters case-sensitively.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setObjectName(kind.name);
    const QString allFiles = QtUserDialogs::tr("All Files (*.*)");
    QStringList filters{kind.files};
    if (!otherFiles.isEmpty())
        filters << otherFiles;
    dialog.setNameFilters(filters << allFiles);
    // The model behind the dialog matches filters without regard to case unless told
    // otherwise, so "x.tpd" is listed beside "Y.TPD".
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setDefaultSuffix(kind.suffix);
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
        if (!confirmOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!suggestion.isEmpty())
        dialog.selectFile(suggestion);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

FileDialogKind configurationFiles(const QString& title, bool save) {
    return {title, save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"),
            QtUserDialogs::tr("Configuration Files (*.TPD)"), QStringLiteral("TPD")};
}

} // namespace

std::optional<QString> QtUserDialogs::chooseOpenFile(QWidget* parent) {
    return runFileDialog(parent, configurationFiles(tr("Open Configuration File"), false), false);
}

std::optional<QString> QtUserDialogs::chooseSaveFile(QWidget* parent) {
    return runFileDialog(parent, configurationFiles(tr("Save Configuration File"), true), true);
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

std::optional<QString> QtUserDialogs::chooseEmulatorFile(QWidget* parent, Emulator emulator,
                                                         bool save, const QString& suggestion) {
    const QString mame = tr("MAME Configuration Files (*.cfg)");
    const QString retroArch = tr("RetroArch Configuration Files (*.cfg)");
    const bool isMame = emulator == Emulator::Mame;
    FileDialogKind kind{
        save ? tr("Save %1 Configuration File").arg(EmulatorControls::name(emulator))
             : tr("Open Emulator Configuration File"),
        QStringLiteral("EmulatorDialog"), isMame ? mame : retroArch,
        // A file to read is taken by the name given: MAME's and RetroArch's need not end in .cfg.
        save ? QStringLiteral("cfg") : QString()};
    // The command asks about replacing a file, in its own words.
    return runFileDialog(parent, kind, save, suggestion, false,
                         save     ? QString()
                         : isMame ? retroArch
                                  : mame);
}

std::optional<int> QtUserDialogs::chooseItem(QWidget* parent, const QString& prompt,
                                             const QString& title, const QStringList& items) {
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ItemDialog"));
    dialog.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    dialog.setLabelText(prompt);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    // Every choice in sight at once; the arrows move through them and Enter takes one.
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const int chosen = int(items.indexOf(dialog.textValue()));
    if (chosen < 0)
        return std::nullopt;
    return chosen;
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
