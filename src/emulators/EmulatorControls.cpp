// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/EmulatorControls.h"

#include "model/PanelRole.h"

#include <array>

namespace {

using Control = PanelRole::Control;

// The keys each emulator ships with, player by player: Up, Down, Left, Right, Button 1 to
// 8, Start, Coin (0: none). MAME's are what its input system reports for these ports with
// no configuration; RetroArch's are the binds its retroarch.cfg holds when first written.
using PlayerKeys = std::array<quint8, PanelRole::PerPlayer>;
constexpr std::array<PlayerKeys, PanelRole::Players> MameKeys{{
    {0x52, 0x51, 0x50, 0x4F, 0xE0, 0xE2, 0x2C, 0xE1, 0x1D, 0x1B, 0x06, 0x19, 0x1E, 0x22},
    {0x15, 0x09, 0x07, 0x0A, 0x04, 0x16, 0x14, 0x1A, 0x08, 0, 0, 0, 0x1F, 0x23},
    {0x0C, 0x0E, 0x0D, 0x0F, 0xE4, 0xE5, 0x28, 0, 0, 0, 0, 0, 0x20, 0x24},
    {0x60, 0x5A, 0x5C, 0x5E, 0x62, 0x63, 0x58, 0, 0, 0, 0, 0, 0x21, 0x25},
}};
constexpr std::array<PlayerKeys, PanelRole::Players> RetroArchKeys{{
    {0x52, 0x51, 0x50, 0x4F, 0x1D, 0x1B, 0x04, 0x16, 0x14, 0x1A, 0, 0, 0x28, 0xE5},
    {},
    {},
    {},
}};
// Service, Pause, Menu, Exit.
constexpr std::array<quint8, 4> MameCabinetKeys{0x26, 0x13, 0x2B, 0x29};
constexpr std::array<quint8, 4> RetroArchCabinetKeys{0, 0x13, 0x3A, 0x29};

constexpr std::array<const char*, 4> Directions{"UP", "DOWN", "LEFT", "RIGHT"};
constexpr std::array<const char*, PanelRole::Buttons> RetroPadButtons{"b", "a", "y",  "x",
                                                                      "l", "r", "l2", "r2"};
constexpr std::array<const char*, 4> MameCabinet{"SERVICE1", "UI_PAUSE", "UI_CONFIGURE",
                                                 "UI_CANCEL"};
constexpr std::array<const char*, 4> RetroArchCabinet{nullptr, "input_pause_toggle",
                                                      "input_menu_toggle", "input_exit_emulator"};

// Where a role sits in its player's row: 0 to 3 the directions, then the buttons, Start,
// Coin.
int indexInRow(int role) {
    return (role - 1) % PanelRole::PerPlayer;
}

int cabinetIndex(int role) {
    return role - PanelRole::Players * PanelRole::PerPlayer - 1;
}

QString mamePort(int role) {
    const int player = PanelRole::player(role);
    if (player == 0)
        return QString::fromLatin1(MameCabinet[cabinetIndex(role)]);
    const int i = indexInRow(role);
    switch (PanelRole::control(role)) {
    case Control::Button:
        return QStringLiteral("P%1_BUTTON%2").arg(player).arg(PanelRole::button(role));
    case Control::Start:
        return QStringLiteral("START%1").arg(player);
    case Control::Coin:
        return QStringLiteral("COIN%1").arg(player);
    default:
        return QStringLiteral("P%1_JOYSTICK_%2").arg(player).arg(QLatin1String(Directions[i]));
    }
}

QString retroArchBind(int role) {
    const int player = PanelRole::player(role);
    if (player == 0) {
        const char* name = RetroArchCabinet[cabinetIndex(role)];
        return name ? QString::fromLatin1(name) : QString();
    }
    QString control;
    switch (PanelRole::control(role)) {
    case Control::Button:
        control = QLatin1String(RetroPadButtons[PanelRole::button(role) - 1]);
        break;
    case Control::Start:
        control = QStringLiteral("start");
        break;
    case Control::Coin:
        control = QStringLiteral("select");
        break;
    default:
        control = QString::fromLatin1(Directions[indexInRow(role)]).toLower();
    }
    return QStringLiteral("input_player%1_%2").arg(player).arg(control);
}

} // namespace

QString EmulatorControls::name(Emulator emulator) {
    return emulator == Emulator::Mame ? QStringLiteral("MAME") : QStringLiteral("RetroArch");
}

QString EmulatorControls::control(Emulator emulator, int role) {
    if (!PanelRole::valid(role))
        return QString();
    return emulator == Emulator::Mame ? mamePort(role) : retroArchBind(role);
}

int EmulatorControls::roleOf(Emulator emulator, QStringView control) {
    for (int role = 1; role <= PanelRole::Count; ++role) {
        const QString c = EmulatorControls::control(emulator, role);
        if (!c.isEmpty() && c.compare(control, Qt::CaseInsensitive) == 0)
            return role;
    }
    return PanelRole::None;
}

EmulatorKey EmulatorControls::defaultKey(Emulator emulator, int role) {
    if (!PanelRole::valid(role))
        return {};
    const bool mame = emulator == Emulator::Mame;
    const int player = PanelRole::player(role);
    if (player == 0)
        return {mame ? MameCabinetKeys[cabinetIndex(role)]
                     : RetroArchCabinetKeys[cabinetIndex(role)]};
    const auto& keys = mame ? MameKeys : RetroArchKeys;
    return {keys[player - 1][indexInRow(role)]};
}
