// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EmulatorCommands.h"

#include "cli/StandardStreams.h"
#include "emulators/EmulatorExport.h"
#include "emulators/EmulatorFiles.h"
#include "emulators/EmulatorImport.h"
#include "model/Configuration.h"

#include <QDir>

int EmulatorCommands::exportMap(const ToolOptions& o, Emulator emulator) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const EmulatorExport map(emulator, config);
    if (!map.error().isEmpty())
        return fail(BadInput, map.error());
    const int r = o.merge ? mergeMap(map, o.files[1]) : writeMap(map, o.files[1]);
    // Warnings of a map that was not written would only hide why.
    return r == Success ? warned(map.warnings(), r) : r;
}

int EmulatorCommands::writeMap(const EmulatorExport& map, const QString& out) {
    if (out == QLatin1String("-")) {
        const QString error = StandardStreams::writeOutput(m_out, EmulatorFiles::contents(map));
        return error.isEmpty() ? Success : fail(CannotWrite, error);
    }
    m_out.flush(); // the file may be standard output
    const FileResult r = EmulatorFiles::write(map, out, ReaderWait::Wait);
    if (r.ok())
        return Success;
    if (r.reason.isEmpty())
        return fail(CannotWrite, r.message);
    return fail(CannotWrite,
                tr("cannot write %1: %2").arg(QDir::toNativeSeparators(out), r.reason));
}

int EmulatorCommands::mergeMap(const EmulatorExport& map, const QString& out) {
    // The binds go into a file that is there to keep; standard output is not one.
    if (out == QLatin1String("-"))
        return fail(Usage, tr("retroarch --merge needs OUT to be a retroarch.cfg file, not -"));
    QString backup;
    const FileResult r = EmulatorFiles::merge(map, out, backup);
    if (!r.ok())
        // Only a failed write is the output's fault; an OUT that cannot be read or is no
        // retroarch.cfg is bad input, and was left as it was.
        return fail(r.status == FileResult::Status::WriteFailed ? CannotWrite : BadInput,
                    r.message);
    if (backup.isEmpty()) {
        m_out << tr("%1 holds these binds already; nothing changed.")
                     .arg(QDir::toNativeSeparators(out))
              << '\n';
        return Success;
    }
    // Counted as the window counts them: a mouse button's control is one, though two lines.
    const int controls = int(map.controls().size());
    m_out << tr("Merged the binds for %n control(s) into %1; the old file is kept as %2.", nullptr,
                controls)
                 .arg(QDir::toNativeSeparators(out), QDir::toNativeSeparators(backup))
          << '\n';
    return Success;
}

int EmulatorCommands::keys(const ToolOptions& o) {
    // Only the bare names are the emulators' own keys: "./mame" is a file called mame. As
    // everywhere in the tool, "-" is standard input.
    std::optional<EmulatorImport> source;
    if (o.from.compare(QLatin1String("mame"), Qt::CaseInsensitive) == 0) {
        source = EmulatorImport::defaults(Emulator::Mame);
    } else if (o.from.compare(QLatin1String("retroarch"), Qt::CaseInsensitive) == 0) {
        source = EmulatorImport::defaults(Emulator::RetroArch);
    } else {
        if (o.from == QLatin1String("-") && o.files[0] == QLatin1String("-"))
            return fail(Usage, tr("keys: FILE and --from SOURCE cannot both be standard input"));
        QString error;
        const QString path = o.from == QLatin1String("-") ? QStringLiteral("/dev/stdin") : o.from;
        source = EmulatorFiles::read(path, InputKind::Any, error);
        if (!source)
            return fail(BadInput, error);
    }
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const EmulatorImport::Result result = source->apply(config);
    if (!result.error.isEmpty())
        return fail(BadInput, result.error);
    const QString out = o.files[1];
    const bool json = out.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
    if (const int r = save(out, config, json ? Format::Json : Format::Tpd, unreadableRoles(o)))
        return r;
    // On standard output the configuration is all there is.
    if (out != QLatin1String("-"))
        m_out << tr("%n input(s) took %1.", nullptr, result.changed).arg(source->description())
              << '\n';
    return warned(result.notes, Success);
}

int EmulatorCommands::warned(const QStringList& warnings, int status) {
    m_out.flush(); // what was done comes before what could not be
    for (const QString& warning : warnings)
        warn(warning);
    return warnings.isEmpty() ? status : Incomplete;
}
