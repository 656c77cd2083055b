// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ConfigFile.h"
#include "files/RolesBlock.h"
#include "model/Configuration.h"

#include <QTemporaryDir>
#include <QtTest>

using Option = Configuration::Option;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A file image built straight from the layout tables: header, (modifier, key) pairs, tail.
QByteArray layout(char header, const QList<int>& pairs, const QList<int>& tail, quint8 mask) {
    QByteArray b;
    b.append(char(header ^ FileMask));
    for (int v : pairs)
        b.append(char(v ^ mask));
    for (int v : tail)
        b.append(char(v ^ mask));
    return b;
}

// Everything a load could change, to show that a rejected file changed nothing.
QByteArray snapshot(const Configuration& c) {
    QByteArray s = EncodeConfigFile(c);
    for (int k = 0; k < Configuration::SlotCount; ++k)
        s += c.slot(k).keyTag().toLatin1() + ',';
    s += c.configModified() ? "M" : "-";
    s += c.currentFileName().toUtf8();
    return s;
}

void fillSample(Configuration& c) {
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        c.applyModifierByte(k, quint8((k * 7) % 16));
        c.setKeyCode(k, quint8(k * 5 + 3));
    }
    c.applyOptionsByte(0x1D);
}

RolesBlock::Roles sampleRoles() {
    RolesBlock::Roles roles{};
    roles[6] = {PanelRole::fromKey(u"P1_BUTTON1"), QStringLiteral("Jump")};
    roles[40].label = QStringLiteral("Spinner \u00bd");
    return roles;
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void masksAreDistinctCapitals();
    void defaultFileBytes();
    void roundTrip();
    void handMade46();
    void handMade36_data();
    void handMade36();
    void rotaryOptionFromFile();
    void keepsBytesAfterConfiguration();
    void rolesBlock_data();
    void rolesBlock();
    void rejectsWithoutChange_data();
    void rejectsWithoutChange();
    void writeFailures_data();
    void writeFailures();

private:
    QTemporaryDir m_dir;
};

void TestConfigFile::masksAreDistinctCapitals() {
    QVERIFY(FileMask >= 'A' && FileMask <= 'Z');
    QVERIFY(Mask36 >= 'A' && Mask36 <= 'Z');
    QVERIFY(FileMask != Mask36);
}

void TestConfigFile::defaultFileBytes() {
    Configuration c;
    c.ClearVariables();
    const QString path = m_dir.filePath("default.TPD");
    QVERIFY(WriteConfigFile(c, path).ok());
    QList<int> pairs;
    for (int k = 0; k < 46; ++k)
        pairs << 8 << 0;
    QCOMPARE(readAll(path), layout('A', pairs, {0}, FileMask));
}

void TestConfigFile::roundTrip() {
    Configuration saved;
    fillSample(saved);
    saved.setRoles(sampleRoles());
    const QString path = m_dir.filePath("round.TPD");
    QVERIFY(WriteConfigFile(saved, path).ok());
    QVERIFY(saved.configModified()); // writing leaves the flag to Save

    Configuration loaded;
    loaded.setConfigModified(true);
    QVERIFY(ReadConfigFile(loaded, path).ok());
    QVERIFY(!loaded.configModified());
    for (int k = 0; k < Configuration::SlotCount; ++k)
        QCOMPARE(loaded.slot(k), saved.slot(k));
    QCOMPARE(loaded.aux(), saved.aux());
    QCOMPARE(loaded.roles(), saved.roles());
}

void TestConfigFile::handMade46() {
    QList<int> pairs;
    for (int k = 0; k < 46; ++k)
        pairs << 8 << 0;
    pairs[2 * 0] = 9; // input 1: Control, no repeat
    pairs[2 * 0 + 1] = 0x29;
    pairs[2 * 1] = 3;  // input 2: Control+Shift with repeat -> repeat only
    pairs[2 * 36] = 1; // rotary 1A: Control with repeat, kept
    pairs[2 * 36 + 1] = 0xE8;
    pairs[2 * 45 + 1] = 200; // not in the table: kept as it is
    const QString path = m_dir.filePath("hand46.TPD");
    writeAll(path, layout('A', pairs, {0xE0 | 2}, FileMask));

    Configuration c;
    QVERIFY(ReadConfigFile(c, path).ok());
    QCOMPARE(int(c.modifierByte(0)), 9);
    QCOMPARE(int(c.slot(0).keyCode), 0x29);
    QCOMPARE(int(c.modifierByte(1)), 0);
    QCOMPARE(int(c.modifierByte(36)), 1);
    QVERIFY(c.slot(36).control && c.slot(36).repeat);
    QCOMPARE(int(c.slot(36).keyCode), 0xE8);
    QCOMPARE(c.slot(45).keyTag(), QString("200"));
    QCOMPARE(int(c.optionsByte()), 2); // bits 5 to 7 ignored
}

void TestConfigFile::handMade36_data() {
    QTest::addColumn<int>("trackball");
    QTest::addColumn<bool>("reverseX");
    QTest::addColumn<bool>("reverseY");
    // The configuration starts with ReverseX on and ReverseY off.
    QTest::newRow("0") << 0 << false << false;
    QTest::newRow("1") << 1 << true << false;
    QTest::newRow("2") << 2 << false << true;
    QTest::newRow("3") << 3 << true << true;
    QTest::newRow("7 leaves both") << 7 << true << false;
}

void TestConfigFile::handMade36() {
    QFETCH(int, trackball);
    QFETCH(bool, reverseX);
    QFETCH(bool, reverseY);
    Configuration c;
    fillSample(c); // rotary slots set, options 0x1D: rotary, relay, active high, reverse X
    const KeySlot rotaryBefore = c.slot(41);

    QList<int> pairs;
    for (int k = 0; k < 36; ++k)
        pairs << (k == 4 ? 0 : 10) << k + 4;
    const QString path = m_dir.filePath("hand36.TPD");
    // The older layout has no room for roles: whatever follows it is not read as ours.
    c.setRoles(sampleRoles());
    writeAll(path, layout('O', pairs, {trackball}, Mask36) + RolesBlock::write(sampleRoles()));
    QVERIFY(ReadConfigFile(c, path).ok());
    QVERIFY(!c.hasRoles());

    QCOMPARE(int(c.modifierByte(4)), 0);
    QCOMPARE(int(c.modifierByte(5)), 10);
    QCOMPARE(int(c.slot(35).keyCode), 39);
    QCOMPARE(c.slot(41), rotaryBefore);
    QCOMPARE(c.aux().reverseX, reverseX);
    QCOMPARE(c.aux().reverseY, reverseY);
    QVERIFY(!c.aux().activeHigh && !c.aux().rotaryOnAux && !c.aux().relayOnAux);
    QVERIFY(c.trackballOptionsAvailable());
    QVERIFY(!c.configModified());
}

void TestConfigFile::rotaryOptionFromFile() {
    Configuration c;
    c.setOption(Option::RotaryOnAux, true);
    const QString path = m_dir.filePath("rotary.TPD");
    QVERIFY(WriteConfigFile(c, path).ok());
    Configuration other;
    QVERIFY(ReadConfigFile(other, path).ok());
    QVERIFY(other.aux().rotaryOnAux);
    QVERIFY(!other.trackballOptionsAvailable());
}

void TestConfigFile::keepsBytesAfterConfiguration() {
    const QString path = m_dir.filePath("long.TPD");
    QByteArray longer(200, 'x');
    writeAll(path, longer);
    Configuration c;
    fillSample(c);
    QVERIFY(WriteConfigFile(c, path).ok());
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 200);
    QCOMPARE(bytes.left(94), EncodeConfigFile(c));
    QCOMPARE(bytes.mid(94), longer.mid(94));
    Configuration loaded;
    QVERIFY(ReadConfigFile(loaded, path).ok());
    QCOMPARE(EncodeConfigFile(loaded), EncodeConfigFile(c));
}

// What follows the 94 bytes: the keys load whatever it is, our block's roles with them when
// it can be read; one that cannot be read is warned of and not written over unless replaced.
void TestConfigFile::rolesBlock_data() {
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QString>("warning");   // part of it; empty for none
    QTest::addColumn<QByteArray>("others"); // what a rewrite keeps behind our block
    const QByteArray block = RolesBlock::write(sampleRoles());
    QByteArray damaged = block, newer = block, tooLong = block;
    damaged[7] = char(damaged[7] ^ 1); // the checksum
    newer[4] = char(RolesBlock::Version + 1);
    tooLong[5] = tooLong[6] = char(0xFF);
    QTest::newRow("no block") << QByteArray() << QString() << QByteArray();
    QTest::newRow("ours, behind another writer's keys") << block << QString() << QByteArray();
    QTest::newRow("not ours") << QByteArray("TPR other") << QString() << QByteArray("TPR other");
    QTest::newRow("ours, then another's") << block + "more" << QString() << QByteArray("more");
    QTest::newRow("damaged") << damaged + "more"
                             << "damaged" << QByteArray("more");
    QTest::newRow("cut short") << block.chopped(2) << "cut short" << QByteArray();
    QTest::newRow("newer") << newer << "newer version" << QByteArray();
    QTest::newRow("too long") << tooLong << "longer than any" << QByteArray();
}

void TestConfigFile::rolesBlock() {
    QFETCH(QByteArray, tail);
    QFETCH(QString, warning);
    QFETCH(QByteArray, others);
    Configuration keys, c;
    fillSample(keys);
    const QString path = m_dir.filePath(QString("roles %1.TPD").arg(QTest::currentDataTag()));
    writeAll(path, EncodeConfigFile(keys) + tail);
    const FileResult r = ReadConfigFile(c, path);
    QVERIFY2(r.ok() && r.warning.isEmpty() == warning.isEmpty() && r.warning.contains(warning),
             qPrintable(r.warning));
    QCOMPARE(EncodeConfigFile(c).left(FileSize46), EncodeConfigFile(keys));
    const bool ours = tail.startsWith("TPRL") && warning.isEmpty();
    QVERIFY(c.roles() == (ours ? sampleRoles() : RolesBlock::Roles{}));

    c.setRole(0, PanelRole::fromKey(u"COIN1"));
    const FileResult refused = WriteConfigFile(c, path);
    QCOMPARE(refused.status,
             warning.isEmpty() ? FileResult::Status::Ok : FileResult::Status::RolesUnreadable);
    if (!warning.isEmpty()) {
        QCOMPARE(readAll(path), EncodeConfigFile(keys) + tail);
        QVERIFY(WriteConfigFile(c, path, ReaderWait::Refuse, UnreadableRoles::Replace).ok());
    }
    QCOMPARE(readAll(path), EncodeConfigFile(c) + others);
}

void TestConfigFile::rejectsWithoutChange_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty name: no file at all
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const int rejected = int(FileResult::Status::Rejected),
              tooShort = int(FileResult::Status::TooShort),
              readFailed = int(FileResult::Status::ReadFailed);
    QTest::newRow("unknown header")
        << layout('B', QList<int>(93, 0), {}, FileMask) << rejected << "Cannot Open This File Type";
    QTest::newRow("plain A unscrambled")
        << QByteArray(94, 'A') << rejected << "Cannot Open This File Type";
    QTest::newRow("46 layout cut short") << layout('A', QList<int>(92, 8), {}, FileMask) << tooShort
                                         << "holds 93 bytes where a configuration needs 94";
    // The name goes in with the numbers: a "%2" in it must not take the byte count.
    QTest::newRow("cut short, %2 in the name")
        << layout('A', QList<int>(92, 8), {}, FileMask) << tooShort
        << "holds 93 bytes where a configuration needs 94";
    QTest::newRow("36 layout cut short") << layout('O', QList<int>(40, 8), {}, Mask36) << tooShort
                                         << "holds 41 bytes where a configuration needs 74";
    QTest::newRow("empty file") << QByteArray("") << tooShort << "is empty";
    QTest::newRow("missing file") << QByteArray() << readFailed << "No such file or directory";
}

void TestConfigFile::rejectsWithoutChange() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(QString("reject-%1.TPD").arg(QTest::currentDataTag()));
    if (!bytes.isNull())
        writeAll(path, bytes);
    Configuration c;
    fillSample(c);
    c.setCurrentFileName("/kept/name.TPD");
    const QByteArray before = snapshot(c);

    const FileResult r = ReadConfigFile(c, path);
    QCOMPARE(int(r.status), status);
    QVERIFY2(r.message.contains(message), qPrintable(r.message));
    if (r.status != FileResult::Status::Rejected)
        QVERIFY2(r.message.contains(path), qPrintable(r.message));
    QCOMPARE(snapshot(c), before);
}

void TestConfigFile::writeFailures_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("full disk") << "/dev/full"
                               << "No space left on device";
    QTest::newRow("no such folder") << m_dir.filePath("missing/dir/x.TPD") << "";
    QTest::newRow("a folder") << m_dir.path() << "";
}

void TestConfigFile::writeFailures() {
    QFETCH(QString, path);
    QFETCH(QString, reason);
    Configuration c;
    fillSample(c);
    const FileResult r = WriteConfigFile(c, path);
    QCOMPARE(int(r.status), int(FileResult::Status::WriteFailed));
    QVERIFY2(r.message.contains(path) && r.message.contains(reason), qPrintable(r.message));
    QVERIFY(c.configModified());
}

QTEST_APPLESS_MAIN(TestConfigFile)
#include "tst_ConfigFile.moc"
