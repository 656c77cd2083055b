// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QPrinter;
class QWidget;

// Every message box, file dialog and print dialog the program shows goes through here, so the flows
// can be driven by scripted answers.
class UserDialogs {
public:
    enum class Icon { None, Information, Exclamation, Question };
    enum class Buttons { Ok, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~UserDialogs() = default;

    // An empty title means "no title of its own": the application's name is shown.
    virtual Answer message(QWidget* parent, const QString& text, const QString& title, Icon icon,
                           Buttons buttons) = 0;
    // A message with one OK button that sums up a long list: `details` holds all of it, for
    // the user to unfold and scroll. Where nothing can unfold, the summary is shown alone.
    virtual Answer messageWithDetails(QWidget* parent, const QString& text, const QString& details,
                                      const QString& title, Icon icon) {
        static_cast<void>(details);
        return message(parent, text, title, icon, Buttons::Ok);
    }
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> chooseOpenFile(QWidget* parent) = 0;
    virtual std::optional<QString> chooseSaveFile(QWidget* parent) = 0;
    // Where a legend sheet goes: a PDF, SVG or PNG file.
    virtual std::optional<QString> chooseLegendFile(QWidget* parent) = 0;
    // The system's print dialog, which sets up `printer`; false when it was cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
};
