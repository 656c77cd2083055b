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

// The identification image, rotaries on or off, with one slot changed.
DeviceImage imageWith(bool rotaries, int slot = 0, quint8 key = 0x04, quint8 modifiers = 8) {
    DeviceImage image = IdentificationImage::build(EmulatedUnit::factoryMemory());
    image.set(ConfigImage::OptionsLocation,
              rotaries ? ConfigImage::optionBit(Configuration::Option::RotaryOnAux) : 0);
    image.set(ConfigImage::keyLocation(slot), key);
    image.set(ConfigImage::modifierLocation(slot), modifiers);
    return image;
}

} // namespace

class TestIdentify : public QObject {
    Q_OBJECT
private slots:
    void image_data();
    void image();
    void session_data();
    void session();

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

void TestIdentify::session_data() {
    QTest::addColumn<DeviceImage>("own");
    QTest::addColumn<bool>("journaled"); // a killed session left `own` in the journal
    QTest::addColumn<bool>("needsWrite");
    QTest::addColumn<int>("writes");
    QTest::newRow("duplicate keys") << EmulatedUnit::factoryMemory() << false << true << 2;
    QTest::newRow("every key its own") << imageWith(true, 0, 0x04) << false << false << 0;
    QTest::newRow("killed session, unit still identifying")
        << EmulatedUnit::factoryMemory() << true << false << 1;
}

// A session over unit 2: read, the identification image on when needed, the own one back.
void TestIdentify::session() {
    QFETCH(DeviceImage, own);
    QFETCH(bool, journaled);
    QFETCH(bool, needsWrite);
    QFETCH(int, writes);
    m_access.unit(2).memory = own;
    m_access.unit(2).closingWrites = 0;
    if (journaled) {
        m_access.unit(2).memory = IdentificationImage::build(own);
        QVERIFY(m_journal.record("22", own.bytes).ok());
    }
    IdentifySession session(m_access, m_link, m_journal);
    QVERIFY(session.start(2).ok());
    QCOMPARE(session.ownImage(), own);
    QCOMPARE(session.needsWrite(), needsWrite);
    if (needsWrite) {
        QVERIFY(session.putIdentificationImage().ok());
        QVERIFY(m_journal.pendingFor("22"));
    }
    QCOMPARE(m_access.unit(2).memory, session.onUnit());
    QCOMPARE(session.slotForEventCode(KEY_C), 2);
    QVERIFY(session.putBack().ok());
    QCOMPARE(m_access.unit(2).memory, own);
    QCOMPARE(m_access.unit(2).closingWrites, writes);
    QVERIFY(m_journal.pending().isEmpty());
}

QTEST_GUILESS_MAIN(TestIdentify)
#include "tst_Identify.moc"
