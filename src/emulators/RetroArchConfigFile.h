// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <utility>

class EmulatorExport;

// RetroArch's configuration: lines of `name = "value"`. Our binds go into a file of their
// own for `retroarch --appendconfig`, or into the user's retroarch.cfg, where every other
// line stays as it was.
class RetroArchConfigFile {
public:
    using Binds = QList<std::pair<QString, QString>>;

    // The exported controls as binds: the key's name with "nul" in the bind's _mbtn, or
    // for a mouse button "nul" with the button's number in _mbtn.
    static Binds binds(const EmulatorExport& map);
    // A file of those binds alone, with a comment that says what it is for.
    static QByteArray write(const EmulatorExport& map);
    // `existing` with each bind's line (every one, should it be there twice) given the new
    // value and any bind it lacks added at its end; nothing else changes, byte for byte.
    static QByteArray merge(const QByteArray& existing, const Binds& binds);
    // Every `name = value` line, the value without its quotes.
    static QHash<QString, QString> read(const QByteArray& bytes);
    // Whether the bytes hold settings other than binds: a whole retroarch.cfg, not our own
    // file of binds.
    static bool holdsSettings(const QByteArray& bytes);
    // Whether the bytes hold RetroArch binds at all.
    static bool looksLike(const QByteArray& bytes);
};
