// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedTransferUi.h"
#include "device/DeviceLink.h"
#include "device/EmulatedAccess.h"
#include "identify/IdentificationImage.h"
#include "identify/IdentifySession.h"
#include "model/ConfigImage.h"
#include "model/Configuration.h"

#include <QTemporaryDir>
#include <QtTest>
#include <linux/input-event-codes.h>

namespace {

DeviceImage imageWith(bool rotaries, int slot = -1, quint8 key = 0, quint8 modifiers = 8) {
    DeviceImage image = IdentificationImage::build(EmulatedUnit::factoryMemory());
    if (rotaries)
        image.set(ConfigImage::OptionsLocation,
                  ConfigImage::optionBit(Configuration::Option::RotaryOnAux));
    if (slot >= 0) {
        image.set(ConfigImage::keyLocation(slot), key);
        image.set(ConfigImage::modifierLocation(slot), modifiers);
    }
    return image;
}

} // namespace

class TestIdentify : public QObject {
    Q_OBJECT
private slots:
    void init();
    void image_data();
    void image();
    void journal();
    void session_data();
    void session();
    void unitGoneKeepsJournal();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RestoreJournal> m_journal;
    std::unique_ptr<EmulatedAccess> m_access;
    ScriptedTransferUi m_ui;
    std::unique_ptr<DeviceLink> m_link;
};

void TestIdentify::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_journal = std::make_unique<RestoreJournal>(m_dir->filePath("state/tarvenpad"));
    m_access = std::make_unique<EmulatedAccess>(2);
    m_link = std::make_unique<DeviceLink>(*m_access, m_ui, m_ui);
}

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
    QTest::newRow("Esc") << imageWith(true) << true << KEY_ESC << -1;
    QTest::newRow("two slots send A") << imageWith(false, 5, 0x04) << false << KEY_A << 0;
    QTest::newRow("with Shift") << imageWith(false, 5, 0x09, 2) << false << KEY_F << 5;
    QTest::newRow("not used") << imageWith(false, 5, 0) << false << KEY_F << -1;
    QTest::newRow("rotary duplicate, rotaries off")
        << imageWith(false, 40, 0x04) << true << KEY_A << 0;
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

void TestIdentify::journal() {
    ConfigImage::Bytes image{};
    image[3] = 0x42;
    const QDateTime time(QDate(2024, 5, 1), QTime(14, 3), Qt::UTC);
    QVERIFY(m_journal->record("../12 3", image, time).ok());
    QVERIFY(m_journal->record("0001", image, time.addSecs(-60)).ok());
    QFile stray(m_journal->folder() + "/restore-x.json");
    QVERIFY(stray.open(QIODevice::WriteOnly));
    const QList<JournalEntry> pending = m_journal->pending();
    QCOMPARE(pending.size(), 2);
    QCOMPARE(pending[0].serial, QString("0001")); // the older first
    QCOMPARE(pending[1].serial, QString("../12 3"));
    QCOMPARE(pending[1].time, time);
    QCOMPARE(pending[1].image, image);
    QVERIFY(pending[1].path.startsWith(m_journal->folder() + "/restore-"));
    QVERIFY(m_journal->remove("../12 3").ok());
    QVERIFY(!m_journal->pendingFor("../12 3"));
    QVERIFY(m_journal->pendingFor("0001"));
}

void TestIdentify::session_data() {
    QTest::addColumn<DeviceImage>("own");
    QTest::addColumn<bool>("journaled"); // a killed session left `own` in the journal
    QTest::addColumn<bool>("needsWrite");
    QTest::addColumn<int>("writes");
    QTest::newRow("duplicate keys") << EmulatedUnit::factoryMemory() << false << true << 2;
    QTest::newRow("every key its own") << imageWith(true) << false << false << 0;
    QTest::newRow("killed session, unit still identifying")
        << EmulatedUnit::factoryMemory() << true << false << 1;
}

// A session over unit 2: read, the identification image on when needed, the own one back.
void TestIdentify::session() {
    QFETCH(DeviceImage, own);
    QFETCH(bool, journaled);
    QFETCH(bool, needsWrite);
    QFETCH(int, writes);
    m_access->unit(2).memory = journaled ? IdentificationImage::build(own) : own;
    if (journaled)
        QVERIFY(m_journal->record("22", own.bytes).ok());
    IdentifySession session(*m_access, *m_link, *m_journal);
    QVERIFY(session.start(2).ok());
    QCOMPARE(session.serial(), QString("22"));
    QCOMPARE(session.ownImage(), own);
    QCOMPARE(session.needsWrite(), needsWrite);
    if (needsWrite) {
        QVERIFY(session.putIdentificationImage().ok());
        QVERIFY(m_journal->pendingFor("22"));
    }
    QCOMPARE(m_access->unit(2).memory, session.onUnit());
    QCOMPARE(session.slotForEventCode(KEY_C), 2);
    QVERIFY(session.putBack().ok());
    QCOMPARE(m_access->unit(2).memory, own);
    QCOMPARE(m_access->unit(2).closingWrites, writes);
    QVERIFY(m_journal->pending().isEmpty());
}

// Pulled out while identifying: the journal keeps the unit's own configuration until it
// can be put back, under another unit number.
void TestIdentify::unitGoneKeepsJournal() {
    const DeviceImage own = EmulatedUnit::factoryMemory();
    {
        IdentifySession session(*m_access, *m_link, *m_journal);
        QVERIFY(session.start(2).ok());
        QVERIFY(session.putIdentificationImage().ok());
        m_access->setAttached({1});
        const IdentifySession::Outcome outcome = session.putBack();
        QCOMPARE(outcome.stage, IdentifySession::Stage::Finding);
        QCOMPARE(outcome.result, TransferResult::DeviceNotFound);
    }
    const auto entry = m_journal->pendingFor("22");
    QVERIFY(entry);
    // Plugged in again, as unit 1, with another unit beside it.
    m_access->unit(1).serial = m_access->unit(2).serial;
    m_access->unit(1).memory = m_access->unit(2).memory;
    m_access->unit(2).serial = {'0', '0', '0', '9'};
    m_access->setAttached({1, 2});
    QVERIFY(IdentifySession::restore(*m_access, *m_link, *m_journal, *entry).ok());
    QCOMPARE(m_access->unit(1).memory, own);
    QVERIFY(m_journal->pending().isEmpty());
}

QTEST_GUILESS_MAIN(TestIdentify)
#include "tst_Identify.moc"
