// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EmulatorMenuCommands.h"

#include "app/ChooseFileToWrite.h"
#include "app/EditHistory.h"
#include "app/UserDialogs.h"
#include "emulators/EmulatorControls.h"
#include "emulators/EmulatorExport.h"
#include "emulators/EmulatorFiles.h"
#include "emulators/EmulatorImport.h"
#include "files/FileAccess.h"
#include "model/Configuration.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStandardPaths>
#include <QStatusBar>

namespace {

// As long as the window's other notices: a sentence can be read, then the rows get their
// room back.
constexpr int NoticeMilliseconds = 8000;

// The retroarch.cfg RetroArch itself reads, when there is one.
QString retroArchConfiguration() {
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/retroarch/retroarch.cfg");
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

EmulatorMenuCommands::EmulatorMenuCommands(Configuration& config, EditHistory& history,
                                           UserDialogs& dialogs, QMainWindow* window)
    : m_config(config), m_history(history), m_dialogs(dialogs), m_window(window) {}

bool EmulatorMenuCommands::mayWrite(const EmulatorExport& map, const QString& title) {
    if (!map.error().isEmpty()) {
        m_dialogs.message(m_window, map.error(), title, UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
        return false;
    }
    if (map.warnings().isEmpty())
        return true;
    // Before the file dialog: a panel the emulator would misread may be put right first.
    return m_dialogs.messageWithList(m_window,
                                     tr("%1 will not see the panel quite as it is:")
                                         .arg(EmulatorControls::name(map.emulator())),
                                     map.warnings(), title, UserDialogs::Icon::Exclamation,
                                     UserDialogs::Buttons::OkCancel) == UserDialogs::Answer::Ok;
}

std::optional<QString> EmulatorMenuCommands::chooseExportFile(Emulator emulator,
                                                              const QString& title) {
    const QString tpd = m_config.currentFileName();
    const QString suggestion =
        tpd.isEmpty() ? QStringLiteral("tarvenpad.cfg")
                      : QFileInfo(tpd).dir().filePath(QFileInfo(tpd).completeBaseName() +
                                                      QStringLiteral(".cfg"));
    return ChooseFileToWrite(m_dialogs, m_window, title, suggestion, [&](const QString& offered) {
        return m_dialogs.chooseEmulatorFile(m_window, emulator, true, offered);
    });
}

void EmulatorMenuCommands::exportFor(Emulator emulator) {
    const bool mame = emulator == Emulator::Mame;
    const QString title = mame ? tr("Export For MAME") : tr("Export For RetroArch");
    const EmulatorExport map(emulator, m_config);
    if (!mayWrite(map, title))
        return;
    const std::optional<QString> path = chooseExportFile(emulator, title);
    if (!path)
        return;
    if (const FileResult r = EmulatorFiles::write(map, *path, ReaderWait::Refuse); !r.ok()) {
        m_dialogs.message(m_window, r.message + tr("\n\nNothing has been saved."), title,
                          UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
        return;
    }
    const QFileInfo file(*path);
    const int count = int(map.controls().size());
    // How to start the emulator with the file: MAME finds a controller file by its name in
    // a folder on its ctrlrpath (Debian's looks only in a system folder unless told), and
    // RetroArch takes the path itself.
    showNotice(mame ? tr("Saved %n control(s) for MAME to \"%1\": start MAME with -ctrlrpath "
                         "\"%2\" -ctrlr \"%3\"",
                         nullptr, count)
                          .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath()),
                               file.completeBaseName())
                    : tr("Saved %n control(s) for RetroArch to \"%1\": start RetroArch with "
                         "--appendconfig \"%2\"",
                         nullptr, count)
                          .arg(file.fileName(), QDir::toNativeSeparators(file.filePath())));
}

void EmulatorMenuCommands::mergeIntoRetroArch() {
    const QString title = tr("Merge Into RetroArch Configuration");
    const EmulatorExport map(Emulator::RetroArch, m_config);
    if (!mayWrite(map, title))
        return;
    const std::optional<QString> path = m_dialogs.chooseEmulatorFile(
        m_window, Emulator::RetroArch, false, retroArchConfiguration());
    if (!path || path->trimmed().isEmpty())
        return;
    QString backup;
    if (const FileResult r = EmulatorFiles::merge(map, *path, backup); !r.ok()) {
        m_dialogs.message(m_window, r.message, title, UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
        return;
    }
    const QString shown = QDir::toNativeSeparators(*path);
    m_dialogs.message(m_window,
                      backup.isEmpty()
                          ? tr("\"%1\" holds these binds already: nothing has changed.").arg(shown)
                          : tr("The binds for %n control(s) are now in \"%1\".\n"
                               "The old file is kept as \"%2\".",
                               nullptr, int(map.controls().size()))
                                .arg(shown, QDir::toNativeSeparators(backup)),
                      title, UserDialogs::Icon::Information, UserDialogs::Buttons::Ok);
}

void EmulatorMenuCommands::keysFromAnEmulator() {
    const QString title = tr("Keys From An Emulator");
    const std::optional<int> choice = m_dialogs.chooseItem(
        m_window, tr("Give every input that has a panel role the key an emulator expects:"), title,
        {tr("MAME's own keys"), tr("RetroArch's own keys"),
         tr("Keys from a file (retroarch.cfg or a MAME .cfg)...")});
    if (!choice)
        return;
    std::optional<EmulatorImport> source;
    if (*choice == 0) {
        source = EmulatorImport::defaults(Emulator::Mame);
    } else if (*choice == 1) {
        source = EmulatorImport::defaults(Emulator::RetroArch);
    } else {
        // Either emulator's file will do: which one it is, its contents say.
        const std::optional<QString> path = m_dialogs.chooseEmulatorFile(
            m_window, Emulator::RetroArch, false, retroArchConfiguration());
        if (!path || path->trimmed().isEmpty())
            return;
        QString error;
        source = EmulatorFiles::read(*path, InputKind::RegularFile, error);
        if (!source) {
            m_dialogs.message(m_window, error, title, UserDialogs::Icon::Exclamation,
                              UserDialogs::Buttons::Ok);
            return;
        }
    }
    // Worked out on a copy, so that the whole change goes into the history as one step.
    Configuration scratch;
    scratch.restore(m_config.state());
    const EmulatorImport::Result result = source->apply(scratch);
    if (!result.error.isEmpty()) {
        m_dialogs.message(m_window, result.error, title, UserDialogs::Icon::Exclamation,
                          UserDialogs::Buttons::Ok);
        return;
    }
    m_history.replaceAll(tr("Keys From %1").arg(EmulatorControls::name(source->emulator())),
                         scratch.state());
    if (result.notes.isEmpty()) {
        showNotice(tr("%n input(s) took %1.", nullptr, result.changed).arg(source->description()));
        return;
    }
    m_dialogs.messageWithList(
        m_window,
        tr("%n input(s) took %1, but:", nullptr, result.changed).arg(source->description()),
        result.notes, title, UserDialogs::Icon::Information);
}

void EmulatorMenuCommands::showNotice(const QString& text) {
    QStatusBar* bar = m_window->statusBar();
    bar->show();
    bar->showMessage(text, NoticeMilliseconds);
}
