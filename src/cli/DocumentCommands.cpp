// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DocumentCommands.h"

#include "cli/StandardStreams.h"
#include "files/ConfigDocument.h"
#include "files/ConfigJson.h"
#include "files/FileAccess.h"
#include "files/Presets.h"
#include "legend/LegendFile.h"
#include "legend/LegendSheet.h"
#include "model/Configuration.h"
#include "model/KeyCodes.h"
#include "model/SlotText.h"

#include <QDate>
#include <QDir>

namespace {

QString yesNo(bool on) {
    return on ? QStringLiteral("x") : QStringLiteral("-");
}

} // namespace

int DocumentCommands::show(const ToolOptions& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    if (o.json) {
        m_out << EncodeConfigJson(config);
        return Success;
    }
    // The roles' column only where there are roles, so that the table of a configuration
    // without them stays as scripts have always read it.
    const bool roles = config.hasRoles();
    m_out << tr("%1 %2 %3  Shift Control Alt Repeat")
                 .arg(tr("Slot"), -12)
                 .arg(tr("Key"), -16)
                 .arg(tr("Code"), 4)
          << (roles ? QStringLiteral("  ") + tr("Role") : QString()) << '\n';
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        const KeySlot& s = config.slot(k);
        const QString role = RoleText(config.slotRole(k));
        // Key names such as "%5" and labels must not meet a later arg(), so they go in on
        // their own.
        m_out << SlotLabel(k).leftJustified(12) << ' '
              << PlainKeyText(KeyCodeName(s.keyCode)).leftJustified(16)
              << tr(" %1  %2 %3 %4 %5")
                     .arg(s.keyCode, 4)
                     .arg(yesNo(s.shift), -5)
                     .arg(yesNo(s.control), -7)
                     .arg(yesNo(s.alt), -3)
                     .arg(yesNo(s.repeat), role.isEmpty() ? 0 : -6);
        if (!role.isEmpty())
            m_out << "  " << role;
        m_out << '\n';
    }
    m_out << '\n';
    for (const Configuration::Option option : Configuration::Options)
        m_out << QStringLiteral("%1 %2\n")
                     .arg(OptionName(option), -16)
                     .arg(OnOffText(config.option(option)));
    return Success;
}

int DocumentCommands::convert(const ToolOptions& o, Format to) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    return save(o.files[1], config, to, unreadableRoles(o));
}

int DocumentCommands::legend(const ToolOptions& o) {
    Configuration config;
    if (const int r = load(o.files[0], config))
        return r;
    const QString input = o.files[0] == QLatin1String("-") ? QString() : o.files[0];
    const LegendSheet sheet(config, input, QDate::currentDate());
    const QPageSize page = LegendSheet::defaultPageSize();
    const QString out = o.files[1];
    if (out == QLatin1String("-")) {
        const QString error =
            StandardStreams::writeOutput(m_out, RenderLegend(sheet, LegendFormat::Pdf, page));
        return error.isEmpty() ? Success : fail(CannotWrite, error);
    }
    if (!LegendFormatOf(out))
        return fail(
            Usage,
            tr("%1: a legend is written as .pdf, .svg or .png").arg(QDir::toNativeSeparators(out)));
    m_out.flush(); // the file may be standard output
    const FileResult r = WriteLegend(sheet, out, page, ReaderWait::Wait);
    if (!r.ok())
        return fail(
            CannotWrite,
            tr("cannot write the legend to %1: %2").arg(QDir::toNativeSeparators(out), r.reason));
    return Success;
}

int DocumentCommands::preset(const ToolOptions& o) {
    if (o.list) {
        for (const QString& name : PresetNames())
            m_out << PresetKey(name).leftJustified(24) << ' ' << PresetTitle(name) << '\n';
        return Success;
    }
    const QString name = FindPreset(o.files[0]);
    if (name.isEmpty())
        return fail(Usage,
                    tr("there is no preset '%1' (see tarvenpad preset --list)").arg(o.files[0]));
    Configuration config;
    if (const FileResult r = LoadPreset(config, name); !r.ok())
        return fail(BadInput, r.message);
    return save(o.files[1], config,
                o.files[1].endsWith(QLatin1String(".json"), Qt::CaseInsensitive) ? Format::Json
                                                                                 : Format::Tpd,
                unreadableRoles(o));
}
