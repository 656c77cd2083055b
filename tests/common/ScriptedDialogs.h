// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/UserDialogs.h"

#include <QApplication>
#include <QList>
#include <QPrinter>
#include <QStringList>
#include <QWidget>

// Answers message boxes and file dialogs from a script and records what was shown.
class ScriptedDialogs : public UserDialogs {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
        bool statusWindowVisible; // was the progress window on screen at the time?
    };

    Answer message(QWidget*, const QString& text, const QString& title, Icon icon,
                   Buttons buttons) override {
        bool status = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            status |= w->objectName() == QLatin1String("frmStatus") && w->isVisible();
        shown.append({text, title, icon, buttons, status});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    std::optional<QString> chooseOpenFile(QWidget*) override {
        ++openDialogs;
        return takePath();
    }
    std::optional<QString> chooseSaveFile(QWidget*) override {
        ++saveDialogs;
        return takePath();
    }

    std::optional<QString> chooseLegendFile(QWidget*, const QString&) override {
        ++saveDialogs;
        return takePath();
    }
    std::optional<QString> chooseEmulatorFile(QWidget*, Emulator, bool save,
                                              const QString&) override {
        ++(save ? saveDialogs : openDialogs);
        return takePath();
    }
    // Answers from `chosen`, an empty script cancelling; asked "TITLE:PROMPT|ITEM|...".
    std::optional<int> chooseItem(QWidget*, const QString& prompt, const QString& title,
                                  const QStringList& items) override {
        prompts << title + ':' + (QStringList(prompt) + items).join('|');
        return chosen.isEmpty() ? std::nullopt : std::optional<int>(chosen.takeFirst());
    }
    // Answers from `typed`; an empty script cancels.
    std::optional<QString> askText(QWidget*, const QString& prompt, const QString&, const QString&,
                                   int) override {
        prompts << prompt;
        if (typed.isEmpty())
            return std::nullopt;
        return typed.takeFirst();
    }
    // Prints into the PDF file `printPath`; an empty one cancels.
    bool choosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFileName(printPath);
        return !printPath.isEmpty();
    }

    QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown)
            out << s.text;
        return out;
    }

    QList<Answer> answers; // for Yes/No/Cancel boxes, in order
    QStringList paths;     // for file dialogs; an empty string cancels
    QString printPath;
    QStringList typed;   // for text dialogs, in order
    QStringList prompts; // what the text and item dialogs asked
    QList<int> chosen;   // for item dialogs, in order
    QList<Shown> shown;
    int openDialogs = 0;
    int saveDialogs = 0;

private:
    std::optional<QString> takePath() {
        const QString p = paths.isEmpty() ? QString() : paths.takeFirst();
        if (p.isEmpty())
            return std::nullopt;
        return p;
    }
};
