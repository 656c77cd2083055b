// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ToolIo.h"

#include "cli/StandardStreams.h"
#include "files/ConfigDocument.h"
#include "files/ConfigFile.h"
#include "files/ConfigJson.h"
#include "files/FileAccess.h"

#include <QDir>
#include <QRegularExpression>

int ToolIo::fail(int code, const QString& message) {
    // One line per error, also for the file layer's texts, which are laid out for a message box.
    static const QRegularExpression breaks(QStringLiteral("\\s*\\n\\s*"));
    m_err << "tarvenpad: " << QString(message).replace(breaks, QStringLiteral(" ")) << '\n';
    m_err.flush();
    return code;
}

void ToolIo::warn(const QString& message) {
    fail(Success, tr("warning: %1").arg(message));
}

int ToolIo::load(const QString& path, Configuration& config) {
    if (path == QLatin1String("-"))
        return loadInput(config);
    const FileResult r = LoadConfiguration(config, path);
    const QString name = QDir::toNativeSeparators(path);
    switch (r.status) {
    case FileResult::Status::Ok:
        if (!r.warning.isEmpty())
            warn(r.warning);
        return Success;
    case FileResult::Status::ReadFailed:
        return fail(BadInput, tr("cannot read %1: %2").arg(name, r.reason));
    case FileResult::Status::Rejected:
        return fail(BadInput, tr("%1: %2").arg(name, r.message));
    default: // the message names the file
        return fail(BadInput, r.message);
    }
}

int ToolIo::loadInput(Configuration& config) {
    QByteArray bytes;
    if (const QString error = StandardStreams::readInput(bytes); !error.isEmpty())
        return fail(BadInput, error);
    const QString name = tr("standard input");
    const FileResult r = DecodeConfiguration(config, InputBytes{bytes, true}, name);
    if (r.ok() && !r.warning.isEmpty())
        warn(r.warning);
    if (r.ok())
        return Success;
    if (r.status == FileResult::Status::Rejected)
        return fail(BadInput, tr("%1: %2").arg(name, r.message));
    return fail(BadInput, r.message); // the file layer's texts name the input already
}

int ToolIo::save(const QString& path, const Configuration& config, Format format,
                 UnreadableRoles unreadable) {
    const bool json = format == Format::Json;
    if (path == QLatin1String("-")) {
        const QString error = StandardStreams::writeOutput(m_out, json ? EncodeConfigJson(config)
                                                                       : EncodeConfigFile(config));
        return error.isEmpty() ? Success : fail(CannotWrite, error);
    }
    m_out.flush(); // the file may be standard output
    const FileResult r = json ? WriteConfigJsonFile(config, path, ReaderWait::Wait)
                              : WriteConfigFile(config, path, ReaderWait::Wait, unreadable);
    if (r.status == FileResult::Status::RolesUnreadable) {
        // The file layer's text is the question the window asks; here the answer is an option.
        fail(CannotWrite, r.message);
        m_err << tr("Nothing was written. To write it all the same, and replace those roles, "
                    "add --replace-roles.")
              << '\n';
        m_err.flush();
        return CannotWrite;
    }
    if (!r.ok() && r.reason.isEmpty()) // no system reason: the file layer says why, and where
        return fail(CannotWrite, r.message);
    if (!r.ok())
        return fail(CannotWrite, tr("cannot write the configuration to %1: %2")
                                     .arg(QDir::toNativeSeparators(path), r.reason));
    return Success;
}
