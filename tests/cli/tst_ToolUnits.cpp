// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeEncoder.h"
#include "FakeHidapi.h"
#include "FakeSysfs.h"
#include "cli/CommandLineTool.h"
#include "device/AccessSetup.h"
#include "device/KeyPressSource.h"
#include "device/PlugMonitor.h"
#include "files/ConfigFile.h"
#include "files/RestoreJournal.h"
#include "hidraw/HidapiAccess.h"
#include "model/Configuration.h"

#include <QTimer>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <linux/input-event-codes.h>

using fakehid::Device;
using fakehid::state;

namespace {

int dataReports(const Device& d) {
    int n = 0;
    for (const QByteArray& r : d.written)
        n += quint8(r[1]) == 0x81;
    return n;
}

int unitsWritten() {
    int n = 0;
    for (const Device& d : state().devices)
        n += dataReports(d) == 95;
    return n;
}

// Plugs in the units it is given, one per call, then has no more news; or, given a signal,
// raises it once and then waits on.
struct ScriptedMonitor : PlugMonitor {
    QStringList nodes;
    int signal = 0;
    std::optional<QString> nextPlugIn(int) override {
        if (signal) {
            std::raise(std::exchange(signal, -1));
            return QString();
        }
        if (nodes.isEmpty())
            return std::nullopt;
        const QString node = nodes.takeFirst();
        const auto lock = fakehid::lock();
        for (Device& d : state().devices)
            d.unplugged &= d.path != node;
        return node;
    }
};

} // namespace

// The tool on the encoders of this computer, here the fake hidapi's, with a fake sysfs tree.
class TestToolUnits : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void unitsChangeDuringCommand_data();
    void unitsChangeDuringCommand();
    void accessDenied_data();
    void accessDenied();
    void backupNameFromOddSerial();
    void watchProgramsEachPlugIn();
    void watchEndsOnSignal_data();
    void watchEndsOnSignal();
    void fiveEncoders_data();
    void fiveEncoders();
    void identify_data();
    void identify();

private:
    int run(const QStringList& args, PlugMonitor* monitor = nullptr);

    QTemporaryDir m_dir;
    QString m_file;
    QString m_roles = m_dir.filePath("roles.TPD");
    std::unique_ptr<FakeSysfs> m_sysfs;
    QString m_out, m_err;
    AccessSetup m_setup{true, {}, {}, false, false};
    QString m_end; // what ends identify's presses: "SIGINT", "lost"; "denied" opens none
};

void TestToolUnits::init() {
    fakehid::reset();
    m_sysfs = std::make_unique<FakeSysfs>();
    state().devices = {fakeEncoder(3, '1'), fakeEncoder(5, '2')};
    m_sysfs->attach("hidraw3", "1-1", 3);
    m_sysfs->attach("hidraw5", "1-2", 5);
}

void TestToolUnits::initTestCase() {
    m_file = m_dir.filePath("panel.TPD");
    Configuration c;
    c.ClearVariables();
    c.setKeyCode(0, 0x29);
    QVERIFY(WriteConfigFile(c, m_file).ok());
}

int TestToolUnits::run(const QStringList& args, PlugMonitor* monitor) {
    m_out.clear();
    m_err.clear();
    QTextStream out(&m_out), err(&m_err);
    const QString root = m_sysfs->root();
    CommandLineTool tool(
        out, err, [root] { return std::make_unique<HidapiAccess>(root); }, false);
    tool.setAccessSetup(m_setup);
    tool.setKeySource([this](const QString& node, KeyPressSource::Failure& failure) {
        failure = {KeyPressSource::Failure::Kind::AccessDenied, "/dev/input/event7", EACCES};
        auto source = std::make_unique<KeyPressSource>();
        QTimer::singleShot(0, source.get(), [this, s = source.get()] {
            for (const int key : {KEY_C, KEY_C, KEY_ESC})
                emit s->pressed(key);
            state().devices[0].unplugged = m_end == "lost";
            m_end == "lost" ? emit s->lost("the unit was pulled out") : void(std::raise(SIGINT));
        });
        return m_end == "denied" || node != "/dev/hidraw3" ? nullptr : std::move(source);
    });
    if (monitor)
        tool.setPlugMonitor([monitor] {
            struct Borrowed : PlugMonitor {
                PlugMonitor* m;
                std::optional<QString> nextPlugIn(int ms) override { return m->nextPlugIn(ms); }
            };
            auto b = std::make_unique<Borrowed>();
            b->m = monitor;
            return b;
        });
    return tool.run(args);
}

void TestToolUnits::unitsChangeDuringCommand_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("written");
    QTest::newRow("nothing") << "" << 0 << "/dev/hidraw5";
    QTest::newRow("encoder plugged in at hidraw4") << "plug" << 0 << "/dev/hidraw5";
    QTest::newRow("unit 2 pulled out") << "unplug" << 5 << "";
    QTest::newRow("unit 2 back at hidraw4") << "replug" << 5 << "";
}

// `write --unit 2` while the units change after the command has listed them.
void TestToolUnits::unitsChangeDuringCommand() {
    QFETCH(QString, change);
    QFETCH(int, status);
    QFETCH(QString, written);
    state().beforeEnumerate = [&](int n) {
        if (n != 2)
            return;
        if (change == "unplug" || change == "replug") {
            state().devices[1].unplugged = true;
            m_sysfs->detach("hidraw5");
        }
        if (change == "plug" || change == "replug") {
            state().devices.append(fakeEncoder(4, change == "plug" ? '3' : '2'));
            m_sysfs->attach("hidraw4", change == "plug" ? "1-3" : "1-2", 7);
        }
    };
    QCOMPARE(run({"write", m_file, "--unit", "2"}), status);
    if (status == 0)
        QCOMPARE(m_out, QString("unit 2: programmed and verified\n"));
    else
        QVERIFY2(m_err.contains("unit 2: Device Not Found (/dev/hidraw5 is no longer unit 2"),
                 qPrintable(m_err));
    for (const Device& d : state().devices)
        QCOMPARE(dataReports(d), d.path == written ? 95 : 0);
    for (const auto& filter : state().enumerations)
        QCOMPARE(filter, (QPair<int, int>(0, 0x3650)));
    QCOMPARE(state().openHandles, 0);
}

void TestToolUnits::accessDenied_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("secondUnit");
    QTest::addColumn<QString>("out");
    QTest::newRow("units") << QStringList{"units"} << true
                           << "1 - not accessible (/dev/hidraw3: Permission denied)\n2 22\n";
    QTest::newRow("write, the only unit") << QStringList{"write", m_file} << false << "";
    QTest::newRow("write --unit 1") << QStringList{"write", m_file, "--unit", "1"} << true << "";
    QTest::newRow("read") << QStringList{"read", m_dir.filePath("out.TPD")} << false << "";
    QTest::newRow("write --all") << QStringList{"write", m_file, "--all"} << true
                                 << "unit 1: this user may not open it\n"
                                    "unit 2: programmed and verified\n";
}

// hidraw3 belongs to another user: the tool says so, with the fix, and exits 8.
void TestToolUnits::accessDenied() {
    QFETCH(QStringList, args);
    QFETCH(bool, secondUnit);
    QFETCH(QString, out);
    state().devices[0].openErrno = EACCES;
    state().devices[1].unplugged = !secondUnit;
    QCOMPARE(run(args), 8);
    QCOMPARE(m_out, out);
    // One line says what is wrong; the fix, fitted to this machine, follows on lines of its own.
    QVERIFY2(m_err.startsWith("tarvenpad: unit 1 is attached, but this user may not open it "
                              "(/dev/hidraw3: Permission denied).\n"),
             qPrintable(m_err));
    QVERIFY2(m_err.endsWith(CommandLineTool::accessAdvice(m_setup) + '\n'), qPrintable(m_err));
}

// A unit's serial characters cannot lead the backup into another folder.
void TestToolUnits::backupNameFromOddSerial() {
    state().devices[1] = fakeEncoder(5, '/');
    QCOMPARE(run({"write", m_file, "--all", "--backup", m_dir.filePath("old-{serial}.TPD")}), 0);
    QVERIFY(QFile::exists(m_dir.filePath("old-11.TPD")));
    QVERIFY(QFile::exists(m_dir.filePath("old-_0.TPD")));
}

void TestToolUnits::identify_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // how standard output starts
    QTest::addColumn<QString>("err"); // what standard error ends with
    QTest::newRow("presses, then Ctrl+C")
        << QStringList{"--unit", "1"} << "SIGINT" << 0
        << "Input 3\nInput 3\nkey code 1: no input sends this key\nnot pressed: Input 1, Input 2, "
           "Input 4, "
        << "tarvenpad: unit 1: its own configuration is back, read back equal\n";
    QTest::newRow("--json") << QStringList{"--serial", "11", "--json"} << "SIGINT" << 0
                            << "{\"code\":46,\"name\":\"Input 3\",\"presses\":1,\"slot\":2}\n"
                            << "read back equal\n";
    QTest::newRow("unit pulled out")
        << QStringList{"--unit", "1"} << "lost" << 5 << "Input 3\n"
        << "tarvenpad: identify ended: the unit was pulled out\ntarvenpad: its own configuration "
           "stays in the journal; once it is plugged in again, put it back with: tarvenpad "
           "restore --serial 11\n";
    // Input 3 taken for Player 1 Up, then moved on to Player 1 Down.
    QTest::newRow("--roles") << QStringList{"--unit", "1", "--roles", "1p6", "--output", m_roles}
                             << "SIGINT" << 0
                             << "unit 1: its configuration and the roles learnt written to "
                             << "read back equal\n";
    QTest::newRow("keyboard refused") << QStringList{"--unit", "1"} << "denied" << 8 << ""
                                      << AccessAdvice::forKeyboard(m_setup) + '\n';
}

// identify on unit 1 (serial 11), whose memory gives every input no key: the identification
// image goes on, and the unit's own comes back when it ends, or by restore after a pull-out
// and a plug-in elsewhere.
void TestToolUnits::identify() {
    QFETCH(QStringList, args);
    QFETCH(QString, end);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    m_end = end;
    QCOMPARE(run(QStringList{"identify"} + args), status);
    QCOMPARE(m_out.left(out.size()), out);
    QVERIFY2(m_err.endsWith(err), qPrintable(m_err));
    Configuration learnt;
    if (args.contains(m_roles))
        QVERIFY(m_err.contains("Input 3 moved from Player 1 Up to Player 1 Down.\nPress Player "
                               "1 Left\n") &&
                ReadConfigFile(learnt, m_roles).ok() && learnt.slotRole(2).role == 2);
    const int written = end == "denied" ? 0 : end == "lost" ? 95 : 2 * 95;
    QCOMPARE(dataReports(state().devices[0]), written);
    QCOMPARE(RestoreJournal().pending().size(), end == "lost" ? 1 : 0);
    if (end != "lost")
        return;
    // Every unit command says what waits, until restore has put it back, whatever the
    // unit's number now.
    state().devices[0].unplugged = false;
    state().devices[0].path = "/dev/hidraw7";
    m_sysfs->attach("hidraw7", "1-3", 8);
    QCOMPARE(run({"units"}), 0);
    QVERIFY2(m_err.startsWith("tarvenpad: the unit with serial 11 has not had its own "
                              "configuration put back since "),
             qPrintable(m_err));
    QVERIFY(m_err.endsWith("; put it back with: tarvenpad restore --serial 11\n"));
    QCOMPARE(run({"restore", "--serial", "11"}), 0);
    QCOMPARE(m_out,
             QString("unit 2 (serial 11): its own configuration is back, read back equal\n"));
    QCOMPARE(dataReports(state().devices[0]), 2 * 95);
    QCOMPARE(RestoreJournal().pending().size(), 0);
}

QTEST_GUILESS_MAIN(TestToolUnits)
#include "tst_ToolUnits.moc"

// Units attached at the start and each one plugged in after, once per plug-in (a unit listed
// at the start and then reported is one plug-in): one that holds the file already is only
// read; one plugged in again while it is being programmed gets a second round after the first.
void TestToolUnits::watchProgramsEachPlugIn() {
    QCOMPARE(run({"write", m_file, "--unit", "1"}), 0);
    const int stores = dataReports(state().devices[0]);
    state().devices.append(fakeEncoder(7, '3'));
    state().devices.last().unplugged = true;
    m_sysfs->attach("hidraw7", "1-3", 7);
    ScriptedMonitor monitor;
    monitor.nodes = QStringList{"/dev/hidraw3", "/dev/hidraw7"};
    const QString log = m_dir.filePath("watch.csv");
    QCOMPARE(run({"watch", m_file, "--log", log}, &monitor), 0);
    QCOMPARE(dataReports(state().devices[0]), stores);
    for (const char* line :
         {"  11  already programmed  ", "  22  programmed  ", "  33  programmed  "})
        QCOMPARE(m_out.count(line), 1);
    QVERIFY(m_out.endsWith("programmed: 2, already programmed: 1, failed: 0\n"));
    QFile csv(log);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll().count('\n'), 4);
}

void TestToolUnits::watchEndsOnSignal_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
}

// Stopped while both units are being programmed: they finish, the summary follows.
void TestToolUnits::watchEndsOnSignal() {
    QFETCH(int, signal);
    ScriptedMonitor monitor;
    monitor.signal = signal;
    QCOMPARE(run({"watch", m_file}, &monitor), 0);
    QVERIFY2(m_out.endsWith("programmed: 2, already programmed: 0, failed: 0\n"),
             qPrintable(m_out));
    QCOMPARE(unitsWritten(), 2);
}

void TestToolUnits::fiveEncoders_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("written"); // units
    QTest::newRow("units") << QStringList{"units"} << 0 << 0;
    QTest::newRow("units --json") << QStringList{"units", "--json"} << 0 << 0;
    QTest::newRow("write --all") << QStringList{"write", m_file, "--all"} << 5 << 4;
    QTest::newRow("read --serial of the fifth")
        << QStringList{"read", m_dir.filePath("5.TPD"), "--serial", "55"} << 5 << 0;
    QTest::newRow("watch, all at once") << QStringList{"watch", m_file} << 0 << 5;
}

// Five encoders, the last by node number past the four units a command names: watch programs
// every one, the others say what they leave out.
void TestToolUnits::fiveEncoders() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(int, written);
    for (const int node : {6, 8, 10}) {
        state().devices.append(fakeEncoder(node, char('0' + state().devices.size() + 1)));
        m_sysfs->attach(QString("hidraw%1").arg(node), QString("1-%1").arg(node), node);
    }
    ScriptedMonitor monitor;
    QCOMPARE(run(args, &monitor), status);
    QCOMPARE(unitsWritten(), written);
    const bool watch = args[0] == "watch";
    QCOMPARE(m_err.contains("tarvenpad: warning: serial 55 (/dev/hidraw10) left out: commands "
                            "name units 1 "
                            "to 4 only; 'tarvenpad watch' programs every encoder\n"),
             !watch);
    if (watch)
        QVERIFY2(m_out.endsWith("programmed: 5, already programmed: 0, failed: 0\n"),
                 qPrintable(m_out));
    QCOMPARE(state().openHandles, 0);
}
