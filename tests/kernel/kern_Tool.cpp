// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tool against units that the kernel sees as real USB devices: hidapi's
// hidraw backend, usbhid, hidraw and udev with our rule all in the path. Runs inside the VM.
#include "FirmwareUnit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr int ImageSize = 94;
bool soakNamed = false;
constexpr int Plugdev = 46; // Debian's fixed gid
constexpr int Someone = 1000;

struct Run {
    int status = -1;
    QString out, err;
    qint64 ms = 0;
};

// The tool as a user runs it; `groups` empty runs it as root, otherwise as an ordinary user
// with those supplementary groups (none: {0} is replaced by no group at all).
Run tool(const QStringList& args, const QList<int>& groups = {}) {
    QProcess p;
    QStringList command{QStringLiteral(TOOL)};
    if (!groups.isEmpty()) {
        QStringList ids;
        for (int g : groups)
            if (g != 0)
                ids << QString::number(g);
        command = QStringList{"setpriv", QStringLiteral("--reuid=%1").arg(Someone),
                              QStringLiteral("--regid=%1").arg(Someone),
                              ids.isEmpty() ? "--clear-groups" : "--groups=" + ids.join(',')} +
                  command;
    }
    QElapsedTimer t;
    t.start();
    const QString program = command.takeFirst();
    p.start(program, command + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError()), t.elapsed()};
}

QString writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(QStringLiteral("/tmp/work/") + name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return f.fileName();
}

QByteArray readFile(const QString& name) {
    QFile f(QStringLiteral("/tmp/work/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What a write followed by its read-back looks like at the unit, request by request.
QStringList writeExchanges(const QByteArray& image) {
    QStringList r;
    for (int l = 1; l <= ImageSize; ++l)
        r << QStringLiteral("store %1 %2").arg(l).arg(quint8(image[l - 1]));
    r << "close";
    for (int l = 1; l <= ImageSize; ++l)
        r << QStringLiteral("fetch %1").arg(l);
    return r;
}

using Units = std::vector<std::unique_ptr<FirmwareUnit>>;

// The lines of `watch`'s CSV log so far, without its header.
QStringList logLines(const QString& path) {
    QStringList lines = QString::fromUtf8(readFile(path)).split('\n', Qt::SkipEmptyParts);
    return lines.mid(1);
}

bool waitForLines(const QString& path, int count, int ms = 60000) {
    QElapsedTimer t;
    t.start();
    while (logLines(path).size() < count && t.elapsed() < ms)
        QThread::msleep(100);
    return logLines(path).size() >= count;
}

// Whether udev tagged the node for the user at the seat (uaccess, which logind turns into an
// ACL for the seat's session).
bool forTheSeat(const QString& node) {
    QProcess info;
    info.start("udevadm", {"info", "--query=property", node});
    info.waitForFinished();
    return info.readAllStandardOutput().contains(":uaccess:");
}

// Every pressable slot (rotaries on AUX on) a plain key of its own, not the ones identify
// writes: keys 0x04 to 0x31 shuffled.
QByteArray distinctKeys() {
    QByteArray image(ImageSize, 0);
    QList<int> keys;
    for (int key = 0x04; key <= 0x31; ++key)
        keys << key;
    std::shuffle(keys.begin(), keys.end(), QRandomGenerator(5));
    for (int slot = 0; slot < 46; ++slot) {
        image[2 * slot] = 8;
        image[2 * slot + 1] = char(keys[slot]);
    }
    image[92] = 8 | 2;
    return image;
}

// `tarvenpad identify --json` on one unit, once it has said that the inputs may be pressed.
struct Identify {
    QProcess process;
    QByteArray err;
    explicit Identify(const FirmwareUnit& unit) {
        process.start(TOOL, {"identify", "--json", "--serial", unit.serialText()});
    }
    bool ready() {
        return QTest::qWaitFor(
            [&] { return (err += process.readAllStandardError()).contains("press the inputs"); },
            120000);
    }
    // The next press it printed.
    QJsonObject next() {
        if (!QTest::qWaitFor([&] { return process.canReadLine(); }, 30000))
            return {};
        return QJsonDocument::fromJson(process.readLine()).object();
    }
    // The nodes it has open.
    QStringList opened() const {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(process.processId()));
        QStringList nodes;
        for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
            nodes << fd.symLinkTarget();
        return nodes;
    }
    // Ctrl+C, and the unit's own configuration back.
    int end() {
        ::kill(pid_t(process.processId()), SIGINT);
        process.waitForFinished(120000);
        err += process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
};

QStringList journal() {
    return QDir("/tmp/work/state/tarvenpad").entryList(QDir::Files);
}

} // namespace

class KernelTool : public QObject {
    Q_OBJECT
private:
    Units plug(const QList<QStringList>& options, const QList<QByteArray>& memories = {}) {
        static const QStringList serials{"0417", "1293", "0042", "5555", "0815", "2024"};
        Units units;
        for (int i = 0; i < options.size(); ++i)
            units.push_back(
                std::make_unique<FirmwareUnit>(i, serials[i], options[i], memories.value(i)));
        for (auto& u : units)
            if (!u->plugged())
                qWarning("a unit did not appear");
        return units;
    }

private slots:
    void initTestCase() {
        QDir("/tmp/work").removeRecursively();
        QDir().mkpath("/tmp/work");
        QFile::setPermissions("/tmp/work", QFileDevice::Permissions(0x7777));
        QDir::setCurrent("/tmp/work");
        qputenv("XDG_STATE_HOME", "/tmp/work/state");
    }

    // Four units, one with a keyboard interface beside its vendor one: each listed once, by
    // the node that takes requests, with the serial its firmware gives. (The kernel's f_hid
    // has four functions at most, so the fourth unit is a uhid device.)
    void listsUnits() {
        Units units = plug({{}, {}, {"--keyboard"}, {"--transport", "uhid"}});
        QCOMPARE(tool({"units"}).status, 0);
        const Run json = tool({"units", "--json"});
        QCOMPARE(json.status, 0);
        const QJsonArray listed = QJsonDocument::fromJson(json.out.toUtf8()).array();
        QCOMPARE(listed.size(), 4);
        QStringList serials, expected;
        for (const QJsonValue& u : listed) {
            serials << u["serial"].toString();
            QCOMPARE(u["access"].toString(), QStringLiteral("ok"));
        }
        for (auto& u : units)
            expected << u->serialText();
        serials.sort();
        expected.sort();
        QCOMPARE(serials, expected);
        bool keyboardUnitListed = false;
        for (const QJsonValue& u : listed)
            keyboardUnitListed |= u["path"].toString() == units[2]->node();
        QVERIFY(keyboardUnitListed);
    }

    // Write (with its read-back), read and diff, with requests as interrupt OUT transfers and
    // as SET_REPORT on the control pipe: the unit's memory is the file, byte for byte, and
    // the exchanges come in the program's order.
    void transfers_data() {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("interrupt OUT") << QStringList{};
        QTest::newRow("SET_REPORT") << QStringList{"--no-out-endpoint"};
    }
    void transfers() {
        QFETCH(QStringList, options);
        Units units = plug({options});
        const QByteArray image = randomImage(7);
        const Run written = tool({"write", writeFile("w.TPD", tpdFile(image))});
        QVERIFY2(written.status == 0, qPrintable(written.err));
        QCOMPARE(units[0]->memory(), image);
        QCOMPARE(units[0]->requests(), writeExchanges(image));
        const auto log = units[0]->timedRequests();
        const double write = log[ImageSize].first - log[0].first;
        const double read = log.last().first - log[ImageSize + 1].first;
        qInfo("%s: write %.1f ms (95 exchanges), read back %.1f ms (94), tool %lld ms in all",
              QTest::currentDataTag(), write, read, written.ms);

        QCOMPARE(tool({"read", "r.TPD"}).status, 0);
        QCOMPARE(readFile("r.TPD"), tpdFile(image));
        QCOMPARE(tool({"diff", "w.TPD"}).status, 0);
        QCOMPARE(tool({"diff", writeFile("other.TPD", tpdFile(randomImage(8)))}).status, 7);
        QVERIFY(!units[0]->requests().mid(2 * ImageSize + 1).contains("close"));
    }

    // --all on four units, each first backed up into its own file.
    void writesAllWithBackups() {
        QList<QByteArray> old;
        for (int i = 0; i < 4; ++i)
            old << randomImage(20 + i);
        Units units = plug({{}, {}, {}, {}}, old);
        const QByteArray image = randomImage(9);
        const Run run = tool({"write", writeFile("all.TPD", tpdFile(image)), "--all", "--backup",
                              "old-{unit}-{serial}.TPD"});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QJsonArray listed =
            QJsonDocument::fromJson(tool({"units", "--json"}).out.toUtf8()).array();
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(units[i]->memory(), image);
            for (const QJsonValue& u : listed)
                if (u["serial"].toString() == units[i]->serialText())
                    QCOMPARE(readFile(QStringLiteral("old-%1-%2.TPD")
                                          .arg(u["unit"].toInt())
                                          .arg(units[i]->serialText())),
                             tpdFile(old[i]));
        }
    }

    // One of four pulled out during --all: the other three are written and verified.
    void writesAllWithOneUnplugged() {
        Units units = plug({{}, {"--unplug-at", "40"}, {}, {}});
        const QByteArray image = randomImage(10);
        const Run run = tool({"write", writeFile("all.TPD", tpdFile(image)), "--all"});
        QCOMPARE(run.status, 6);
        QCOMPARE(run.out.count("programmed and verified"), 3);
        QCOMPARE(run.err.count("tarvenpad: "), 1);
        for (int i : {0, 2, 3})
            QCOMPARE(units[i]->memory(), image);
        QVERIFY(!units[1]->requests().contains("close"));
    }

    // Our rule on real udevd: plugdev and the seat's user get the node, nobody else; a member
    // of plugdev programs the unit. The unit's keyboard goes to the seat's user alone (the
    // suite has no seat, so the tag is what is checked): plugdev cannot read its presses.
    void access() {
        Units units = plug({{"--keyboard"}});
        struct stat st {};
        QCOMPARE(stat(qPrintable(units[0]->node()), &st), 0);
        QCOMPARE(int(st.st_gid), Plugdev);
        QCOMPARE(int(st.st_mode & 0777), 0660);
        QProcess info;
        info.start("udevadm", {"info", "--query=property", units[0]->node()});
        info.waitForFinished();
        QVERIFY(info.readAllStandardOutput().contains(":uaccess:"));

        const QByteArray image = randomImage(11);
        const QString file = writeFile("user.TPD", tpdFile(image));
        const Run outsider = tool({"write", file}, {0});
        QCOMPARE(outsider.status, 8);
        QVERIFY2(outsider.err.contains("\n    sudo usermod -aG plugdev $USER"),
                 qPrintable(outsider.err));
        QVERIFY(units[0]->requests().isEmpty());
        const Run member = tool({"write", file}, {Plugdev});
        QVERIFY2(member.status == 0, qPrintable(member.err));
        QCOMPARE(units[0]->memory(), image);

        const QStringList keys = units[0]->eventNodes();
        QCOMPARE(keys.size(), 1);
        QVERIFY(forTheSeat(keys[0]));
        QCOMPARE(stat(qPrintable(keys[0]), &st), 0);
        QVERIFY(int(st.st_gid) != Plugdev && !(st.st_mode & 0007));
        const Run identify = tool({"identify"}, {Plugdev});
        QCOMPARE(identify.status, 8);
        QCOMPARE(units[0]->requests().filter("store").size(), ImageSize);
    }

    // Pulled out in the middle of a write or a read: an I/O error, nothing half-saved.
    void unplugged_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("write") << "write";
        QTest::newRow("read") << "read";
    }
    void unplugged() {
        QFETCH(QString, command);
        const QByteArray old = randomImage(12);
        Units units = plug({{"--unplug-at", "40"}}, {old});
        const QString file = writeFile("u.TPD", tpdFile(randomImage(13)));
        const Run run = tool({command, command == "write" ? file : "fresh.TPD"});
        QCOMPARE(run.status, 6);
        QVERIFY2(run.err.startsWith("tarvenpad: "), qPrintable(run.err));
        QVERIFY(!QFile::exists("/tmp/work/fresh.TPD"));
        QCOMPARE(units[0]->requests().size(), 41); // 40 requests, then "unplugged"
        QVERIFY(!units[0]->requests().contains("close"));
    }

    // Units that misbehave: a clear error or a correct result, never a hang, and nothing
    // taken for an answer that is not one.
    void misbehaving_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("status");
        QTest::newRow("takes no requests") << QStringList{"--deaf"} << 6;
        QTest::newRow("falls silent at store 10") << QStringList{"--silent-at", "10"} << 6;
        QTest::newRow("answers 300 ms late") << QStringList{"--late", "300"} << 0;
        QTest::newRow("answers 1.5 s late") << QStringList{"--late", "1500"} << 6;
        QTest::newRow("floods status reports") << QStringList{"--flood", "20"} << 0;
        QTest::newRow("short answers") << QStringList{"--short"} << 6;
        // usbhid refuses a transfer longer than the endpoint's packets: no answer at all.
        QTest::newRow("oversized answers") << QStringList{"--oversized"} << 6;
    }
    void misbehaving() {
        QFETCH(QStringList, options);
        QFETCH(int, status);
        Units units = plug({options});
        const QByteArray image = randomImage(14);
        const Run run = tool({"write", writeFile("m.TPD", tpdFile(image))});
        QCOMPARE(run.status, status);
        if (status == 0) {
            QCOMPARE(units[0]->memory(), image);
            return;
        }
        QVERIFY2(run.err.startsWith("tarvenpad: "), qPrintable(run.err));
        // The exchange that gets no answer ends a second after its request; the kernel's own
        // USB time-out (5 s) is not waited for. What the tool takes to start and to get that
        // far is measured by the same run against a unit that answers.
        Units good;
        units.clear();
        good = plug({{}});
        const qint64 normal = tool({"write", writeFile("m.TPD", tpdFile(image))}).ms;
        qInfo("%s: ended after %lld ms; a whole write takes %lld ms", QTest::currentDataTag(),
              run.ms, normal);
        QVERIFY2(run.ms < normal + 3000, qPrintable(QString::number(run.ms)));
    }

    // A keyboard of another maker that carries the product number: not a unit, never sent a
    // request, and not opened to plugdev or the seat by our rule.
    void foreignDevice() {
        Units units = plug({{"--foreign", "--vendor", "0x046d"}});
        const QString node = units[0]->node();
        QVERIFY(!node.isEmpty());
        QCOMPARE(tool({"units"}).status, 5);
        QCOMPARE(tool({"write", writeFile("f.TPD", tpdFile(randomImage(15)))}).status, 5);
        struct stat st {};
        QCOMPARE(stat(qPrintable(node), &st), 0);
        QVERIFY(int(st.st_gid) != Plugdev);
        QCOMPARE(int(st.st_mode & 0077), 0);
        QVERIFY(units[0]->requests().filter("other 2").isEmpty());
        QCOMPARE(units[0]->eventNodes().size(), 1);
        QVERIFY(!forTheSeat(units[0]->eventNodes()[0]));
    }

    // Identify on a unit with a keyboard interface, every slot pressed once in a random order
    // by the firmware: each press names its slot; Ctrl+C puts the unit's own configuration
    // back byte for byte, and a unit whose keys identify it already is never written. A
    // foreign keyboard pressed meanwhile is neither opened nor read.
    void identifies_data() {
        QTest::addColumn<QByteArray>("own");
        QTest::addColumn<bool>("foreign");
        QByteArray duplicates = randomImage(24), beside = randomImage(25);
        duplicates[92] = char(duplicates[92] | 8); // Rotary-5 on AUX: 46 slots
        beside[92] = char(beside[92] & ~8);        // 36 inputs
        QTest::newRow("keys all different: nothing written") << distinctKeys() << false;
        QTest::newRow("keys repeated: the temporary configuration") << duplicates << false;
        QTest::newRow("beside a foreign keyboard") << beside << true;
    }
    void identifies() {
        QFETCH(QByteArray, own);
        QFETCH(bool, foreign);
        Units units = foreign ? plug({{"--keyboard"}, {"--foreign", "--vendor", "0x046d"}},
                                     {own, distinctKeys()})
                              : plug({{"--keyboard"}}, {own});
        FirmwareUnit& unit = *units[0];
        Identify identify(unit);
        QVERIFY2(identify.ready(), identify.err.constData());
        if (foreign) {
            for (int slot = 0; slot < 10; ++slot)
                QVERIFY(units[1]->press(slot));
            QVERIFY(QTest::qWaitFor(
                [&] { return units[1]->requests().filter("press").size() == 10; }, 10000));
            QVERIFY(!identify.opened().contains(units[1]->eventNodes().value(0)));
            QVERIFY(identify.opened().contains(unit.eventNodes().value(0)));
        }
        QList<int> order;
        for (int slot = 0; slot < (own[92] & 8 ? 46 : 36); ++slot)
            order << slot;
        std::shuffle(order.begin(), order.end(), QRandomGenerator(6));
        QList<double> latencies;
        for (const int slot : order) {
            QVERIFY(unit.press(slot));
            const QJsonObject press = identify.next();
            const double now = std::chrono::duration<double, std::milli>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count();
            QCOMPARE(press["slot"].toInt(-1), slot);
            latencies << now - unit.timedRequests().last().first;
        }
        QCOMPARE(identify.end(), 0);
        const QByteArray rest = identify.process.readAll();
        QCOMPARE(rest.count('\n'), 1);
        const QJsonObject summary = QJsonDocument::fromJson(rest).object();
        QCOMPARE(summary["summary"]["notPressed"].toArray().size(), 0);
        QCOMPARE(unit.memory(), own);
        QCOMPARE(unit.requests().filter("close").size(), own == distinctKeys() ? 0 : 2);
        QVERIFY(journal().isEmpty());
        std::sort(latencies.begin(), latencies.end());
        qInfo("a press printed %.1f ms after the firmware sent it (median of %lld), worst %.1f ms",
              latencies[latencies.size() / 2], latencies.size(), latencies.last());
    }

    // identify --roles on a unit whose inputs the firmware presses: each prompt answered by a
    // press of a shuffled input, the unit's own keys written with the roles learnt (JSON by
    // the file's name), and the unit's own configuration back byte for byte.
    void learnsRoles() {
        QByteArray own = randomImage(28);
        own[92] = char(own[92] & ~8); // 36 inputs
        Units units = plug({{"--keyboard"}}, {own});
        FirmwareUnit& unit = *units[0];
        const QString file = QStringLiteral("/tmp/work/roles.json");
        QProcess identify;
        identify.start(
            TOOL, {"identify", "--roles", "1p6", "--output", file, "--serial", unit.serialText()});
        const QStringList names{"Up",       "Down",     "Left",     "Right",
                                "Button 1", "Button 2", "Button 3", "Button 4",
                                "Button 5", "Button 6", "Start 1",  "Coin 1"};
        const QStringList keys{"UP",      "DOWN",    "LEFT",    "RIGHT",   "BUTTON1", "BUTTON2",
                               "BUTTON3", "BUTTON4", "BUTTON5", "BUTTON6", "START1",  "COIN1"};
        QList<int> inputs;
        for (int slot = 0; slot < 36; ++slot)
            inputs << slot;
        std::shuffle(inputs.begin(), inputs.end(), QRandomGenerator(7));
        QByteArray err;
        for (int i = 0; i < 12; ++i) {
            const QString prompt = (i < 10 ? "Press Player 1 " : "Press ") + names[i];
            QVERIFY2(QTest::qWaitFor(
                         [&] {
                             err += identify.readAllStandardError();
                             return err.contains((prompt + '\n').toUtf8());
                         },
                         120000),
                     err.constData());
            QVERIFY(unit.press(inputs[i]));
        }
        QVERIFY(identify.waitForFinished(120000));
        QCOMPARE(identify.exitCode(), 0);
        QCOMPARE(unit.memory(), own);
        QVERIFY(journal().isEmpty());
        const QJsonArray entries =
            QJsonDocument::fromJson(readFile("roles.json"))["slots"].toArray();
        QCOMPARE(entries.size(), 46);
        QMap<int, QString> learnt, wanted;
        for (int i = 0; i < 12; ++i)
            wanted[inputs[i]] = (i < 10 ? "P1_" : "") + keys[i];
        for (const QJsonValue& slot : entries) {
            const int k = slot["slot"].toInt();
            QCOMPARE(slot["key"].toInt(), int(quint8(own[2 * k + 1])));
            if (slot["role"].isString())
                learnt[k] = slot["role"].toString();
        }
        QCOMPARE(learnt, wanted);
    }

    // Identify killed (SIGKILL) while the unit holds the temporary configuration: its own
    // stays in the journal, every unit command says so, and `restore` puts it back.
    void restoresAfterKill() {
        const QByteArray own = randomImage(26);
        Units units = plug({{"--keyboard"}}, {own});
        Identify identify(*units[0]);
        QVERIFY2(identify.ready(), identify.err.constData());
        QVERIFY(units[0]->press(3));
        QCOMPARE(identify.next()["slot"].toInt(), 3);
        identify.process.kill();
        QVERIFY(identify.process.waitForFinished());
        QVERIFY(units[0]->memory() != own);
        QCOMPARE(journal().size(), 1);
        const Run listed = tool({"units"});
        QVERIFY2(listed.err.contains("tarvenpad restore --serial"), qPrintable(listed.err));
        const Run restored = tool({"restore"});
        QVERIFY2(restored.status == 0, qPrintable(restored.err));
        QCOMPARE(units[0]->memory(), own);
        QVERIFY(journal().isEmpty());
        QVERIFY(!tool({"units"}).err.contains("restore"));

        // Killed again, then a new configuration written: the kept one never comes back.
        Identify killed(*units[0]);
        QVERIFY2(killed.ready(), killed.err.constData());
        killed.process.kill();
        QVERIFY(killed.process.waitForFinished());
        const QByteArray newer = randomImage(27);
        const Run written = tool({"write", writeFile("newer.TPD", tpdFile(newer))});
        QVERIFY2(written.status == 0 && !written.err.contains("restore"), qPrintable(written.err));
        QVERIFY(journal().isEmpty());
        Identify again(*units[0]);
        QVERIFY2(again.ready(), again.err.constData());
        QCOMPARE(again.end(), 0);
        QCOMPARE(tool({"restore"}).status, 0);
        QCOMPARE(units[0]->memory(), newer);
    }

    // A batch: units plugged in one after another and two at once are each programmed once,
    // one that holds the file already is only read, one pulled out at its 40th store fails
    // and is programmed when it comes back, and SIGTERM ends the watch after the transfer
    // that is running, with the summary.
    void watchesABatch() {
        const QByteArray image = randomImage(17);
        const QString file = writeFile("batch.TPD", tpdFile(image));
        QFile::remove("batch.csv");
        QProcess watch;
        watch.start(TOOL, {"watch", file, "--log", "batch.csv"});
        QVERIFY(watch.waitForStarted());
        QThread::msleep(500);
        auto a = std::make_unique<FirmwareUnit>(0, "0417");
        QVERIFY(a->plugged() && waitForLines("batch.csv", 1));
        auto b = std::make_unique<FirmwareUnit>(1, "1293", QStringList{}, image);
        QVERIFY(b->plugged() && waitForLines("batch.csv", 2));
        QVERIFY(b->requests().filter("store").isEmpty());
        auto c = std::make_unique<FirmwareUnit>(2, "0042", QStringList{"--unplug-at", "40"});
        QVERIFY(c->plugged() && waitForLines("batch.csv", 3));
        c->replug();
        QVERIFY(waitForLines("batch.csv", 4));
        a.reset();
        b.reset();
        auto d = std::make_unique<FirmwareUnit>(0, "5555");
        auto e = std::make_unique<FirmwareUnit>(1, "0815");
        QVERIFY(d->plugged() && e->plugged() && waitForLines("batch.csv", 6));
        c.reset();
        auto f = std::make_unique<FirmwareUnit>(2, "2024", QStringList{"--late", "20"});
        QVERIFY(f->plugged());
        QVERIFY(QTest::qWaitFor([&] { return !f->requests().filter("store").isEmpty(); }, 30000));
        watch.terminate();
        QVERIFY(watch.waitForFinished(60000));
        QCOMPARE(watch.exitCode(), 6); // c failed once
        QCOMPARE(f->memory(), image);
        for (auto* u : {d.get(), e.get()})
            QCOMPARE(u->memory(), image);

        const QStringList lines = logLines("batch.csv");
        QCOMPARE(lines.size(), 7);
        const auto result = [&](const QString& serial) {
            QStringList r;
            for (const QString& l : lines)
                if (l.section(',', 1, 1) == serial)
                    r << l.section(',', 3, 3);
            return r;
        };
        QCOMPARE(result("4172"), QStringList{"programmed"});
        QCOMPARE(result("12935"), QStringList{"already programmed"});
        QCOMPARE(result("426"), (QStringList{"failed", "programmed"}));
        QCOMPARE(result("55550"), QStringList{"programmed"});
        QCOMPARE(result("8154"), QStringList{"programmed"});
        QCOMPARE(result("20248"), QStringList{"programmed"});
        const QString out = QString::fromUtf8(watch.readAllStandardOutput());
        QVERIFY2(out.endsWith("programmed: 5, already programmed: 1, failed: 1 (426)\n"),
                 qPrintable(out));
    }

    // Five encoders, two USB gadgets and three uhid units (f_hid has four functions at most):
    // `units` names the one past unit 4 that it leaves out; `watch` programs all five.
    void fiveEncoders() {
        const QStringList uhid{"--transport", "uhid"};
        Units units = plug({{}, {}, uhid, uhid, uhid});
        const Run listed = tool({"units"});
        QCOMPARE(listed.status, 0);
        QCOMPARE(listed.out.count('\n'), 4);
        QVERIFY2(listed.err.contains(" left out: commands name units 1 to 4 only"),
                 qPrintable(listed.err));
        const QByteArray image = randomImage(21);
        const QString file = writeFile("five.TPD", tpdFile(image));
        QFile::remove("five.csv");
        QProcess watch;
        watch.start(TOOL, {"watch", file, "--log", "five.csv"});
        // Five transfers side by side in an emulated VM take their time.
        QVERIFY(watch.waitForStarted());
        QVERIFY2(waitForLines("five.csv", 5, 300000), qPrintable(readFile("five.csv")));
        watch.terminate();
        QVERIFY(watch.waitForFinished(60000));
        QCOMPARE(watch.exitCode(), 0);
        QCOMPARE(logLines("five.csv").size(), 5);
        for (auto& u : units)
            QCOMPARE(u->memory(), image);
        const QString out = QString::fromUtf8(watch.readAllStandardOutput());
        QVERIFY2(out.endsWith("programmed: 5, already programmed: 0, failed: 0\n"),
                 qPrintable(out));
    }

    // Without udevd no plug-in would ever be heard: watch says so and fails at once.
    void watchWithoutUdevd() {
        const QString file = writeFile("no-udevd.TPD", tpdFile(randomImage(22)));
        QProcess p;
        p.start("unshare",
                {"--mount", "sh", "-c", "mount -t tmpfs none /run/udev && exec \"$0\" watch \"$1\"",
                 TOOL, file});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 6);
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()),
                 QString("tarvenpad: cannot watch for units: udevd, which announces each device "
                         "plugged in, is not running or cannot be reached\n"));
    }

    // One unit plugged in and pulled out 100 times under watch: its threads, open descriptors
    // and resident memory at the end are those after the 10th time, within a small margin.
    // A uhid unit that holds the file already, so that a cycle is quick in an emulated VM.
    void watchSoak() {
        if (!soakNamed)
            QSKIP("the soak runs on its own, as kern_tool_soak");
        const QByteArray image = randomImage(23);
        const QString file = writeFile("soak.TPD", tpdFile(image));
        QFile::remove("soak.csv");
        QProcess watch;
        watch.start(TOOL, {"watch", file, "--log", "soak.csv"});
        QVERIFY(watch.waitForStarted());
        QThread::msleep(500);
        const QString proc = QStringLiteral("/proc/%1/").arg(watch.processId());
        const auto figures = [&] {
            QThread::msleep(500); // the last worker is joined at the watch's next look
            QFile file(proc + "status");
            const QString status =
                file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
            const auto field = [&](const char* name) {
                static const QRegularExpression number("\\d+");
                const int at = status.indexOf(name);
                return at < 0 ? -1 : number.match(status, at).captured().toInt();
            };
            return QList<int>{
                field("Threads:"),
                int(QDir(proc + "fd")
                        .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System)
                        .size()),
                field("VmRSS:")};
        };
        QList<int> tenth;
        for (int cycle = 1; cycle <= 100; ++cycle) {
            auto unit = std::make_unique<FirmwareUnit>(0, "0417",
                                                       QStringList{"--transport", "uhid"}, image);
            QVERIFY(unit->plugged() && waitForLines("soak.csv", cycle));
            unit.reset();
            if (cycle == 10)
                tenth = figures();
        }
        const QList<int> last = figures();
        watch.terminate();
        QVERIFY(watch.waitForFinished(60000));
        qInfo("after 10 cycles: %d threads, %d descriptors, %d kB resident; after 100: %d, "
              "%d, %d kB",
              tenth[0], tenth[1], tenth[2], last[0], last[1], last[2]);
        QCOMPARE(logLines("soak.csv").filter(",already programmed,").size(), 100);
        QVERIFY(last[0] <= tenth[0] + 1);
        QVERIFY(last[1] <= tenth[1] + 2);
        QVERIFY(last[2] <= tenth[2] + 2048);
    }

    // --serial names the same unit whatever order the units were plugged in.
    void serialFollowsTheUnit() {
        const QByteArray left = randomImage(18), right = randomImage(19);
        for (const bool swapped : {false, true}) {
            auto first = std::make_unique<FirmwareUnit>(0, swapped ? "1293" : "0417", QStringList{},
                                                        swapped ? right : left);
            QVERIFY(first->plugged());
            auto second = std::make_unique<FirmwareUnit>(1, swapped ? "0417" : "1293",
                                                         QStringList{}, swapped ? left : right);
            QVERIFY(second->plugged());
            QVERIFY(tool({"units"}).out.startsWith(swapped ? "1 12935" : "1 4172"));
            const Run missing = tool({"read", "x.TPD", "--serial", "99"});
            QCOMPARE(missing.status, 5);
            QVERIFY(missing.err.endsWith(swapped ? "attached: 12935, 4172\n"
                                                 : "attached: 4172, 12935\n"));
            QCOMPARE(tool({"read", "right.TPD", "--serial", "12935"}).status, 0);
            QCOMPARE(readFile("right.TPD"), tpdFile(right));
        }
    }

    // Units that are not on USB (Bluetooth, uhid) are told apart like USB ones.
    void unitsOffUsb() {
        Units units = plug({{"--transport", "uhid"}, {"--transport", "uhid"}});
        const QJsonArray listed =
            QJsonDocument::fromJson(tool({"units", "--json"}).out.toUtf8()).array();
        QCOMPARE(listed.size(), 2);
        const QByteArray image = randomImage(16);
        const Run run = tool({"write", writeFile("bt.TPD", tpdFile(image)), "--all"});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(units[0]->memory(), image);
        QCOMPARE(units[1]->memory(), image);
    }
};

// The soak runs for minutes in an emulated VM, longer than QtTest's default five: it runs
// only when named (kern_tool_soak), with a time-out of its own.
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        soakNamed |= QByteArray(argv[i]).startsWith("watchSoak");
    qputenv("QTEST_FUNCTION_TIMEOUT", "1200000");
    QCoreApplication app(argc, argv);
    KernelTool test;
    return QTest::qExec(&test, argc, argv);
}
#include "kern_Tool.moc"
