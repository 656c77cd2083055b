// SPDX-License-Identifier: GPL-3.0-or-later
#include "RealFiles.h"
#include "ScriptedDialogs.h"
#include "app/EditHistory.h"
#include "app/MainWindow.h"
#include "app/Module1.h"
#include "device/EmulatedAccess.h"
#include "device/UnitSelector.h"
#include "files/ConfigFile.h"
#include "files/FileAccess.h"

#include <QAction>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using Answer = UserDialogs::Answer;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What a command could change: the configuration, the flag and the file name.
QByteArray snapshot(Configuration& c) {
    return EncodeConfigFile(c) + (c.configModified() ? "M" : "-") + c.currentFileName().toUtf8();
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void promptFlows_data();
    void promptFlows();
    void openRejects_data();
    void openRejects();
    void saveCommands();
    void failedSaveKeepsState();
    void openRefusesSpecialFiles();
    void saveOnFullDisk();
    void saveOverHugeFile();
    void saveIntoFifoWithoutReader();
    void readFailsAtLocation();
    void readTurnsRotaryOn();
    void readCancelledChoice();
    void loadsAndTheHistory_data();
    void loadsAndTheHistory();
    void unreadableRoles_data();
    void unreadableRoles();
    void emulatorEntries_data();
    void emulatorEntries();

private:
    void trigger(const char* action) { m_window->findChild<QAction*>(action)->trigger(); }
    void editSomething() { m_window->config().setShift(2, true); }

    QTemporaryDir m_dir;
    std::unique_ptr<EmulatedAccess> m_access;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    QString m_sample; // a valid file on disk
};

void TestFileCommands::init() {
    m_access = std::make_unique<EmulatedAccess>(1);
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_window = Module1::Start(ProgrammerServices{*m_access, *m_dialogs});
    QVERIFY(m_window);
    Configuration sample;
    sample.setKeyCode(0, 0x1E);
    sample.setAlt(0, true);
    m_sample = m_dir.filePath("sample.TPD");
    QVERIFY(WriteConfigFile(sample, m_sample).ok());
    DeviceImage unit = EmulatedUnit::factoryMemory();
    unit.set(4, 0x29); // input 2 sends Esc
    m_access->unit(1).memory = unit;
}

void TestFileCommands::cleanup() {
    m_window.reset();
    m_dialogs.reset();
    m_access.reset();
}

// Each command that sets the configuration aside, in each situation of the save prompt.
void TestFileCommands::promptFlows_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("named");     // a current file name before the command
    QTest::addColumn<int>("answer");     // at the prompt
    QTest::addColumn<QString>("saveAs"); // the Save As dialog's answer ("" cancels)
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("goesOn");
    struct Case {
        const char* name;
        bool modified, named;
        Answer answer;
        const char* saveAs;
        bool saved, goesOn;
    } cases[] = {
        {"unmodified", false, true, Answer::Cancel, "", false, true},
        {"cancel", true, true, Answer::Cancel, "", false, false},
        {"no", true, true, Answer::No, "", false, true},
        {"yes, named", true, true, Answer::Yes, "", true, true},
        {"yes, unnamed, saved as", true, false, Answer::Yes, "new.TPD", true, true},
        {"yes, unnamed, dialog cancelled", true, false, Answer::Yes, "", false, false},
        {"yes, save fails", true, true, Answer::Yes, "", false, false},
    };
    for (const char* command : {"fnew", "fopen", "close", "freceive"})
        for (const Case& c : cases)
            QTest::addRow("%s: %s", command, c.name)
                << command << c.modified << c.named << int(c.answer) << QString(c.saveAs) << c.saved
                << c.goesOn;
}

void TestFileCommands::promptFlows() {
    QFETCH(QString, command);
    QFETCH(bool, modified);
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, saved);
    QFETCH(bool, goesOn);
    Configuration& c = m_window->config();
    const bool saveFails = QByteArray(QTest::currentDataTag()).endsWith("save fails");
    const QString current =
        saveFails ? m_dir.filePath("no/such/dir/x.TPD") : m_dir.filePath("current.TPD");
    QFile::remove(current);
    QFile::remove(m_dir.filePath(saveAs));
    editSomething();
    c.setCurrentFileName(named ? current : QString());
    c.setConfigModified(modified);
    const QByteArray before = snapshot(c);
    const QByteArray image = EncodeConfigFile(c);

    m_dialogs->answers = {Answer(answer)};
    if (!saveAs.isEmpty() || (modified && !named))
        m_dialogs->paths << (saveAs.isEmpty() ? QString() : m_dir.filePath(saveAs));
    m_dialogs->paths << m_sample; // for Open
    if (command == "close")
        m_window->close();
    else
        trigger(qPrintable(command));

    const QStringList texts = m_dialogs->texts();
    QCOMPARE(texts.count("Do You Want To Save This File?"), modified ? 1 : 0);
    if (modified) {
        const auto& prompt = m_dialogs->shown.first();
        QCOMPARE(prompt.title, QString("Save File?"));
        QCOMPARE(prompt.icon, UserDialogs::Icon::Question);
        QCOMPARE(prompt.buttons, UserDialogs::Buttons::YesNoCancel);
    }
    const QString savedTo = saveAs.isEmpty() ? current : m_dir.filePath(saveAs);
    QCOMPARE(fileBytes(savedTo) == image, saved);
    if (saveFails)
        QVERIFY(texts.last().contains(current));

    if (!goesOn) {
        QCOMPARE(snapshot(c), before);
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_dialogs->openDialogs, 0);
        return;
    }
    if (command == "fnew") {
        QCOMPARE(snapshot(c), snapshot(*std::make_unique<Configuration>().get()));
        QCOMPARE(EncodeConfigFile(c), EncodeConfigFile(Configuration()));
    } else if (command == "fopen") {
        QCOMPARE(EncodeConfigFile(c), fileBytes(m_sample));
        QCOMPARE(c.currentFileName(), m_sample);
        QVERIFY(!c.configModified());
    } else if (command == "close") {
        QVERIFY(!m_window->isVisible());
    } else {
        QCOMPARE(int(c.slot(1).keyCode), 0x29);
        QCOMPARE(c.currentFileName(), QString());
        QVERIFY(c.configModified());
        QCOMPARE(texts.last(),
                 QString("Configuration File Read Successfully From The TARVENPAD Device"));
    }
}

void TestFileCommands::openRejects_data() {
    QTest::addColumn<QByteArray>("bytes"); // null: the file does not exist
    QTest::addColumn<QString>("message");
    QTest::newRow("dialog cancelled") << QByteArray() << "";
    QTest::newRow("wrong header") << QByteArray(94, 'x') << "Cannot Open This File Type";
    QTest::newRow("missing") << QByteArray() << "No such file or directory";
    QTest::newRow("too short") << QByteArray(1, char('A' ^ FileMask)) << "holds 1 bytes";
}

void TestFileCommands::openRejects() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Configuration& c = m_window->config();
    editSomething();
    c.setCurrentFileName(m_dir.filePath("kept.TPD"));
    const QByteArray before = snapshot(c);
    const QString path = m_dir.filePath(QString("open-%1.TPD").arg(QTest::currentDataTag()));
    if (!bytes.isNull()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    m_dialogs->answers = {Answer::No};
    m_dialogs->paths = {message.isEmpty() ? QString() : path};
    trigger("fopen");
    QCOMPARE(snapshot(c), before);
    QCOMPARE(m_dialogs->openDialogs, 1);
    if (message.isEmpty()) {
        QCOMPARE(m_dialogs->shown.size(), 1); // the prompt only
        return;
    }
    const auto& box = m_dialogs->shown.last();
    QVERIFY2(box.text.contains(message), qPrintable(box.text));
    QCOMPARE(box.title, QString("Open File"));
    QCOMPARE(box.icon, UserDialogs::Icon::Exclamation);
    QCOMPARE(box.buttons, UserDialogs::Buttons::Ok);
}

void TestFileCommands::saveCommands() {
    Configuration& c = m_window->config();
    editSomething();
    const QString first = m_dir.filePath("first.TPD");
    m_dialogs->paths = {first};
    trigger("fsave"); // no name yet: Save As
    QCOMPARE(m_dialogs->saveDialogs, 1);
    QCOMPARE(c.currentFileName(), first);
    QVERIFY(!c.configModified());

    c.setControl(5, true);
    trigger("fsave"); // with a name: no dialog, no prompt
    QCOMPARE(m_dialogs->saveDialogs, 1);
    QVERIFY(m_dialogs->shown.isEmpty());
    QCOMPARE(fileBytes(first), EncodeConfigFile(c));

    c.setControl(6, true);
    m_dialogs->paths = {QString()};
    trigger("fsaveas"); // cancelled: nothing changes
    QCOMPARE(c.currentFileName(), first);
    QVERIFY(c.configModified());
}

void TestFileCommands::failedSaveKeepsState() {
    Configuration& c = m_window->config();
    editSomething();
    c.setCurrentFileName(m_dir.filePath("previous.TPD"));
    m_dialogs->paths = {"/dev/full"};
    trigger("fsaveas");
    QCOMPARE(c.currentFileName(), m_dir.filePath("previous.TPD"));
    QVERIFY(c.configModified());
    QCOMPARE(m_dialogs->shown.size(), 1);
    QCOMPARE(m_dialogs->shown[0].text,
             QString("Cannot save the configuration to \"/dev/full\":\nNo space left on device.\n\n"
                     "The configuration has not been saved."));
    QCOMPARE(m_dialogs->shown[0].title, QString("Save File"));

    // Closing with Cancel at the prompt keeps the window and the configuration.
    m_dialogs->answers = {Answer::Cancel};
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QVERIFY(c.slot(2).shift && c.configModified());
}

// Open never waits: a FIFO without a writer, a device and a folder are refused at once,
// with a message that names them.
void TestFileCommands::openRefusesSpecialFiles() {
    const QString fifo = m_dir.filePath("panel.fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString folder = m_dir.filePath("folder.TPD");
    QVERIFY(QDir(m_dir.path()).mkdir("folder.TPD"));
    Configuration& c = m_window->config();
    editSomething();
    c.setCurrentFileName(m_sample);
    const QByteArray before = snapshot(c);
    for (const auto& [path, what] :
         {std::pair{fifo, "It is a FIFO (named pipe), not a regular file"},
          std::pair{QStringLiteral("/dev/null"), "character device"},
          std::pair{folder, "Is a directory"}}) {
        m_dialogs->shown.clear();
        m_dialogs->answers = {Answer::No};
        m_dialogs->paths = {path};
        QElapsedTimer timer;
        timer.start();
        trigger("fopen");
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(snapshot(c), before);
        const auto& box = m_dialogs->shown.last();
        QVERIFY2(box.text.contains(path) && box.text.contains(what), qPrintable(box.text));
        QCOMPARE(box.title, QString("Open File"));
        QCOMPARE(box.icon, UserDialogs::Icon::Exclamation);
    }
    QVERIFY(realfiles::isFifo(fifo));
}

// Save on a real full disk (a tiny tmpfs, root only): reported, the old file kept byte for
// byte, the configuration still modified, no temporary file left.
void TestFileCommands::saveOnFullDisk() {
    realfiles::TinyTmpfs fs(m_dir.filePath("tiny"));
    if (!fs.mounted())
        QSKIP(qPrintable("cannot mount a tmpfs here: " + fs.error()));
    const QString current = fs.filePath("panel.TPD");
    const QByteArray old = fileBytes(m_sample);
    QVERIFY(realfiles::writeBytes(current, old));
    QVERIFY(fs.fill());
    const QStringList names = realfiles::namesIn(fs.path());
    Configuration& c = m_window->config();
    editSomething();
    c.setCurrentFileName(current);
    trigger("fsave");
    QCOMPARE(m_dialogs->shown.size(), 1);
    QVERIFY2(m_dialogs->shown[0].text.contains(current) &&
                 m_dialogs->shown[0].text.contains("No space left on device"),
             qPrintable(m_dialogs->shown[0].text));
    QCOMPARE(m_dialogs->shown[0].title, QString("Save File"));
    QVERIFY(c.configModified());
    QCOMPARE(fileBytes(current), old);

    // Save As to a new name there: the name is not taken.
    m_dialogs->paths = {fs.filePath("new.TPD")};
    trigger("fsaveas");
    QCOMPARE(c.currentFileName(), current);
    QVERIFY(c.configModified());
    QCOMPARE(realfiles::namesIn(fs.path()), names);
}

// Save over a 64 GiB file that starts like a .TPD: its first 94 bytes, at once, in place.
void TestFileCommands::saveOverHugeFile() {
    const QString huge = m_dir.filePath("huge.TPD");
    const qint64 size = qint64(64) << 30;
    if (!realfiles::makeSparse(huge, size, fileBytes(m_sample)))
        QSKIP("this file system does not take a 64 GiB sparse file");
    Configuration& c = m_window->config();
    m_dialogs->paths = {huge};
    QElapsedTimer timer;
    timer.start();
    trigger("fopen");
    QCOMPARE(c.currentFileName(), huge);
    c.setShift(7, true);
    trigger("fsave");
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(m_dialogs->shown.isEmpty());
    QVERIFY(!c.configModified());
    QCOMPARE(QFileInfo(huge).size(), size);
    QFile f(huge);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(94), EncodeConfigFile(c));
}

void TestFileCommands::saveIntoFifoWithoutReader() {
    const QString fifo = m_dir.filePath("out.fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    editSomething();
    m_dialogs->paths = {fifo};
    QElapsedTimer timer;
    timer.start();
    trigger("fsaveas");
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(m_window->config().configModified());
    QCOMPARE(m_dialogs->shown.size(), 1);
    QVERIFY2(m_dialogs->shown[0].text.contains("no program is reading from it"),
             qPrintable(m_dialogs->shown[0].text));
    QVERIFY(realfiles::isFifo(fifo));
}

void TestFileCommands::readFailsAtLocation() {
    Configuration& c = m_window->config();
    c.setKeyCode(1, 0x04);
    c.setCurrentFileName(m_sample);
    c.setConfigModified(false);
    const QByteArray before = EncodeConfigFile(c);
    m_access->failExchangeAt(60);
    trigger("freceive");
    QCOMPARE(EncodeConfigFile(c), before);
    QCOMPARE(m_dialogs->texts(), QStringList{"Device I/O Error"});
    QVERIFY(m_dialogs->shown[0].statusWindowVisible);
    QCOMPARE(c.currentFileName(), QString());
    QVERIFY(c.configModified());
    QCOMPARE(m_access->openUnits(), 0);
}

void TestFileCommands::readTurnsRotaryOn() {
    DeviceImage image = EmulatedUnit::factoryMemory();
    image.set(93, 8 | 1);
    image.set(73, 1); // rotary 1A: Control with repeat
    m_access->unit(1).memory = image;
    // The wiring did not change: the unit's keys come, the panel's roles stay.
    m_window->config().setRole(36, PanelRole::of(1, PanelRole::Control::Left));
    m_window->config().setConfigModified(false);
    trigger("freceive");
    QCOMPARE(m_window->config().slotRole(36).role, PanelRole::of(1, PanelRole::Control::Left));
    QVERIFY(m_window->findChild<QWidget*>("Frame2")->isVisible());
    QVERIFY(!m_window->findChild<QWidget*>("Check1")->isEnabled());
    QVERIFY(m_window->config().slot(36).repeat && m_window->config().slot(36).control);
}

void TestFileCommands::readCancelledChoice() {
    struct CancelSelector : UnitSelector {
        void showDetecting() override {}
        int SelectMultiples(int, const UnitSerials&) override { return 0; }
    } selector;
    ScriptedDialogs dialogs;
    EmulatedAccess access(2);
    auto w = Module1::Start(ProgrammerServices{access, dialogs, &selector});
    w->config().setCurrentFileName(m_sample);
    w->findChild<QAction*>("freceive")->trigger();
    QVERIFY(dialogs.shown.isEmpty());
    QCOMPARE(w->config().currentFileName(), m_sample);
    QVERIFY(!w->config().configModified());
}

// A load starts a new history; a command that loads nothing leaves the history alone.
void TestFileCommands::loadsAndTheHistory_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("unit"); // for a read: the unit chosen, 0 cancels
    QTest::addColumn<bool>("newHistory");
    QTest::addColumn<bool>("modified");
    QTest::newRow("new") << "fnew"
                         << "" << 0 << true << false;
    QTest::newRow("open") << "fopen"
                          << "sample.TPD" << 0 << true << false;
    QTest::newRow("open rejected") << "fopen"
                                   << "missing.TPD" << 0 << false << true;
    QTest::newRow("open cancelled") << "fopen"
                                    << "" << 0 << false << true;
    QTest::newRow("read") << "freceive"
                          << "" << 1 << true << true;
    QTest::newRow("read cancelled") << "freceive"
                                    << "" << 0 << false << true;
}

void TestFileCommands::loadsAndTheHistory() {
    QFETCH(QString, command);
    QFETCH(QString, path);
    QFETCH(int, unit);
    QFETCH(bool, newHistory);
    QFETCH(bool, modified);
    struct Selector : UnitSelector {
        int unit = 0;
        void showDetecting() override {}
        int SelectMultiples(int, const UnitSerials&) override { return unit; }
    } selector;
    selector.unit = unit;
    EmulatedAccess access(2);
    ScriptedDialogs dialogs;
    auto w = Module1::Start(ProgrammerServices{access, dialogs, &selector});
    EditHistory& history = w->history();
    history.setFlag(2, Configuration::Flag::Shift, true);
    history.setFlag(3, Configuration::Flag::Alt, true);
    history.undo();
    const QByteArray before = snapshot(w->config());
    dialogs.answers = {Answer::No};
    dialogs.paths = {path.isEmpty() ? QString() : m_dir.filePath(path)};
    w->findChild<QAction*>(command)->trigger();

    QCOMPARE(history.canUndo(), !newHistory);
    QCOMPARE(history.canRedo(), !newHistory);
    QCOMPARE(w->config().configModified(), modified);
    if (newHistory)
        return;
    QCOMPARE(snapshot(w->config()), before);
    QCOMPARE(history.undoText(), QString("Shift on Input 3"));
    history.undo();
    QCOMPARE(w->config().configModified(), false);
}

// A roles block we cannot read: Open loads the keys and says so; Save replaces the block only
// when the user says yes.
void TestFileCommands::unreadableRoles_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer"); // to the save prompt before Open, or to Save's question
    QTest::addColumn<bool>("replaced");
    QTest::newRow("open") << "fopen" << int(Answer::No) << false;
    QTest::newRow("save, yes") << "fsave" << int(Answer::Yes) << true;
    QTest::newRow("save, no") << "fsave" << int(Answer::No) << false;
}

void TestFileCommands::unreadableRoles() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    Configuration& c = m_window->config();
    const QString path = m_dir.filePath("unreadable.TPD");
    const QByteArray bytes = fileBytes(m_sample) + "TPRL"; // our tag, the block cut short
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    editSomething();
    c.setCurrentFileName(path);
    m_dialogs->answers = {Answer(answer)};
    m_dialogs->paths = {path};
    trigger(qPrintable(command));
    const bool open = command == "fopen";
    const auto& box = m_dialogs->shown.last();
    QVERIFY2(box.text.contains("could not be read: the block is cut short."), qPrintable(box.text));
    QCOMPARE(box.title, QString(open ? "Open File" : "Save File"));
    QCOMPARE(box.icon, UserDialogs::Icon::Exclamation);
    QCOMPARE(box.buttons, open ? UserDialogs::Buttons::Ok : UserDialogs::Buttons::YesNoDefaultNo);
    QCOMPARE(fileBytes(path) == bytes, !replaced);
    QCOMPARE(c.configModified(), !open && !replaced);
}

// The two-player preset, its Input 5 sending Z: an export or merge past the warnings, or
// MAME's keys as one step of the history.
void TestFileCommands::emulatorEntries_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");      // to the warnings, or the item chosen
    QTest::addColumn<QString>("shown");   // the last message's "TITLE|TEXT" begins so
    QTest::addColumn<QString>("written"); // in x.cfg afterwards; "" no file
    QTest::addColumn<QString>("notice");
    const QString list = "Export For MAME|MAME will not see the panel quite as it is:\n\n"
                         "Input 22 \u00b7 Player 2 Button 6 has no key";
    const QString none;
    QTest::newRow("mame, cancelled")
        << "fexportmame" << int(Answer::Cancel) << list << none << none;
    QTest::newRow("mame")
        << "fexportmame" << int(Answer::Ok) << list << "<port type=\"P1_BUTTON1\">"
        << "Saved 26 control(s) for MAME to \"x.cfg\": start MAME with -ctrlrpath "
           "\"DIR\" -ctrlr \"x\"";
    QTest::newRow("merge") << "fmergeretroarch" << int(Answer::Ok)
                           << "Merge Into RetroArch Configuration|The binds for 26 control(s)"
                           << "input_player1_b = \"z\"" << none;
    QTest::newRow("keys") << "tkeysfromemulator" << 0
                          << "Keys From An Emulator|1 input(s) took MAME's own keys, but:\n\nInput "
                             "22 \u00b7 Player 2 Button 6"
                          << none << none;
}

void TestFileCommands::emulatorEntries() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, shown);
    QFETCH(QString, written);
    QFETCH(QString, notice);
    trigger("tpreset_arcade-two-players");
    Configuration& c = m_window->config();
    c.setKeyCode(4, 0x1D);
    const QByteArray before = snapshot(c);
    const QTemporaryDir dir;
    const QString path = dir.filePath("x.cfg");
    const QByteArray old = "video_fullscreen = \"false\"\ninput_player1_b = \"nul\"\n";
    QVERIFY(command != "fmergeretroarch" || realfiles::writeBytes(path, old));
    m_dialogs->answers = {Answer(answer)};
    m_dialogs->chosen = {answer};
    m_dialogs->paths = {path};
    trigger(qPrintable(command));
    const auto& box = m_dialogs->shown.last();
    QVERIFY2((box.title + '|' + box.text).startsWith(shown), qPrintable(box.text));
    const bool list = box.text.startsWith("MAME"); // a question that may stop the export
    QCOMPARE(box.icon, list ? UserDialogs::Icon::Exclamation : UserDialogs::Icon::Information);
    QCOMPARE(box.buttons, list ? UserDialogs::Buttons::OkCancel : UserDialogs::Buttons::Ok);
    QCOMPARE(PathExists(path) && fileBytes(path).contains(written.toUtf8()), !written.isEmpty());
    QCOMPARE(m_window->statusBar()->currentMessage(), QString(notice).replace("DIR", dir.path()));
    QCOMPARE(fileBytes(path + ".bak"), command == "fmergeretroarch" ? old : QByteArray());
    const bool keys = command == "tkeysfromemulator";
    QCOMPARE(m_dialogs->prompts.join(""), keys ? "Keys From An Emulator:Give every input that has "
                                                 "a panel role the key an emulator expects:|MAME's "
                                                 "own keys|RetroArch's own keys|Keys from a file "
                                                 "(retroarch.cfg or a MAME .cfg)..."
                                               : "");
    m_window->history().undo();
    QCOMPARE(snapshot(c) == before, keys);
}

QTEST_MAIN(TestFileCommands)
#include "tst_FileCommands.moc"
