// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainMenus.h"

#include "app/AboutWindow.h"
#include "app/EditHistory.h"
#include "app/EmulatorMenuCommands.h"
#include "app/FileCommands.h"
#include "app/IdentifyCommands.h"
#include "app/InputTestWindow.h"
#include "app/LegendCommands.h"
#include "app/TransferCommands.h"
#include "app/UnitComparison.h"
#include "app/UserDialogs.h"
#include "device/HidAccess.h"
#include "files/Presets.h"
#include "model/Configuration.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// A menu item's text with an access key that no earlier item of its menu (`taken`) has:
// the first free initial of a word, else the first free letter or digit. A text without
// one stays as it is; its own ampersands show as written.
QString withMnemonic(const QString& text, QString& taken) {
    QString shown = text;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    int at = -1;
    for (int pass = 0; pass < 2 && at < 0; ++pass)
        for (int i = 0; i < shown.size() && at < 0; ++i) {
            const QChar c = shown[i];
            const bool initial = i == 0 || !shown[i - 1].isLetterOrNumber();
            if (c.isLetterOrNumber() && (initial || pass == 1) && !taken.contains(c.toLower()))
                at = i;
        }
    if (at < 0)
        return shown;
    taken += shown[at].toLower();
    return shown.insert(at, QLatin1Char('&'));
}

// A menu of the bar; the menu and the bar's item both carry `name`.
QMenu* addMenu(QMenuBar* bar, const QString& title, const char* name) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

MainMenus::MainMenus(QMainWindow& window, const Commands& commands)
    : QObject(&window), m_window(window), m_commands(commands) {
    buildFileMenu();
    // One transfer at a time.
    connect(&m_commands.transfers, &TransferCommands::runningChanged, this, [this](bool running) {
        updateDeviceActions();
        m_presetsMenu->setEnabled(!running);
        m_keysAction->setEnabled(!running);
        updateEditActions();
    });
    // Reading a unit meanwhile would bring the temporary configuration into the rows.
    connect(&m_commands.identify, &IdentifyCommands::runningChanged, this,
            &MainMenus::updateDeviceActions);
    buildEditMenu();
    buildToolsMenu();
    buildAboutMenu();
}

void MainMenus::buildFileMenu() {
    QMenu* file = addMenu(m_window.menuBar(), tr("&File"), "file");
    const auto item = [this, file](const char* name, const QString& text, const QKeySequence& key) {
        QAction* a = file->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        m_window.addAction(a); // shortcuts work while the menu is closed
        return a;
    };
    const auto separator = [file](const char* name) {
        file->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    FileCommands& files = m_commands.files;
    connect(item("fnew", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered, this,
            [&files] { files.fileNew(); });
    connect(item("fopen", tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O)), &QAction::triggered,
            this, [&files] { files.fileOpen(); });
    connect(item("fsave", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S)), &QAction::triggered,
            this, [&files] { files.fileSave(); });
    connect(item("fsaveas", tr("Save &As..."), {}), &QAction::triggered, this,
            [&files] { files.fileSaveAs(); });
    separator("fspc4");
    EmulatorMenuCommands& emulators = m_commands.emulators;
    connect(item("fexportmame", tr("Export For &MAME..."), {}), &QAction::triggered, this,
            [&emulators] { emulators.exportFor(Emulator::Mame); });
    connect(item("fexportretroarch", tr("Export For R&etroArch..."), {}), &QAction::triggered, this,
            [&emulators] { emulators.exportFor(Emulator::RetroArch); });
    connect(item("fmergeretroarch", tr("Mer&ge Into RetroArch Configuration..."), {}),
            &QAction::triggered, this, [&emulators] { emulators.mergeIntoRetroArch(); });
    separator("fspc1");
    m_sendAction = item("fsend", tr("&Write To TARVENPAD"), {});
    separator("fspc2");
    m_receiveAction = item("freceive", tr("&Read From TARVENPAD"), {});
    separator("fspc3");
    QAction* exit = item("fexit", tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, &m_window, &QWidget::close);
    connect(m_sendAction, &QAction::triggered, this, [this] {
        int identifier = DeviceIdentifier;
        m_commands.transfers.WriteToDevice(identifier);
    });
    connect(m_receiveAction, &QAction::triggered, this, [this] {
        int identifier = DeviceIdentifier;
        m_commands.transfers.ReadFromDevice(identifier);
    });
}

void MainMenus::buildEditMenu() {
    QMenu* edit = m_editMenu = addMenu(m_window.menuBar(), tr("&Edit"), "edit");
    m_undoAction = edit->addAction(tr("&Undo"));
    m_undoAction->setObjectName(QStringLiteral("eundo"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = edit->addAction(tr("&Redo"));
    m_redoAction->setObjectName(QStringLiteral("eredo"));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_window.addAction(m_undoAction);
    m_window.addAction(m_redoAction);
    EditHistory& history = m_commands.history;
    connect(m_undoAction, &QAction::triggered, &history, &EditHistory::undo);
    connect(m_redoAction, &QAction::triggered, &history, &EditHistory::redo);
    connect(&history, &EditHistory::changed, this, &MainMenus::updateEditActions);
    updateEditActions();
}

void MainMenus::addEditItem(QAction* action) {
    m_editMenu->addSeparator();
    m_editMenu->addAction(action);
    m_window.addAction(action);
}

void MainMenus::updateEditActions() {
    const EditHistory& history = m_commands.history;
    const bool running = m_commands.transfers.running();
    m_undoAction->setEnabled(history.canUndo() && !running);
    m_undoAction->setText(history.canUndo() ? tr("&Undo %1").arg(history.undoText()) : tr("&Undo"));
    m_redoAction->setEnabled(history.canRedo() && !running);
    m_redoAction->setText(history.canRedo() ? tr("&Redo %1").arg(history.redoText()) : tr("&Redo"));
}

void MainMenus::buildToolsMenu() {
    QMenu* tools = addMenu(m_window.menuBar(), tr("&Tools"), "tools");
    QAction* test = tools->addAction(tr("&Test Inputs..."));
    test->setObjectName(QStringLiteral("ttest"));
    connect(test, &QAction::triggered, this, &MainMenus::showInputTest);
    m_identifyAction = tools->addAction(tr("&Identify Inputs..."));
    m_identifyAction->setObjectName(QStringLiteral("tidentify"));
    connect(m_identifyAction, &QAction::triggered, &m_commands.identify,
            &IdentifyCommands::identify);
    m_compareAction = tools->addAction(tr("&Compare With TARVENPAD..."));
    m_compareAction->setObjectName(QStringLiteral("tcompare"));
    connect(m_compareAction, &QAction::triggered, this, [this] {
        int identifier = DeviceIdentifier;
        m_commands.transfers.CompareWithDevice(identifier);
    });
    QAction* verify = tools->addAction(tr("&Verify After Writing"));
    verify->setObjectName(QStringLiteral("tverify"));
    verify->setCheckable(true);
    verify->setChecked(UnitComparison::verifyAfterWriting());
    connect(verify, &QAction::toggled, this, &UnitComparison::setVerifyAfterWriting);
    tools->addSeparator();
    LegendCommands& legend = m_commands.legend;
    QAction* print = tools->addAction(tr("&Print Legend..."));
    print->setObjectName(QStringLiteral("tprint"));
    connect(print, &QAction::triggered, this, [&legend] { legend.printLegend(); });
    QAction* exportLegend = tools->addAction(tr("&Export Legend..."));
    exportLegend->setObjectName(QStringLiteral("texport"));
    connect(exportLegend, &QAction::triggered, this, [&legend] { legend.exportLegend(); });
    m_keysAction = tools->addAction(tr("&Keys From An Emulator..."));
    m_keysAction->setObjectName(QStringLiteral("tkeysfromemulator"));
    connect(m_keysAction, &QAction::triggered, this,
            [this] { m_commands.emulators.keysFromAnEmulator(); });
    buildPresetsMenu(tools);
}

void MainMenus::buildPresetsMenu(QMenu* tools) {
    m_presetsMenu = tools->addMenu(tr("P&resets"));
    m_presetsMenu->setObjectName(QStringLiteral("tpresets"));
    m_presetsMenu->menuAction()->setObjectName(QStringLiteral("tpresets"));
    QString taken;
    for (const QString& name : PresetNames()) {
        QAction* preset = m_presetsMenu->addAction(withMnemonic(PresetTitle(name), taken));
        preset->setObjectName(QStringLiteral("tpreset_") + PresetKey(name));
        connect(preset, &QAction::triggered, this, [this, name] { applyPreset(name); });
    }
}

void MainMenus::buildAboutMenu() {
    QMenu* about = addMenu(m_window.menuBar(), tr("&About"), "about");
    QAction* aabout = about->addAction(tr("&About..."));
    aabout->setObjectName(QStringLiteral("aabout"));
    connect(aabout, &QAction::triggered, this, [this] {
        AboutWindow window(&m_window);
        window.exec();
    });
}

void MainMenus::showInputTest() {
    if (!m_inputTest) {
        m_inputTest = new InputTestWindow(m_commands.config, &m_window);
        // Counts of another configuration's presses would mislead.
        connect(&m_commands.history, &EditHistory::replaced, m_inputTest, &InputTestWindow::reset);
    }
    m_inputTest->show();
    m_inputTest->raise();
    m_inputTest->activateWindow();
}

void MainMenus::applyPreset(const QString& name) {
    Configuration preset;
    if (const FileResult r = LoadPreset(preset, name); !r.ok()) {
        m_commands.dialogs.message(&m_window, r.message, PresetTitle(name),
                                   UserDialogs::Icon::Exclamation, UserDialogs::Buttons::Ok);
        return;
    }
    m_commands.history.replaceAll(PresetTitle(name), preset.state());
}

void MainMenus::updateDeviceActions() {
    const bool idle = !m_commands.transfers.running() && !m_commands.identify.running();
    for (QAction* a : {m_sendAction, m_receiveAction, m_compareAction, m_identifyAction})
        a->setEnabled(idle);
}
