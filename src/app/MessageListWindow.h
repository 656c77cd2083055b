// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/UserDialogs.h"

#include <QDialog>
#include <QStringList>

class QTextEdit;

// A message over a list too long for a message box, such as every difference Compare
// found: the text, then all of the list in a box that has the focus, so the arrow and page
// keys scroll it, and an OK button that Enter reaches; Esc reaches Cancel where there is one. The
// window can be resized; it opens as large as its list needs, within the screen, and still fits a
// screen of 800 × 600.
class MessageListWindow : public QDialog {
    Q_OBJECT
public:
    MessageListWindow(QWidget* parent, const QString& text, const QStringList& lines,
                      const QString& title, UserDialogs::Icon icon,
                      UserDialogs::Buttons buttons = UserDialogs::Buttons::Ok);

    QTextEdit* list() const { return m_list; }

private:
    QTextEdit* m_list;
};
