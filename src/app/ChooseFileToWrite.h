// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;
class UserDialogs;

// Where an export goes. `choose` shows the file dialog, starting from the name it is given
// (the first time `suggestion`); the dialog asks nothing itself. A name `acceptable` turns
// down (it says why) and an existing file whose replacement the user answers No to both go
// back to the dialog with that name, to be put right; Cancel anywhere is nothing.
std::optional<QString>
ChooseFileToWrite(UserDialogs& dialogs, QWidget* window, const QString& title,
                  const QString& suggestion,
                  const std::function<std::optional<QString>(const QString& suggestion)>& choose,
                  const std::function<bool(const QString& path)>& acceptable = {});
