// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeHidapi.h"
#include "FakeSysfs.h"
#include "hidraw/EvdevKeySource.h"
#include "hidraw/HidapiAccess.h"

#include <QtTest>
#include <cerrno>
#include <thread>

using fakehid::Device;
using fakehid::state;

namespace {

// A unit that answers each request with [2, request bytes 1..5, value], seven payload bytes.
Device unitAt(const QString& path) {
    Device d;
    d.path = path;
    d.respond = [](const QByteArray& request) {
        QByteArray reply = request;
        reply.append(char(0x5A));
        return QList<QByteArray>{reply};
    };
    return d;
}

} // namespace

class TestHidapiAccess : public QObject {
    Q_OBJECT
private slots:
    void init() { fakehid::reset(); }
    void initialisesOnce();
    void unitNumbering();
    void framingAndClamping();
    void drainsStaleAndSkipsOtherReports();
    void silentUnitTimesOut();
    void unpluggedUnitFails_data();
    void unpluggedUnitFails();
    void openFailures();
    void numberingHeldForCommand_data();
    void numberingHeldForCommand();
    void keyboardNodes();

private:
    FakeSysfs m_sysfs; // empty unless a test links nodes into it
};

void TestHidapiAccess::initialisesOnce() {
    {
        HidapiAccess access(m_sysfs.root());
        state().devices = {unitAt("/dev/hidraw0")};
        DeviceRecord r;
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1), 0);
            access.CloseHidDevice(r);
        }
        QCOMPARE(state().initCalls, 1);
        QCOMPARE(state().exitCalls, 0);
    }
    QCOMPARE(state().exitCalls, 1);
    QCOMPARE(state().openHandles, 0);
    // hidapi's state is the process's: instances on many threads share one set-up, and their
    // calls on it take turns.
    {
        HidapiAccess first(m_sysfs.root());
        std::vector<std::thread> threads;
        for (int t = 0; t < 6; ++t)
            threads.emplace_back([this] {
                for (int i = 0; i < 30; ++i) {
                    HidapiAccess own(m_sysfs.root());
                    DeviceRecord r;
                    if (own.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1) == 0)
                        own.CloseHidDevice(r);
                }
            });
        for (std::thread& t : threads)
            t.join();
        QCOMPARE(state().initCalls, 2);
        QCOMPARE(state().exitCalls, 1);
    }
    QCOMPARE(state().exitCalls, 2);
    QCOMPARE(fakehid::libraryOverlaps(), 0);
}

void TestHidapiAccess::unitNumbering() {
    HidapiAccess access(m_sysfs.root());
    Device other = unitAt("/dev/hidraw1");
    other.product = 0x1111;
    Device keyboardSide = unitAt("/dev/hidraw3"); // same encoder, keyboard interface
    keyboardSide.serial = "X1";
    keyboardSide.interface = 0;
    Device vendorSide = unitAt("/dev/hidraw4");
    vendorSide.serial = "X1";
    vendorSide.interface = 1;
    vendorSide.usagePage = 0xFF00;
    Device twoUsages = unitAt("/dev/hidraw2"); // one node listed twice
    state().devices = {
        unitAt("/dev/hidraw10"), other, keyboardSide, twoUsages, twoUsages, vendorSide,
        unitAt("/dev/hidraw9")};
    QCOMPARE(access.unitPaths(DeviceIdentifier),
             (QStringList{"/dev/hidraw2", "/dev/hidraw4", "/dev/hidraw9", "/dev/hidraw10"}));
    DeviceRecord r;
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 5), 1);
    QCOMPARE(access.lastOpenFailure().kind, OpenFailure::Kind::NoSuchUnit);
    for (const auto& filter : state().enumerations)
        QCOMPARE(filter, (QPair<int, int>(0, 0x3650)));

    // Two nodes that sysfs puts on one USB device are one unit, whatever their serials say;
    // a keyboard with the product number is none.
    FakeSysfs sysfs;
    sysfs.attach("hidraw6", "1-4", 9);
    sysfs.attach("hidraw8", "1-4", 9);
    sysfs.attach("hidraw7", "1-5", 10);
    sysfs.attach("hidraw5", "1-6", 11, FakeSysfs::keyboardDescriptor());
    Device hid6 = unitAt("/dev/hidraw6"), hid8 = unitAt("/dev/hidraw8");
    hid8.usagePage = 0xFF00;
    state().devices = {hid6, unitAt("/dev/hidraw7"), hid8, unitAt("/dev/hidraw5")};
    QCOMPARE(HidapiAccess(sysfs.root()).unitPaths(DeviceIdentifier),
             (QStringList{"/dev/hidraw7", "/dev/hidraw8"}));
}

void TestHidapiAccess::framingAndClamping() {
    HidapiAccess access(m_sysfs.root());
    state().devices = {unitAt("/dev/hidraw0")};
    DeviceRecord r;
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1), 0);
    quint8 request[33] = {2, 0x82, 0, 17, 0, 0, 99, 99};
    quint8 reply[33];
    std::memset(reply, 0xEE, sizeof reply);
    QCOMPARE(access.WriteHidDevice(r, request, reply), 0);
    // Six request bytes went out, report ID first.
    QCOMPARE(state().devices[0].written,
             (QList<QByteArray>{QByteArray("\x02\x82\x00\x11\x00\x00", 6)}));
    // The payload after the report ID, cut at the reply length; nothing past it touched.
    const quint8 expected[7] = {0x82, 0, 17, 0, 0, 0x5A, 0xEE};
    QCOMPARE(QByteArray(reinterpret_cast<char*>(reply), 7),
             QByteArray(reinterpret_cast<const char*>(expected), 7));
    QCOMPARE(reply[32], quint8(0xEE));
    access.CloseHidDevice(r);
    QCOMPARE(access.WriteHidDevice(r, request, reply), 1); // a closed record is refused
}

void TestHidapiAccess::drainsStaleAndSkipsOtherReports() {
    HidapiAccess access(m_sysfs.root());
    Device d = unitAt("/dev/hidraw0");
    d.pending = {QByteArray("\x02stale1", 7), QByteArray("\x02stale2", 7)};
    d.respond = [](const QByteArray&) {
        return QList<QByteArray>{QByteArray("\x01keyboard", 9), QByteArray("\x02"
                                                                           "fresh!",
                                                                           7)};
    };
    state().devices = {d};
    DeviceRecord r;
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1), 0);
    quint8 request[6] = {2, 0x84, 0, 0, 0, 0};
    quint8 reply[6] = {};
    QCOMPARE(access.WriteHidDevice(r, request, reply), 0);
    QCOMPARE(QByteArray(reinterpret_cast<char*>(reply), 6), QByteArray("fresh!"));
    access.CloseHidDevice(r);
}

void TestHidapiAccess::silentUnitTimesOut() {
    HidapiAccess access(m_sysfs.root());
    Device d = unitAt("/dev/hidraw0");
    d.respond = nullptr;
    state().devices = {d};
    DeviceRecord r;
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1), 0);
    quint8 request[6] = {2, 0x82, 0, 1, 0, 0};
    quint8 reply[6] = {};
    QVERIFY(access.WriteHidDevice(r, request, reply) != 0);
    QVERIFY(!state().readTimeouts.isEmpty());
    for (int t : state().readTimeouts)
        QVERIFY(t > 0 && t <= 1000);
    access.CloseHidDevice(r);
}

void TestHidapiAccess::unpluggedUnitFails_data() {
    QTest::addColumn<bool>("beforeWrite");
    QTest::newRow("before the request") << true;
    QTest::newRow("while waiting for the answer") << false;
}

void TestHidapiAccess::unpluggedUnitFails() {
    QFETCH(bool, beforeWrite);
    HidapiAccess access(m_sysfs.root());
    Device d = unitAt("/dev/hidraw0");
    d.respond = [beforeWrite](const QByteArray&) {
        if (!beforeWrite)
            state().devices[0].unplugged = true;
        return QList<QByteArray>{};
    };
    state().devices = {d};
    DeviceRecord r;
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1), 0);
    state().devices[0].unplugged = beforeWrite;
    quint8 request[6] = {2, 0x81, 0, 1, 8, 0};
    quint8 reply[6] = {};
    QVERIFY(access.WriteHidDevice(r, request, reply) != 0);
    access.CloseHidDevice(r);
    QCOMPARE(state().openHandles, 0);
}

void TestHidapiAccess::openFailures() {
    HidapiAccess access(m_sysfs.root());
    Device d = unitAt("/dev/hidraw7");
    d.openErrno = EACCES;
    state().devices = {d};
    DeviceRecord r;
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1), 1);
    QCOMPARE(access.lastOpenFailure().kind, OpenFailure::Kind::AccessDenied);
    QCOMPARE(access.lastOpenFailure().path, QString("/dev/hidraw7"));
    QCOMPARE(access.lastOpenFailure().systemError, EACCES);
    state().devices.clear();
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 1), 1);
    QCOMPARE(access.lastOpenFailure().kind, OpenFailure::Kind::NoSuchUnit);
}

void TestHidapiAccess::numberingHeldForCommand_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("opened"); // the node that opening unit 2 reaches
    QTest::addColumn<bool>("unchanged");
    QTest::newRow("nothing") << ""
                             << "/dev/hidraw5" << true;
    // Unit 2 moves down the bus order but is still the unit that was chosen.
    QTest::newRow("plugged in at hidraw4") << "plug 4"
                                           << "/dev/hidraw5" << true;
    QTest::newRow("unit 2 pulled out") << "unplug 5"
                                       << "" << false;
    QTest::newRow("unit 2 back at hidraw4") << "move 5 to 4"
                                            << "" << false;
    QTest::newRow("hidraw5 taken by another encoder") << "swap 5"
                                                      << "/dev/hidraw5" << false;
    QTest::newRow("unit 3 pulled out") << "unplug 7"
                                       << "/dev/hidraw5" << true;
}

// Units at hidraw3, hidraw5 and hidraw7; a command begins, then the change happens.
void TestHidapiAccess::numberingHeldForCommand() {
    QFETCH(QString, change);
    QFETCH(QString, opened);
    QFETCH(bool, unchanged);
    FakeSysfs sysfs;
    for (int n : {3, 5, 7}) {
        state().devices.append(unitAt(QString("/dev/hidraw%1").arg(n)));
        sysfs.attach(QString("hidraw%1").arg(n), QString("1-%1").arg(n), n);
    }
    HidapiAccess access(sysfs.root());
    access.beginCommand();
    const QStringList words = change.split(' ');
    const auto unplug = [&](const QString& node) {
        for (Device& d : state().devices)
            d.unplugged |= d.path == "/dev/" + node;
        sysfs.detach(node);
    };
    if (words[0] == "plug") {
        state().devices.append(unitAt("/dev/hidraw4"));
        sysfs.attach("hidraw4", "1-9", 20);
    } else if (words[0] == "unplug") {
        unplug("hidraw" + words[1]);
    } else if (words[0] == "move") {
        unplug("hidraw5");
        state().devices.append(unitAt("/dev/hidraw4"));
        sysfs.attach("hidraw4", "1-5", 21);
    } else if (words[0] == "swap") {
        unplug("hidraw5");
        state().devices.append(unitAt("/dev/hidraw5"));
        sysfs.attach("hidraw5", "1-9", 22);
    }

    DeviceRecord r;
    const int before = state().openHandles;
    QCOMPARE(access.OpenHidDevice(DeviceIdentifier, 6, 6, r, 2) == 0, !opened.isEmpty());
    if (!opened.isEmpty()) {
        quint8 request[6] = {2, 0x84, 0, 0, 0, 0}, reply[6] = {};
        QCOMPARE(access.WriteHidDevice(r, request, reply), 0);
        QString reached;
        for (const Device& d : state().devices)
            if (!d.written.isEmpty())
                reached = d.path;
        QCOMPARE(reached, opened);
        access.CloseHidDevice(r);
    }
    QCOMPARE(state().openHandles, before);
    const int enumerations = int(state().enumerations.size());
    QCOMPARE(access.unitUnchanged(2), unchanged);
    QCOMPARE(int(state().enumerations.size()), enumerations + 1);
    if (!unchanged) {
        QCOMPARE(access.lastOpenFailure().kind, OpenFailure::Kind::UnitsChanged);
        QCOMPARE(access.lastOpenFailure().path, QString("/dev/hidraw5"));
    }
    access.endCommand();
    // Outside a command every open numbers the units afresh.
    QVERIFY(access.unitUnchanged(2));
}

QTEST_APPLESS_MAIN(TestHidapiAccess)
#include "tst_HidapiAccess.moc"

// The unit's keyboard node, not its mouse's, never that of a keyboard on another USB device.
void TestHidapiAccess::keyboardNodes() {
    FakeSysfs sysfs;
    sysfs.attach("hidraw3", "1-1", 3);
    sysfs.attach("hidraw5", "1-2", 5, FakeSysfs::keyboardDescriptor());
    sysfs.addInput("hidraw3", "event4", "e 0 fffffffffffffffe");
    sysfs.addInput("hidraw3", "event12", "1f0000 0 0 0 0");
    sysfs.addInput("hidraw3", "event6", "e 0 0 0 ffffffff fffffffe"); // a 32-bit kernel's words
    sysfs.addInput("hidraw5", "event9", "fffffffffffffffe");
    QCOMPARE(EvdevKeySource::eventNodesFor("/dev/hidraw3", sysfs.root()),
             QStringList({"/dev/input/event4", "/dev/input/event6"}));
    QCOMPARE(EvdevKeySource::eventNodesFor("/dev/hidraw5", sysfs.root()),
             QStringList{"/dev/input/event9"});
    QCOMPARE(EvdevKeySource::eventNodesFor("/dev/hidraw7", sysfs.root()), QStringList{});
}
