// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulators/EmulatorKey.h"

#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;
class QWidget;

// Every message box, file dialog and print dialog the program shows goes through here, so the flows
// can be driven by scripted answers.
class UserDialogs {
public:
    enum class Icon { None, Information, Exclamation, Question };
    // YesNoDefaultNo: a question whose Yes loses something, so that Enter does not say it.
    enum class Buttons { Ok, YesNoCancel, OkCancel, YesNo, YesNoDefaultNo };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~UserDialogs() = default;

    // An empty title means "no title of its own": the application's name is shown.
    virtual Answer message(QWidget* parent, const QString& text, const QString& title, Icon icon,
                           Buttons buttons) = 0;
    // A message over a list that may be long (every difference Compare finds): all of
    // `lines`, where the user can read them, scroll through them with the keyboard and resize
    // the window. Where no such window can be shown the lines follow the text in a message.
    // The buttons are Ok, or OkCancel where the list may be a reason to stop.
    virtual Answer messageWithList(QWidget* parent, const QString& text, const QStringList& lines,
                                   const QString& title, Icon icon, Buttons buttons = Buttons::Ok) {
        return message(parent, text + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')), title,
                       icon, buttons);
    }
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> chooseOpenFile(QWidget* parent) = 0;
    virtual std::optional<QString> chooseSaveFile(QWidget* parent) = 0;
    // Where a legend sheet goes: a PDF, SVG or PNG file, starting from `suggestion` when it
    // is not empty. It does not ask about replacing a file: the caller checks the name first.
    virtual std::optional<QString> chooseLegendFile(QWidget* parent, const QString& suggestion) = 0;
    // An emulator's configuration file to write (`save`) or to read, starting from
    // `suggestion` when it is not empty. It does not ask about replacing a file: the caller
    // does.
    virtual std::optional<QString> chooseEmulatorFile(QWidget* parent, Emulator emulator, bool save,
                                                      const QString& suggestion) = 0;
    // One of `items`, by its index, from a list that cannot be edited; nothing when the
    // dialog was cancelled.
    virtual std::optional<int> chooseItem(QWidget* parent, const QString& prompt,
                                          const QString& title, const QStringList& items) = 0;
    // One line of text, offered as `initial` and at most `maxLength` characters long; nothing
    // when the dialog was cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& prompt,
                                           const QString& title, const QString& initial,
                                           int maxLength) = 0;
    // The system's print dialog, which sets up `printer`; false when it was cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};
