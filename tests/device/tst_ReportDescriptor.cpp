// SPDX-License-Identifier: GPL-3.0-or-later
// The udev helper's judgement, as root, on bytes that a device chose: real descriptors and
// malformed ones, each with the bits of one output report and whether it is an encoder's.
#include "FakeSysfs.h"
#include "descriptor/ReportDescriptor.h"

#include <QtTest>
#include <climits>

class TestReportDescriptor : public QObject {
    Q_OBJECT
private slots:
    void outputReports_data();
    void outputReports();
};

void TestReportDescriptor::outputReports_data() {
    QTest::addColumn<QByteArray>("descriptor");
    QTest::addColumn<int>("report");
    QTest::addColumn<long>("bits");
    QTest::addColumn<bool>("encoder");
    const QByteArray encoder = FakeSysfs::encoderDescriptor();
    const QByteArray keyboard = FakeSysfs::keyboardDescriptor();
    // Report 1 a keyboard; report 2 a vendor feature of 8 bytes; report 3 a vendor output.
    const QByteArray vendorKeyboard = QByteArray::fromHex(
        "0501 0906 a101 8501 0507 19e0 29e7 1500 2501 7501 9508 8102 9505 7501 0508 1901 2905"
        "9102 9501 7503 9101 c0 0600ff 0901 a101 8502 7508 9508 0901 b102 8503 9520 0901 9102 c0");
    const auto row = [](const char* name, const QByteArray& d, int report, long bits) {
        QTest::newRow(name) << d << report << bits << (report == 2 && bits >= 40);
    };
    row("our firmware", encoder, 2, 40);
    row("boot keyboard: its LEDs", keyboard, 0, 8);
    row("boot keyboard", keyboard, 2, 0);
    row("mouse",
        QByteArray::fromHex("0501 0902 a101 0901 a100 0509 1901 2903 1500 2501 9503 7501"
                            "8102 9501 7505 8103 0501 0930 0931 1581 257f 7508 9502 8106"
                            "c0c0"),
        0, 0);
    row("gamepad: input report 2 only",
        QByteArray::fromHex("0501 0905 a101 8502 0509 1901 2910 1500 2501 7501 9510 8102 0501"
                            "0930 0931 1581 257f 7508 9502 8102 c0"),
        2, 0);
    row("keyboard with a vendor page: feature report 2", vendorKeyboard, 2, 0);
    row("keyboard with a vendor page: its LEDs", vendorKeyboard, 1, 8);
    row("keyboard with a vendor page: output report 3", vendorKeyboard, 3, 256);
    row("report 2 of four bytes", QByteArray(encoder).replace("\x95\x05", "\x95\x04"), 2, 32);
    row("long item first", QByteArray::fromHex("fe0210aabb") + encoder, 2, 40);
    row("long item running off the end", encoder + QByteArray::fromHex("feff00"), 2, 40);
    // An output item inside a long item's data is data, not an item.
    row("output inside a long item", QByteArray::fromHex("7508 9505 8502 fe0210 9102 c0"), 2, 0);
    // Pop brings back the report ID and count that Push kept.
    const QByteArray pushPop = QByteArray::fromHex("7508 9505 8502 a4 9501 8503 9101 b4 9102");
    row("push and pop", pushPop, 2, 40);
    row("push and pop: the pushed report", pushPop, 3, 8);
    // After Push, every other global tag, Pop's number as a main, local and reserved item:
    // none of them is Pop, so the count stays 1.
    row("nothing else pops",
        QByteArray::fromHex("7508 9505 8502 a4 9501 0501 1500 2501 3500"
                            "4500 5500 6500 c500 d500 e500 f500 b102 b900"
                            "bd00 9102"),
        2, 8);
    row("pop with nothing pushed", QByteArray::fromHex("7508 9505 8502 b4 9102"), 2, 40);
    row("truncated output item", encoder.left(encoder.size() - 2), 2, 0);
    row("truncated four-byte item", encoder + QByteArray::fromHex("970500"), 2, 40);
    row("4096 bytes of pushes", QByteArray(4096, char(0xa4)), 2, 0);
    row("pushes after our firmware", encoder + QByteArray(4096 - encoder.size(), char(0xa4)), 2,
        40);
    row("empty", QByteArray(), 0, 0);
    // Two outputs of 65535 × 65535 bits: more than 32 bits hold, so clamped where long has 32.
    row("largest reports", QByteArray::fromHex("77ffff0000 97ffff0000 8502 9102 9102"), 2,
        long(std::min(2 * 65535LL * 65535LL, (long long)LONG_MAX)));
}

void TestReportDescriptor::outputReports() {
    QFETCH(QByteArray, descriptor);
    QFETCH(int, report);
    QFETCH(long, bits);
    QFETCH(bool, encoder);
    const auto* data = reinterpret_cast<const std::uint8_t*>(descriptor.constData());
    const auto size = std::size_t(descriptor.size());
    QCOMPARE(ReportDescriptor::outputReportBits(data, size, report), bits);
    if (report == 2)
        QCOMPARE(ReportDescriptor::isEncoder(data, size), encoder);
}

QTEST_APPLESS_MAIN(TestReportDescriptor)
#include "tst_ReportDescriptor.moc"
