// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Configuration.h"

#include <QList>
#include <QWidget>
#include <array>

class KeyPressSource;
class QLabel;
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
    // Presses come from the unit itself, through its keyboard interface.
    void readUnit();
    // Presses come from the keys that reach this window, for `reason` (in words).
    void readOwnKeys(const QString& reason);
    // Where the window's own key presses go while it reads them.
    KeyPressSource* ownKeys() const { return m_ownKeys; }
    // A press of the key with this Linux event code, which came from `slot`; -1: from none.
    void showPress(int slot, int eventCode);

    int presses(int slot) const { return m_presses.at(slot); }
    QString sourceText() const;
    QString lastPressText() const;
    QString notPressedText() const;

signals:
    // Done, or the window's close: the unit's own configuration is to go back.
    void doneRequested();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showNotPressed();

    // Before m_ownKeys: making it a child sends this window events, which event() reads this for.
    bool m_readingOwnKeys = false;
    KeyPressSource* m_ownKeys;
    QList<int> m_pressable;
    std::array<int, Configuration::SlotCount> m_presses{};
    std::array<QTreeWidgetItem*, Configuration::SlotCount> m_items{};
    QLabel* m_hint;
    QLabel* m_source;
    QLabel* m_last;
    QTreeWidget* m_list;
    QLabel* m_notPressed;
};
