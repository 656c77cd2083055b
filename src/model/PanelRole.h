// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// What a panel control is for, in the words arcade emulators share: for players 1 to 4 the
// four directions, Button 1 to Button 8, Start and Coin; and for the cabinet Service, Pause,
// Menu and Exit. A role is a number: 0 is none, then player 1's fourteen controls, player
// 2's and so on, then the cabinet's. The keys ("P1_BUTTON1", "COIN2", "EXIT") are what files
// store; the names are what people read.
class PanelRole {
public:
    enum class Control { Up, Down, Left, Right, Button, Start, Coin, Service, Pause, Menu, Exit };
    // The guided passes that label a panel control by control.
    enum class Set { OnePlayer6, TwoPlayers6, TwoPlayers8, FourPlayers4 };

    static constexpr int None = 0;
    static constexpr int Players = 4;
    static constexpr int Buttons = 8;
    static constexpr int PerPlayer = 4 + Buttons + 2;
    static constexpr int Count = Players * PerPlayer + 4; // the last role's number

    static bool valid(int role) { return role > None && role <= Count; }
    static Control control(int role);
    // 1 to 4 for a player's control, 0 for the cabinet's.
    static int player(int role);
    // 1 to 8 for a button, 0 otherwise.
    static int button(int role);
    static int of(int player, Control control, int button = 0);

    // "P1_UP", "P2_BUTTON3", "START1", "COIN2", "SERVICE", "PAUSE", "MENU", "EXIT"; empty for
    // none.
    static QString key(int role);
    // The role a key names, or None. Case does not matter.
    static int fromKey(QStringView key);
    // "Player 1 Up", "Player 2 Button 3", "Start 1", "Coin 2", "Service"... (translated).
    static QString name(int role);

    static QList<int> roles(Set set);
    // "1p6", "2p6", "2p8", "4p4": the tool's names of the sets.
    static QString setKey(Set set);
    static bool setFromKey(QStringView key, Set& set);
    // "One player, 6 buttons" ... (translated).
    static QString setName(Set set);
    static constexpr Set Sets[] = {Set::OnePlayer6, Set::TwoPlayers6, Set::TwoPlayers8,
                                   Set::FourPlayers4};

    // A free label as the model keeps it: one line of at most MaxLabelLength characters,
    // with runs of blanks and control characters made one space and the ends trimmed.
    static constexpr int MaxLabelLength = 40;
    static QString cleanLabel(const QString& label);
};
