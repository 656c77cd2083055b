// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedTransferUi.h"
#include "device/AccessSetup.h"
#include "device/DeviceLink.h"
#include "device/EmulatedAccess.h"
#include "model/Configuration.h"

#include <QProcess>
#include <QtTest>
#include <grp.h>
#include <unistd.h>

using Event = EmulatedAccess::Event;
using Kind = EmulatedAccess::Event::Kind;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

// "O2" for an open of unit 2, "F3" a failed open, "C1" a close; exchanges are left out.
QStringList openCloseTrace(const QList<Event>& events) {
    QStringList out;
    for (const Event& e : events) {
        switch (e.kind) {
        case Kind::Open:
            out << QString("O%1").arg(e.unit);
            break;
        case Kind::OpenFailed:
            out << QString("F%1").arg(e.unit);
            break;
        case Kind::Close:
            out << QString("C%1").arg(e.unit);
            break;
        default:
            break;
        }
    }
    return out;
}

QList<Event> exchanges(const QList<Event>& events) {
    QList<Event> out;
    for (const Event& e : events)
        if (e.kind == Kind::Exchange || e.kind == Kind::FailedExchange)
            out << e;
    return out;
}

DeviceImage sampleImage() {
    DeviceImage image;
    for (int i = 1; i <= 93; ++i)
        image.set(i, quint8(i * 3));
    return image;
}

} // namespace

class TestDeviceLink : public QObject {
    Q_OBJECT
private slots:
    void transfer_data();
    void transfer();
    void failureAtLocation50();
    void failureAtEveryExchange();
    void unitDetection_data();
    void unitDetection();
    void cancelledChoiceOpensNothing();
    void formatSerial_data();
    void formatSerial();
    void imageFromConfiguration();
    void receivedImageAppliedWithRules();
    void groupsAsIdSays();
};

void TestDeviceLink::transfer_data() {
    QTest::addColumn<bool>("write");
    QTest::newRow("write") << true;
    QTest::newRow("read") << false;
}

// Every location in order, the closing write after a write, the progress before each
// exchange, and the window's events processed meanwhile: a timer fires during the transfer.
void TestDeviceLink::transfer() {
    QFETCH(bool, write);
    EmulatedAccess access(1);
    const DeviceImage image = sampleImage();
    if (!write)
        access.unit(1).memory = image;
    ScriptedTransferUi ui;
    ui.runEvents = true;
    int ticks = 0;
    QTimer timer;
    timer.callOnTimeout([&ticks] { ++ticks; });
    timer.start(0);
    DeviceLink link(access, ui, ui);
    DeviceImage read;
    QCOMPARE(write ? link.SendImage(DeviceIdentifier, image)
                   : link.ReceiveImage(DeviceIdentifier, read),
             TransferResult::Success);
    QVERIFY(ticks > 0);

    const QList<Event> ex = exchanges(access.events());
    QCOMPARE(ex.size(), write ? 95 : 94);
    for (int i = 1; i <= 94; ++i)
        QCOMPARE(ex[i - 1].request,
                 bytes({2, write ? 0x81 : 0x82, 0, i, write ? image.at(i) : 0, 0}));
    QCOMPARE(ex[93].request.at(4), '\0'); // location 94 always 0
    if (write)
        QCOMPARE(ex[94].request, bytes({2, 0x81, 0, 0xFE, 0x9A, 0}));
    QCOMPARE(access.unit(1).closingWrites, write ? 1 : 0);
    QCOMPARE(access.unit(1).memory, image);
    if (!write)
        QCOMPARE(read, image);
    QCOMPARE(openCloseTrace(access.events()), (QStringList{"F2", "O1", "C1"}));

    const QString way = write ? "write" : "read";
    QCOMPARE(ui.progress.size(), 94);
    QCOMPARE(ui.progress.first(), way + " 1/94");
    QCOMPARE(ui.progress[46], way + " 47/94");
    QCOMPARE(ui.progress.last(), way + " 94/94");
    QCOMPARE(ui.detectingShown, 0);
}

void TestDeviceLink::failureAtLocation50() {
    EmulatedAccess access(1);
    access.failExchangeAt(50);
    ScriptedTransferUi ui;
    DeviceLink link(access, ui, ui);
    const DeviceImage image = sampleImage();
    QCOMPARE(link.SendImage(DeviceIdentifier, image), TransferResult::IoError);
    for (int i = 1; i <= 94; ++i)
        QCOMPARE(access.unit(1).memory.at(i),
                 i < 50 ? image.at(i) : EmulatedUnit::factoryMemory().at(i));
    QCOMPARE(access.unit(1).closingWrites, 0);
    QCOMPARE(exchanges(access.events()).size(), 50);
    QCOMPARE(access.openUnits(), 0);
    QCOMPARE(openCloseTrace(access.events()), (QStringList{"F2", "O1", "C1"}));
}

void TestDeviceLink::failureAtEveryExchange() {
    // Two units, so the serial exchanges of the unit choice can fail too.
    for (int write = 0; write < 2; ++write) {
        for (int n = 1; n <= 97; ++n) {
            EmulatedAccess access(2);
            access.failExchangeAt(n);
            ScriptedTransferUi ui;
            ui.choice = 2;
            DeviceLink link(access, ui, ui);
            DeviceImage image = sampleImage();
            TransferResult r;
            if (write) {
                r = link.SendImage(DeviceIdentifier, image);
                QCOMPARE(access.unit(2).closingWrites, n <= 2 ? 1 : 0);
            } else {
                r = link.ReceiveImage(DeviceIdentifier, image);
            }
            // Exchanges 1 and 2 are the serial requests, whose failures go unreported.
            const int lastExchange = write ? 97 : 96;
            QCOMPARE(r, n <= 2 || n > lastExchange ? TransferResult::Success
                                                   : TransferResult::IoError);
            QCOMPARE(access.openUnits(), 0);
        }
    }
}

void TestDeviceLink::unitDetection_data() {
    QTest::addColumn<QList<int>>("attached");
    QTest::addColumn<int>("offered");       // 0: no choice shown
    QTest::addColumn<QStringList>("trace"); // opens and closes of the unit choice
    QTest::addColumn<QStringList>("serials");
    QTest::newRow("{1}") << QList<int>{1} << 0 << QStringList{"F2"} << QStringList{};
    QTest::newRow("{1,2}") << QList<int>{1, 2} << 2 << QStringList{"O2", "C2", "O1", "C1", "F3"}
                           << QStringList{"11", "22", "", ""};
    QTest::newRow("{1,2,4}") << QList<int>{1, 2, 4} << 2
                             << QStringList{"O2", "C2", "O1", "C1", "F3"}
                             << QStringList{"11", "22", "", ""};
    QTest::newRow("{2,3}") << QList<int>{2, 3} << 3
                           << QStringList{"O2", "C2", "F1", "O3", "C3", "F4"}
                           << QStringList{"", "22", "33", ""};
    QTest::newRow("{1,2,3,4}") << QList<int>{1, 2, 3, 4} << 4
                               << QStringList{"O2", "C2", "O1", "C1", "O3", "C3", "O4", "C4"}
                               << QStringList{"11", "22", "33", "44"};
}

void TestDeviceLink::unitDetection() {
    QFETCH(QList<int>, attached);
    QFETCH(int, offered);
    QFETCH(QStringList, trace);
    QFETCH(QStringList, serials);
    EmulatedAccess access;
    access.setAttached(attached);
    ScriptedTransferUi ui;
    DeviceLink link(access, ui, ui);
    const int unit = link.ChooseUnit(DeviceIdentifier);
    QCOMPARE(unit, 1);
    QCOMPARE(openCloseTrace(access.events()), trace);
    QCOMPARE(ui.offeredCount, offered);
    QCOMPARE(ui.offeredSerials, serials);
    QCOMPARE(ui.detectingShown, offered ? 1 : 0);
    for (const Event& e : exchanges(access.events()))
        QCOMPARE(e.request.left(5), bytes({2, 0x84, 0, 0, 0}));

    // Unit 1 offered but missing: the transfer's own open reports it.
    if (!attached.contains(1)) {
        DeviceImage image;
        QCOMPARE(link.ReceiveImage(DeviceIdentifier, image), TransferResult::DeviceNotFound);
        QCOMPARE(access.openUnits(), 0);
    }
}

void TestDeviceLink::cancelledChoiceOpensNothing() {
    EmulatedAccess access(2);
    ScriptedTransferUi ui;
    ui.choice = 0;
    DeviceLink link(access, ui, ui);
    QCOMPARE(link.SendImage(DeviceIdentifier, sampleImage()), TransferResult::Cancelled);
    QCOMPARE(openCloseTrace(access.events()), (QStringList{"O2", "C2", "O1", "C1", "F3"}));
    QVERIFY(ui.progress.isEmpty());
    QCOMPARE(access.unit(1).memory, EmulatedUnit::factoryMemory());

    EmulatedAccess none(0);
    DeviceLink noUnit(none, ui, ui);
    QCOMPARE(noUnit.SendImage(DeviceIdentifier, sampleImage()), TransferResult::DeviceNotFound);
    QVERIFY(ui.progress.isEmpty());
}

void TestDeviceLink::formatSerial_data() {
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<QString>("text");
    QTest::newRow("0123") << QByteArray("0123") << "1236";
    QTest::newRow("0042") << QByteArray("0042") << "426";
    QTest::newRow("0000") << QByteArray("0000") << "00";
    QTest::newRow("empty") << QByteArray(4, '\0') << "0";
    QTest::newRow("stops at zero") << QByteArray("12\0"
                                                 "9",
                                                 4)
                                   << "123";
    QTest::newRow("letters count 0") << QByteArray("AB07") << "AB077";
    QTest::newRow("9999") << QByteArray("9999") << "99996";
    QTest::newRow("high byte") << QByteArray("\xE9"
                                             "1\0\0",
                                             4)
                               << QString::fromLatin1("\xE9") + "11";
}

void TestDeviceLink::formatSerial() {
    QFETCH(QByteArray, serial);
    QFETCH(QString, text);
    SerialBytes b{};
    for (int i = 0; i < 4; ++i)
        b[i] = quint8(serial.at(i));
    QCOMPARE(FormatSerial(b), text);
}

void TestDeviceLink::imageFromConfiguration() {
    Configuration c;
    c.setKeyCode(0, 0x29);
    c.setControl(0, true);
    c.setKeyCode(45, 0xEA);
    c.applyModifierByte(45, 1);
    c.applyOptionsByte(31);
    const DeviceImage image = BuildDeviceImage(c);
    QCOMPARE(int(image.at(1)), 9);
    QCOMPARE(int(image.at(2)), 0x29);
    QCOMPARE(int(image.at(3)), 8);
    QCOMPARE(int(image.at(91)), 1);
    QCOMPARE(int(image.at(92)), 0xEA);
    QCOMPARE(int(image.at(93)), 31);
    QCOMPARE(int(image.at(94)), 0);
}

void TestDeviceLink::receivedImageAppliedWithRules() {
    DeviceImage image = EmulatedUnit::factoryMemory();
    image.set(1, 7);   // input 1: modifiers and repeat -> repeat only
    image.set(2, 200); // not in the table: kept
    image.set(73, 7);  // rotary 1A keeps all four
    image.set(93, 8 | 1);
    Configuration c;
    c.setOption(Configuration::Option::ReverseY, true);
    QList<Configuration::Option> order;
    connect(&c, &Configuration::optionChanged, this,
            [&order](Configuration::Option o, bool) { order << o; });
    ApplyDeviceImage(c, image);
    QCOMPARE(int(c.modifierByte(0)), 0);
    QCOMPARE(c.slot(0).keyTag(), QString("200"));
    QVERIFY(c.slot(36).control && c.slot(36).shift && c.slot(36).alt && c.slot(36).repeat);
    QVERIFY(c.aux().rotaryOnAux && c.aux().reverseX && !c.aux().reverseY);
    QCOMPARE(order, (QList<Configuration::Option>{Configuration::Option::ReverseX,
                                                  Configuration::Option::ReverseY,
                                                  Configuration::Option::RotaryOnAux}));
}

// The groups the access advice goes by are the ones `id -G` gives this process.
void TestDeviceLink::groupsAsIdSays() {
    QProcess id;
    id.start("id", {"-G"});
    if (!id.waitForFinished() || id.exitCode() != 0)
        QSKIP("id cannot be run here");
    QSet<uint> expected;
    for (const QByteArray& g : id.readAllStandardOutput().simplified().split(' '))
        expected << g.toUInt();
    const QList<uint> groups = AccessSetup::processGroups();
    QCOMPARE(QSet<uint>(groups.begin(), groups.end()), expected);
    const struct group* plugdev = getgrnam("plugdev");
    QCOMPARE(AccessSetup::probe().inPlugdev, plugdev && expected.contains(plugdev->gr_gid));
    // Only the primary group (root in a container): again with supplementary ones, plugdev's
    // among them.
    if (expected.size() == 1 && geteuid() == 0 && !qEnvironmentVariableIsSet("REGROUPED")) {
        QProcess again;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("REGROUPED", "1");
        again.setProcessEnvironment(env);
        again.start("setpriv",
                    {"--groups=4,46", QCoreApplication::applicationFilePath(), "groupsAsIdSays"});
        QVERIFY(again.waitForFinished(60000));
        QVERIFY2(again.exitCode() == 0, again.readAllStandardOutput().constData());
    }
}

QTEST_GUILESS_MAIN(TestDeviceLink)
#include "tst_DeviceLink.moc"
