// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/PanelRole.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

// The Identify window's guided pass, which labels a panel by pressing it: the set to label
// and Start while none runs; the role asked for, what the last press did, Skip, Redo Last and
// Stop while one does. The pass itself is the commands' business: this box only shows it.
class GuidedPassBox : public QWidget {
    Q_OBJECT
public:
    explicit GuidedPassBox(QWidget* parent = nullptr);

    // A pass runs: `prompt` asks for the role, `note` says what the last step did.
    void showStep(const QString& prompt, const QString& note, bool canRedo);
    // No pass runs; `note` says how the last one ended (empty before the first).
    void showIdle(const QString& note);
    bool running() const;
    // Which controls take the focus. While the window reads its own keys (`ownKeys`), one
    // with the focus would take keys that are presses: the set's list, which takes letters
    // and arrows, takes none then, and the buttons only when Space and Enter are no press
    // (`buttons`).
    void setKeyboardFocus(bool ownKeys, bool buttons);

    QString promptText() const;
    QString noteText() const;

signals:
    void startRequested(PanelRole::Set set);
    void skipRequested();
    void redoRequested();
    void stopRequested();

private:
    QWidget* makeIdle();
    QWidget* makeStep();
    QPushButton* button(const QString& text, const char* name);

    QWidget* m_idle;
    QWidget* m_step;
    QComboBox* m_sets;
    QLabel* m_prompt;
    QLabel* m_note;
    QPushButton* m_start;
    QPushButton* m_skip;
    QPushButton* m_redo;
    QPushButton* m_stop;
};
