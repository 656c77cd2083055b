// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/RetroArchConfigFile.h"

#include "emulators/EmulatorExport.h"
#include "emulators/EmulatorKeys.h"

#include <QList>
#include <QSet>

namespace {

// The name of a `name = value` line, or "" for a comment or anything else.
QByteArray nameOf(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    const qsizetype eq = trimmed.indexOf('=');
    if (trimmed.startsWith('#') || eq <= 0)
        return QByteArray();
    return trimmed.left(eq).trimmed();
}

QByteArray lineOf(const QString& name, const QString& value) {
    return name.toUtf8() + " = \"" + value.toUtf8() + '"';
}

} // namespace

RetroArchConfigFile::Binds RetroArchConfigFile::binds(const EmulatorExport& map) {
    Binds binds;
    // Both lines each time: a mouse button bound before, by hand or by an earlier merge,
    // would still press a control that is now on a key.
    const QString none = QStringLiteral("nul");
    for (const ExportedControl& c : map.controls()) {
        const int button = EmulatorKeys::retroArchMouseButton(c.key.code);
        binds.append({c.control, button ? none : EmulatorKeys::retroArchName(c.key.code)});
        binds.append(
            {c.control + QStringLiteral("_mbtn"), button ? QString::number(button) : none});
    }
    return binds;
}

QByteArray RetroArchConfigFile::write(const EmulatorExport& map) {
    QByteArray bytes = "# RetroArch key binds written by the TARVEN-PAD Programmer from the "
                       "panel's roles.\n"
                       "# Start RetroArch with --appendconfig and this file, or merge them "
                       "into retroarch.cfg.\n";
    for (const auto& [name, value] : binds(map))
        bytes += lineOf(name, value) + '\n';
    return bytes;
}

QByteArray RetroArchConfigFile::merge(const QByteArray& existing, const Binds& binds) {
    QHash<QByteArray, QString> values;
    for (const auto& [name, value] : binds)
        values.insert(name.toUtf8(), value);
    const QByteArray eol = existing.contains("\r\n") ? "\r\n" : "\n";
    QList<QByteArray> lines = existing.split('\n');
    // split() leaves "" after a last newline: that is no line of its own.
    const bool endsWithNewline = existing.isEmpty() || existing.endsWith('\n');
    if (endsWithNewline)
        lines.removeLast();
    QSet<QByteArray> done;
    for (QByteArray& line : lines) {
        const QByteArray name = nameOf(line);
        if (name.isEmpty() || !values.contains(name))
            continue;
        const bool cr = line.endsWith('\r');
        line = lineOf(QString::fromUtf8(name), values.value(name)) + (cr ? "\r" : "");
        done.insert(name);
    }
    QByteArray out = lines.join('\n');
    if (endsWithNewline && !lines.isEmpty())
        out += '\n';
    QByteArray added;
    for (const auto& [name, value] : binds)
        if (!done.contains(name.toUtf8()))
            added += lineOf(name, value) + eol;
    if (!added.isEmpty() && !endsWithNewline)
        out += eol;
    return out + added;
}

QHash<QString, QString> RetroArchConfigFile::read(const QByteArray& bytes) {
    QHash<QString, QString> values;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray name = nameOf(line);
        if (name.isEmpty())
            continue;
        QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        values.insert(QString::fromUtf8(name), QString::fromUtf8(value));
    }
    return values;
}

bool RetroArchConfigFile::looksLike(const QByteArray& bytes) {
    for (const QByteArray& line : bytes.split('\n'))
        if (nameOf(line).startsWith("input_"))
            return true;
    return false;
}

bool RetroArchConfigFile::holdsSettings(const QByteArray& bytes) {
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray name = nameOf(line);
        if (!name.isEmpty() && !name.startsWith("input_"))
            return true;
    }
    return false;
}
