// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PanelRole.h"

#include <QCoreApplication>

namespace {

constexpr PanelRole::Control PlayerControls[] = {PanelRole::Control::Up, PanelRole::Control::Down,
                                                 PanelRole::Control::Left,
                                                 PanelRole::Control::Right};
constexpr PanelRole::Control CabinetControls[] = {
    PanelRole::Control::Service, PanelRole::Control::Pause, PanelRole::Control::Menu,
    PanelRole::Control::Exit};
const char* const CabinetKeys[] = {"SERVICE", "PAUSE", "MENU", "EXIT"};
const char* const DirectionKeys[] = {"UP", "DOWN", "LEFT", "RIGHT"};

struct SetShape {
    PanelRole::Set set;
    int players;
    int buttons;
    const char* key;
};
constexpr SetShape Shapes[] = {{PanelRole::Set::OnePlayer6, 1, 6, "1p6"},
                               {PanelRole::Set::TwoPlayers6, 2, 6, "2p6"},
                               {PanelRole::Set::TwoPlayers8, 2, 8, "2p8"},
                               {PanelRole::Set::FourPlayers4, 4, 4, "4p4"}};

const SetShape& shape(PanelRole::Set set) {
    return Shapes[int(set)];
}

} // namespace

PanelRole::Control PanelRole::control(int role) {
    if (role > Players * PerPlayer)
        return CabinetControls[role - Players * PerPlayer - 1];
    const int index = (role - 1) % PerPlayer;
    if (index < 4)
        return PlayerControls[index];
    if (index < 4 + Buttons)
        return Control::Button;
    return index == 4 + Buttons ? Control::Start : Control::Coin;
}

int PanelRole::player(int role) {
    return valid(role) && role <= Players * PerPlayer ? (role - 1) / PerPlayer + 1 : 0;
}

int PanelRole::button(int role) {
    const int index = (role - 1) % PerPlayer;
    return player(role) && index >= 4 && index < 4 + Buttons ? index - 3 : 0;
}

int PanelRole::of(int player, Control control, int button) {
    const int base = (player - 1) * PerPlayer;
    switch (control) {
    case Control::Up:
    case Control::Down:
    case Control::Left:
    case Control::Right:
        return base + 1 + int(control);
    case Control::Button:
        return base + 4 + button;
    case Control::Start:
        return base + 5 + Buttons;
    case Control::Coin:
        return base + 6 + Buttons;
    default:
        return Players * PerPlayer + 1 + int(control) - int(Control::Service);
    }
}

QString PanelRole::key(int role) {
    if (!valid(role))
        return QString();
    const int p = player(role);
    const Control c = control(role);
    if (!p)
        return QLatin1String(CabinetKeys[int(c) - int(Control::Service)]);
    if (c == Control::Start || c == Control::Coin)
        return QStringLiteral("%1%2").arg(c == Control::Start ? "START" : "COIN").arg(p);
    if (c == Control::Button)
        return QStringLiteral("P%1_BUTTON%2").arg(p).arg(button(role));
    return QStringLiteral("P%1_%2").arg(p).arg(QLatin1String(DirectionKeys[int(c)]));
}

int PanelRole::fromKey(QStringView key) {
    for (int role = 1; role <= Count; ++role)
        if (key.compare(PanelRole::key(role), Qt::CaseInsensitive) == 0)
            return role;
    return None;
}

QString PanelRole::name(int role) {
    if (!valid(role))
        return QString();
    const int p = player(role);
    switch (control(role)) {
    case Control::Up:
        return QCoreApplication::translate("PanelRole", "Player %1 Up").arg(p);
    case Control::Down:
        return QCoreApplication::translate("PanelRole", "Player %1 Down").arg(p);
    case Control::Left:
        return QCoreApplication::translate("PanelRole", "Player %1 Left").arg(p);
    case Control::Right:
        return QCoreApplication::translate("PanelRole", "Player %1 Right").arg(p);
    case Control::Button:
        return QCoreApplication::translate("PanelRole", "Player %1 Button %2")
            .arg(p)
            .arg(button(role));
    case Control::Start:
        return QCoreApplication::translate("PanelRole", "Start %1").arg(p);
    case Control::Coin:
        return QCoreApplication::translate("PanelRole", "Coin %1").arg(p);
    case Control::Service:
        return QCoreApplication::translate("PanelRole", "Service");
    case Control::Pause:
        return QCoreApplication::translate("PanelRole", "Pause");
    case Control::Menu:
        return QCoreApplication::translate("PanelRole", "Menu");
    case Control::Exit:
        return QCoreApplication::translate("PanelRole", "Exit");
    }
    return QString();
}

QList<int> PanelRole::roles(Set set) {
    // Player by player, as a builder walks along the panel: stick, buttons, then start and coin.
    QList<int> roles;
    for (int p = 1; p <= shape(set).players; ++p) {
        for (const Control c : PlayerControls)
            roles.append(of(p, c));
        for (int b = 1; b <= shape(set).buttons; ++b)
            roles.append(of(p, Control::Button, b));
        roles.append(of(p, Control::Start));
        roles.append(of(p, Control::Coin));
    }
    return roles;
}

QString PanelRole::setKey(Set set) {
    return QLatin1String(shape(set).key);
}

bool PanelRole::setFromKey(QStringView key, Set& set) {
    for (const SetShape& s : Shapes)
        if (key.compare(QLatin1String(s.key), Qt::CaseInsensitive) == 0) {
            set = s.set;
            return true;
        }
    return false;
}

QString PanelRole::setName(Set set) {
    // The players' number in words, as the sets are named in the window's list.
    const SetShape& s = shape(set);
    switch (s.players) {
    case 1:
        return QCoreApplication::translate("PanelRole", "One player, %1 buttons").arg(s.buttons);
    case 2:
        return QCoreApplication::translate("PanelRole", "Two players, %1 buttons").arg(s.buttons);
    default:
        return QCoreApplication::translate("PanelRole", "Four players, %1 buttons").arg(s.buttons);
    }
}

QString PanelRole::cleanLabel(const QString& label) {
    QString clean;
    bool blank = false;
    for (const QChar c : label) {
        if (c.isSpace() || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format) {
            blank = !clean.isEmpty();
            continue;
        }
        if (blank)
            clean += QLatin1Char(' ');
        blank = false;
        clean += c;
    }
    // Never cut a surrogate pair in two.
    if (clean.size() > MaxLabelLength)
        clean.truncate(clean.at(MaxLabelLength - 1).isHighSurrogate() ? MaxLabelLength - 1
                                                                      : MaxLabelLength);
    return clean;
}
