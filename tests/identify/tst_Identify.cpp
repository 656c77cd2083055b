// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedTransferUi.h"
#include "device/DeviceLink.h"
#include "device/EmulatedAccess.h"
#include "identify/GuidedPass.h"
#include "identify/IdentificationImage.h"
#include "identify/IdentifySession.h"
#include "model/ConfigImage.h"
#include "model/Configuration.h"

#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>
#include <linux/input-event-codes.h>

namespace {

// The identification image, rotaries on or off, with one slot changed.
DeviceImage imageWith(bool rotaries, int slot = 0, quint8 key = 0x04, quint8 modifiers = 8) {
    DeviceImage image = IdentificationImage::build(EmulatedUnit::factoryMemory());
    image.set(ConfigImage::OptionsLocation,
              rotaries ? ConfigImage::optionBit(Configuration::Option::RotaryOnAux) : 0);
    image.set(ConfigImage::keyLocation(slot), key);
    image.set(ConfigImage::modifierLocation(slot), modifiers);
    return image;
}

// Unit 2's serial characters, "0002", as the journal keys them.
const QString Key2 = QStringLiteral("30303032");

} // namespace

using Stage = IdentifySession::Stage;

class TestIdentify : public QObject {
    Q_OBJECT
private slots:
    void image_data();
    void image();
    void session_data();
    void session();
    void refusals_data();
    void refusals();
    void restore_data();
    void restore();
    void guidedPass_data();
    void guidedPass();

private:
    QTemporaryDir m_dir;
    RestoreJournal m_journal{m_dir.filePath("state/tarvenpad")};
    EmulatedAccess m_access{2};
    ScriptedTransferUi m_ui;
    DeviceLink m_link{m_access, m_ui, m_ui};
};

void TestIdentify::image_data() {
    QTest::addColumn<DeviceImage>("image");
    QTest::addColumn<bool>("identifies");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("slot");
    QTest::newRow("factory") << EmulatedUnit::factoryMemory() << false << KEY_A << -1;
    QTest::newRow("built: A") << imageWith(false) << true << KEY_A << 0;
    QTest::newRow("built: 0") << imageWith(false) << true << KEY_0 << 35;
    QTest::newRow("keypad 1, no rotaries") << imageWith(false) << true << KEY_KP1 << -1;
    QTest::newRow("keypad 1, rotaries") << imageWith(true) << true << KEY_KP1 << 36;
    QTest::newRow("two slots send A") << imageWith(false, 5) << false << KEY_A << 0;
    QTest::newRow("with Shift") << imageWith(false, 5, 0x09, 2) << false << KEY_F << 5;
    QTest::newRow("rotary duplicate, rotaries off") << imageWith(false, 40) << true << KEY_A << 0;
}

void TestIdentify::image() {
    QFETCH(DeviceImage, image);
    QFETCH(bool, identifies);
    QFETCH(int, code);
    QFETCH(int, slot);
    QCOMPARE(IdentificationImage::identifiesItself(image), identifies);
    QCOMPARE(IdentificationImage::slotForEventCode(image, code), slot);
    // Whatever a unit held, the identification image names every slot and keeps the options.
    const DeviceImage built = IdentificationImage::build(image);
    QVERIFY(IdentificationImage::identifiesItself(built));
    QCOMPARE(built.at(ConfigImage::OptionsLocation), image.at(ConfigImage::OptionsLocation));
}

// What unit 2 holds when a session starts, against `own`.
enum class Held { Own, Temporary, Half, Newer };

DeviceImage held(Held held, const DeviceImage& own) {
    DeviceImage image = held == Held::Own ? own : IdentificationImage::build(own);
    if (held == Held::Half) // a write cut off halfway
        std::copy(own.bytes.begin() + 40, own.bytes.end(), image.bytes.begin() + 40);
    if (held == Held::Newer)
        image.set(ConfigImage::keyLocation(3), 0x2C);
    return image;
}

void TestIdentify::session_data() {
    QTest::addColumn<DeviceImage>("own");
    QTest::addColumn<bool>("journaled"); // a killed session left `own` in the journal
    QTest::addColumn<Held>("held");
    QTest::addColumn<bool>("needsWrite");
    QTest::addColumn<int>("writes");
    const DeviceImage factory = EmulatedUnit::factoryMemory();
    QTest::newRow("duplicate keys") << factory << false << Held::Own << true << 2;
    QTest::newRow("every key its own")
        << imageWith(true, 0, 0x04) << false << Held::Own << false << 0;
    QTest::newRow("killed session, unit still identifying")
        << factory << true << Held::Temporary << false << 1;
    QTest::newRow("killed mid-write") << factory << true << Held::Half << true << 2;
    QTest::newRow("killed after the read-back: entry equal to the unit")
        << factory << true << Held::Own << true << 2;
}

// A session over unit 2: read, the identification image on when needed, the own one back.
void TestIdentify::session() {
    QFETCH(DeviceImage, own);
    QFETCH(bool, journaled);
    QFETCH(Held, held);
    QFETCH(bool, needsWrite);
    QFETCH(int, writes);
    m_access.unit(2).memory = ::held(held, own);
    m_access.unit(2).closingWrites = 0;
    if (journaled)
        QVERIFY(m_journal.record(Key2, "22", own.bytes).ok());
    IdentifySession session(m_access, m_link, m_journal);
    QVERIFY(session.start(2).ok());
    QCOMPARE(session.ownImage(), own);
    QCOMPARE(session.needsWrite(), needsWrite);
    if (needsWrite) {
        QVERIFY(session.putIdentificationImage().ok());
        QVERIFY(m_journal.pendingFor(Key2, "22"));
    }
    QCOMPARE(m_access.unit(2).memory, session.onUnit());
    QCOMPARE(session.slotForEventCode(KEY_C), 2);
    QVERIFY(session.putBack().ok());
    QCOMPARE(m_access.unit(2).memory, own);
    QCOMPARE(m_access.unit(2).closingWrites, writes);
    QVERIFY(m_journal.pending().isEmpty());
}

// Where nothing may be written: the stage start() or the temporary write ends in, and the
// unit's memory untouched.
void TestIdentify::refusals_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<Stage>("stage");
    QTest::newRow("journal older than the unit") << "stale" << Stage::Stale;
    QTest::newRow("serial unreadable") << "no serial" << Stage::Serial;
    QTest::newRow("two units, one serial") << "shared" << Stage::Serial;
    QTest::newRow("another program has the unit") << "locked" << Stage::Locked;
    QTest::newRow("renumbered before the write") << "renumbered" << Stage::Finding;
    QTest::newRow("journal folder is a file") << "file" << Stage::Journal;
    QTest::newRow("journal folder others may write") << "others" << Stage::Journal;
}

void TestIdentify::refusals() {
    QFETCH(QString, fault);
    QFETCH(Stage, stage);
    const DeviceImage factory = EmulatedUnit::factoryMemory();
    EmulatedAccess access(2);
    DeviceLink link(access, m_ui, m_ui);
    QTemporaryDir dir;
    RestoreJournal journal(dir.filePath("j"));
    access.unit(2).memory = held(fault == "stale" ? Held::Newer : Held::Own, factory);
    std::unique_ptr<QLockFile> other;
    if (fault == "stale")
        QVERIFY(journal.record(Key2, "22", factory.bytes).ok());
    if (fault == "file")
        QVERIFY(QFile(journal.folder()).open(QIODevice::WriteOnly));
    if (fault == "no serial")
        access.unit(2).serial = {};
    if (fault == "shared")
        access.unit(1).serial = access.unit(2).serial;
    if (fault == "locked") // a lock file of a program still running: this test's own
        QVERIFY(RestoreJournal(journal.folder()).lock(Key2, other).isEmpty());
    const DeviceImage before = access.unit(2).memory;
    IdentifySession session(access, link, journal);
    IdentifySession::Outcome outcome = session.start(2);
    if (outcome.ok()) {
        if (fault == "renumbered") // unit 2 is another encoder now
            access.unit(2).serial = {'0', '0', '0', '9'};
        if (fault == "others") {
            QVERIFY(QDir().mkpath(journal.folder()));
            QFile::setPermissions(journal.folder(), QFile::Permissions(0x7777));
        }
        outcome = session.putIdentificationImage();
    }
    QVERIFY(!outcome.ok());
    QCOMPARE(outcome.stage, stage);
    QCOMPARE(access.unit(1).memory, factory);
    QCOMPARE(access.unit(2).memory, before);
    QCOMPARE(access.unit(2).closingWrites, 0);
    QCOMPARE(journal.pending().size(), fault == "stale" ? 1 : 0);
}

// Putting a journal entry back from another program: only over the temporary image or part
// of it; an entry the unit equals is only removed; a newer configuration is never touched.
void TestIdentify::restore_data() {
    QTest::addColumn<Held>("held");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("writes");
    QTest::newRow("temporary") << Held::Temporary << true << 1;
    QTest::newRow("half-written") << Held::Half << true << 1;
    QTest::newRow("own already") << Held::Own << true << 0;
    QTest::newRow("newer") << Held::Newer << false << 0;
}

void TestIdentify::restore() {
    QFETCH(Held, held);
    QFETCH(bool, ok);
    QFETCH(int, writes);
    const DeviceImage own = EmulatedUnit::factoryMemory();
    m_access.unit(2).memory = ::held(held, own);
    m_access.unit(2).closingWrites = 0;
    const DeviceImage before = m_access.unit(2).memory;
    // A copy under another name is the entry all the same, and the file removed.
    QVERIFY(m_journal.record(Key2, "22", own.bytes).ok());
    const QString copy = m_journal.folder() + "/restore-copy.json";
    QVERIFY(QFile::rename(m_journal.pending().first().path, copy));
    // An entry whose key would name a lock outside the folder is none of ours.
    QFile planted(m_journal.folder() + "/restore-planted.json");
    QFile kept(copy);
    QVERIFY(kept.open(QIODevice::ReadOnly) && planted.open(QIODevice::WriteOnly));
    planted.write(kept.readAll().replace(Key2.toLatin1(), "../../elsewhere"));
    planted.close();
    QCOMPARE(m_journal.pending().size(), 1);
    const IdentifySession::Outcome outcome =
        IdentifySession::restore(m_access, m_link, m_journal, m_journal.pending().first());
    QCOMPARE(outcome.ok(), ok);
    QCOMPARE(m_access.unit(2).memory, ok ? own : before);
    QCOMPARE(m_access.unit(2).closingWrites, writes);
    QCOMPARE(QFile::exists(copy), !ok);
    QFile::remove(copy);
    planted.remove();
}

// A pass over one player's six buttons, slot 9 holding Player 1 Up before it: each step of
// `steps` is a press of that slot, "skip" or "redo"; `roles` what the slots hold after it.
void TestIdentify::guidedPass_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("roles");
    QTest::addColumn<QString>("moved"); // what the last press moved its slot from
    QTest::addColumn<QString>("asked"); // the role asked for at the end; empty once done
    QTest::newRow("take, from the slot that held it")
        << QStringList{"2", "3"} << "2 P1_UP, 3 P1_DOWN" << QString() << "P1_LEFT";
    QTest::newRow("skip") << QStringList{"skip", "3"} << "3 P1_DOWN, 9 P1_UP" << QString()
                          << "P1_LEFT";
    QTest::newRow("redo last, and at the start")
        << QStringList{"redo", "2", "3", "redo"} << "2 P1_UP" << QString() << "P1_DOWN";
    QTest::newRow("pressed again: moved")
        << QStringList{"2", "3", "2"} << "2 P1_LEFT, 3 P1_DOWN" << QString("P1_UP") << "P1_RIGHT";
    QStringList presses, taken; // one press more than there are roles
    for (int slot = 20; slot < 33; ++slot)
        presses << QString::number(slot);
    for (const int role : PanelRole::roles(PanelRole::Set::OnePlayer6))
        taken << QStringLiteral("%1 %2").arg(20 + taken.size()).arg(PanelRole::key(role));
    QTest::newRow("end") << presses << taken.join(", ") << QString() << QString();
}

void TestIdentify::guidedPass() {
    QFETCH(QStringList, steps);
    QFETCH(QString, roles);
    QFETCH(QString, moved);
    QFETCH(QString, asked);
    GuidedPass::Roles before{};
    before[9].role = PanelRole::fromKey(u"P1_UP");
    GuidedPass pass(PanelRole::Set::OnePlayer6, before);
    GuidedPass::Taken last;
    for (const QString& step : steps) {
        if (step == "skip")
            pass.skip();
        else if (step == "redo")
            pass.redoLast();
        else
            last = pass.take(step.toInt());
    }
    QStringList held;
    for (int slot = 0; slot < ConfigState::SlotCount; ++slot)
        if (pass.roles()[slot].role != PanelRole::None)
            held << QString::number(slot) + ' ' + PanelRole::key(pass.roles()[slot].role);
    QCOMPARE(held.join(", "), roles);
    QCOMPARE(PanelRole::key(last.movedFrom), moved);
    QCOMPARE(PanelRole::key(pass.current()), asked);
    QCOMPARE(pass.done(), pass.current() == PanelRole::None);
}

QTEST_GUILESS_MAIN(TestIdentify)
#include "tst_Identify.moc"
