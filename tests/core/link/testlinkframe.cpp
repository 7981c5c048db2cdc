#include "core/link/linkframe.h"

#include <QTest>

class TestLinkFrame : public QObject
{
    Q_OBJECT

private slots:
    void commandValueEncodesHighByteFirst_data();
    void commandValueEncodesHighByteFirst();
    void validityIsTheSumRule_data();
    void validityIsTheSumRule();
    void bitsAboveTwentyThreeAreIgnored();
    void everyEncodedFrameIsValidAndDecodesBack();
};

void TestLinkFrame::commandValueEncodesHighByteFirst_data()
{
    QTest::addColumn<quint32>("command");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("probe") << quint32(0xFA0001) << QByteArray::fromHex("FA000104");
    QTest::newRow("phase start") << quint32(0xF0010F) << QByteArray::fromHex("F0010FFF");
    QTest::newRow("phase end") << quint32(0xF00120) << QByteArray::fromHex("F00120EE");
    QTest::newRow("ballot end") << quint32(0xF75508) << QByteArray::fromHex("F75508AB");
    QTest::newRow("close all microphones") << quint32(0xFBFFFF) << QByteArray::fromHex("FBFFFF06");
}

void TestLinkFrame::commandValueEncodesHighByteFirst()
{
    QFETCH(quint32, command);
    QFETCH(QByteArray, wire);
    const LinkFrame frame = LinkFrame::fromCommand(command);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(frame.bytes.data()), 4), wire);
}

void TestLinkFrame::validityIsTheSumRule_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<bool>("valid");
    QTest::newRow("keypad 17 key 1") << QByteArray::fromHex("F9811174") << true;
    QTest::newRow("checksum off by one") << QByteArray::fromHex("F9811175") << false;
    QTest::newRow("all zero") << QByteArray::fromHex("00000000") << false;
    QTest::newRow("zeros and FF") << QByteArray::fromHex("000000FF") << true;
    QTest::newRow("wraps modulo 256") << QByteArray::fromHex("FFFFFF02") << true;
}

void TestLinkFrame::validityIsTheSumRule()
{
    QFETCH(QByteArray, wire);
    QFETCH(bool, valid);
    const auto b = reinterpret_cast<const quint8 *>(wire.constData());
    QCOMPARE(LinkFrame::fromBytes(b[0], b[1], b[2], b[3]).isValid(), valid);
}

void TestLinkFrame::bitsAboveTwentyThreeAreIgnored()
{
    QCOMPARE(LinkFrame::fromCommand(0x7AFA0001), LinkFrame::fromCommand(0xFA0001));
}

void TestLinkFrame::everyEncodedFrameIsValidAndDecodesBack()
{
    for (quint32 v = 0; v < 0x1000000; v += 0x010101 + 7) {
        const LinkFrame frame = LinkFrame::fromCommand(v);
        QVERIFY(frame.isValid());
        QCOMPARE(frame.commandValue(), v);
    }
}

QTEST_APPLESS_MAIN(TestLinkFrame)
#include "testlinkframe.moc"
