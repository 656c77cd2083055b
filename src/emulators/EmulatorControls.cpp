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

QList<EmulatorControls::OtherKey> EmulatorControls::otherKeys(Emulator emulator) {
    // As MAME 0.251 and RetroArch 1.14 report them with no configuration of their own;
    // MAME's menu keys are left out, since they act only while its menu is open.
    constexpr bool S = true;
    static const QList<OtherKey> mame{
        {"UI_SOFT_RESET", {0x3C}},
        {"UI_RESET_MACHINE", {0x3C, false, S}},
        {"UI_LOAD_STATE", {0x40}},
        {"UI_SAVE_STATE", {0x40, false, S}},
        {"UI_SHOW_GFX", {0x3D}},
        {"UI_TOGGLE_CHEAT", {0x3F}},
        {"UI_FRAMESKIP_DEC", {0x41}},
        {"UI_FRAMESKIP_INC", {0x42}},
        {"UI_THROTTLE", {0x43}},
        {"UI_SHOW_FPS", {0x44}},
        {"UI_SNAPSHOT", {0x45}},
        {"UI_ON_SCREEN_DISPLAY", {0x35}},
        {"UI_FAST_FORWARD", {0x4E}},
        {"UI_TOGGLE_UI", {0x49}},
        {"SERVICE", {0x3B}},
        {"TILT", {0x17}},
        {"VOLUME_DOWN", {0x2D}},
        {"VOLUME_UP", {0x2E}},
        {"TOGGLE_FULLSCREEN", {0x28, false, false, S}},
    };
    static const QList<OtherKey> retroArch{
        {"input_audio_mute", {0x42}},
        {"input_cheat_index_minus", {0x17}},
        {"input_cheat_index_plus", {0x1C}},
        {"input_cheat_toggle", {0x18}},
        {"input_desktop_menu_toggle", {0x3E}},
        {"input_fps_toggle", {0x3C}},
        {"input_frame_advance", {0x0E}},
        {"input_game_focus_toggle", {0x47}},
        {"input_grab_mouse_toggle", {0x44}},
        {"input_hold_fast_forward", {0x0F}},
        {"input_hold_slowmotion", {0x08}},
        {"input_load_state", {0x3D}},
        {"input_movie_record_toggle", {0x12}},
        {"input_netplay_game_watch", {0x0C}},
        {"input_netplay_player_chat", {0x35}},
        {"input_reset", {0x0B}},
        {"input_rewind", {0x15}},
        {"input_save_state", {0x3B}},
        {"input_screenshot", {0x41}},
        {"input_shader_next", {0x10}},
        {"input_shader_prev", {0x11}},
        {"input_shader_toggle", {0x36}},
        {"input_state_slot_decrease", {0x3F}},
        {"input_state_slot_increase", {0x40}},
        {"input_toggle_fast_forward", {0x2C}},
        {"input_toggle_fullscreen", {0x09}},
        {"input_volume_down", {0x56}},
        {"input_volume_up", {0x57}},
    };
    return emulator == Emulator::Mame ? mame : retroArch;
}
