// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChooseFileToWrite.h"

#include "app/UserDialogs.h"
#include "files/FileAccess.h"

#include <QCoreApplication>
#include <QDir>

std::optional<QString>
ChooseFileToWrite(UserDialogs& dialogs, QWidget* window, const QString& title,
                  const QString& suggestion,
                  const std::function<std::optional<QString>(const QString& suggestion)>& choose,
                  const std::function<bool(const QString& path)>& acceptable) {
    for (QString offered = suggestion;;) {
        const std::optional<QString> path = choose(offered);
        if (!path || path->trimmed().isEmpty())
            return std::nullopt;
        offered = *path;
        if (acceptable && !acceptable(*path))
            continue;
        if (!PathExists(*path))
            return path;
        const UserDialogs::Answer replace = dialogs.message(
            window,
            QCoreApplication::translate("ChooseFileToWrite",
                                        "\"%1\" already exists.\nDo you want to replace it?")
                .arg(QDir::toNativeSeparators(*path)),
            title, UserDialogs::Icon::Question, UserDialogs::Buttons::YesNoCancel);
        if (replace == UserDialogs::Answer::Yes)
            return path;
        if (replace != UserDialogs::Answer::No)
            return std::nullopt;
    }
}
