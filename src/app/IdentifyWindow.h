// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Configuration.h"

#include <QList>
#include <QWidget>
#include <array>
#include <functional>

class GuidedPassBox;
class KeyPressSource;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Names the input behind each press while a unit's inputs are identified: the last press,
// every input pressed so far with its count, and those not pressed yet. It stays beside the
// main window, which remains usable, so a builder can press a button and then assign it.
class IdentifyWindow : public QWidget {
    Q_OBJECT
public:
    explicit IdentifyWindow(QWidget* parent = nullptr);

    // Starts afresh for the unit with this serial number: `pressable` are the slots a press
    // can reach, `temporary` whether the unit holds the temporary configuration.
    void begin(const QString& serial, const QList<int>& pressable, bool temporary);
    // Beside `window`'s rows, not over them, within the screen's free area.
    void placeBeside(const QWidget* window);
    // Presses come from the unit itself, through its keyboard interface.
    void readUnit();
    // Presses come from the keys that reach this window, for `reason` (in words).
    void readOwnKeys(const QString& reason);
    // Whether an input of the unit sends the key with this Linux event code: while the
    // window reads its own keys, Tab, Enter, Space and Esc keep their usual meaning unless
    // the unit sends them.
    void setUnitSends(std::function<bool(int eventCode)> sends) { m_unitSends = std::move(sends); }
    // Where the window's own key presses go while it reads them.
    KeyPressSource* ownKeys() const { return m_ownKeys; }
    // The guided pass that labels the panel by its presses.
    GuidedPassBox* guidedBox() const { return m_guided; }
    // How an input is named: "Input 7 · Player 1 Up" where it has a role. Without it, by
    // its slot alone.
    void setSlotNames(std::function<QString(int slot)> name) { m_slotName = std::move(name); }
    // The names changed (a role was set): the inputs shown follow.
    void renameSlots();
    // A press of the key with this Linux event code, which came from `slot`; -1: from none.
    // `rowShown`: whether the main window shows that slot's row (the rotary rows may be
    // hidden there while the unit has them).
    void showPress(int slot, int eventCode, bool rowShown = true);
    // Moves aside, within the screen, when it covers `row` (global coordinates): the row a
    // press highlights and its key button stay in sight.
    void keepClearOf(const QRect& row);

    int presses(int slot) const { return m_presses.at(slot); }
    QString sourceText() const;
    QString lastPressText() const;
    QString notPressedText() const;

signals:
    // Done, or the window's close: the unit's own configuration is to go back.
    void doneRequested();
    // The user asks for the main window's rotary rows, hidden while a rotary slot was pressed.
    void rotaryRowsRequested();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeRotaryNote();
    void showNotPressed();
    // A key of the computer's keyboard (Qt's code, the Linux event code) that works the
    // window rather than naming an input.
    bool worksWindow(int key, int eventCode) const;
    QString finishHint() const;
    QString slotName(int slot) const;

    // Before m_ownKeys: making it a child sends this window events, which event() reads this for.
    bool m_readingOwnKeys = false;
    KeyPressSource* m_ownKeys;
    std::function<bool(int)> m_unitSends;
    std::function<QString(int)> m_slotName;
    QList<int> m_pressable;
    std::array<int, Configuration::SlotCount> m_presses{};
    std::array<QTreeWidgetItem*, Configuration::SlotCount> m_items{};
    int m_lastSlot = -1; // the slot the last press came from
    QLabel* m_hint;
    QLabel* m_source;
    QLabel* m_last;
    GuidedPassBox* m_guided;
    QTreeWidget* m_list;
    QLabel* m_notPressed;
    QPushButton* m_done;
    QWidget* m_rotaryHidden; // the note that a pressed rotary slot has no row, and its button
};
