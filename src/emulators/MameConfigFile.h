// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QString>

class EmulatorExport;

// MAME's configuration files: a controller file (-ctrlr NAME, found on ctrlrpath) and
// default.cfg share one layout, <mameconfig version="10"> with a <system name="default">
// whose <input> holds a <port type="..."> and its <newseq type="standard"> for each
// control that is not MAME's own.
class MameConfigFile {
    Q_DECLARE_TR_FUNCTIONS(MameConfigFile)
public:
    // A controller file with the exported controls: each port's sequence is the MAME
    // codes of the keys the input holds down together ("KEYCODE_LSHIFT KEYCODE_A").
    static QByteArray write(const EmulatorExport& map);
    // The standard sequences of the default system's ports, by port type, as MAME's own
    // tokens separated by single blanks. False, with the reason, for a file that is not a
    // MAME configuration.
    static bool read(const QByteArray& bytes, QHash<QString, QString>& sequences, QString& error);
    // Whether the bytes look like a MAME configuration rather than anything else.
    static bool looksLike(const QByteArray& bytes);
};
