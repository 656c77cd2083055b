// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/ConfigState.h"

#include <QByteArray>
#include <QString>
#include <array>

// The panel roles and labels a .TPD file carries after its 94 bytes. Readers of the format look
// at nothing past the options byte, and writers that keep a longer file's tail keep the block,
// so a file with roles opens anywhere and keeps them when another program saves over it.
//
// Layout, from offset 94: the tag "TPRL", a version byte (1), the text's length as 16 bits and
// its CRC-16 (ISO 3309, as qChecksum makes it) as 16 bits, both little-endian, then the text:
// UTF-8, one line per slot that has a role or a label, "SLOT<TAB>ROLE<TAB>LABEL<LF>", with the
// slot from 0 to 45 and the role as PanelRole::key gives it (empty for none). Any bytes after
// the block are someone else's and stay behind it.
class RolesBlock {
public:
    using Roles = std::array<SlotRole, ConfigState::SlotCount>;

    static constexpr int HeaderSize = 9;
    static constexpr int Version = 1;
    static constexpr int MaxTextSize = 16384;

    enum class Found {
        None,       // the file ends at its options byte, or goes on with bytes not ours
        Roles,      // our block, read
        Unreadable, // our tag, but a block that is damaged, cut short, too long or newer
    };

    struct Tail {
        Found found = Found::None;
        Roles roles{};
        QString problem;   // why an Unreadable block could not be read, as a clause
        QByteArray others; // what follows our block (the whole tail when it holds none)
    };

    // What the bytes after the options byte hold.
    static Tail read(const QByteArray& tail);
    // The block for these roles; empty when no slot has one.
    static QByteArray write(const Roles& roles);
};
