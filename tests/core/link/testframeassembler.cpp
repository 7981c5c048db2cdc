#include "core/link/frameassembler.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
QByteArray wire(const LinkFrame &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.bytes.data()), 4);
}

QByteArray keypadFrame(quint8 status, quint8 keypad)
{
    return wire(LinkFrame::withChecksum(LinkFrame::KeypadKind, status, keypad));
}

QList<int> keypadsOf(const QList<LinkFrame> &frames)
{
    QList<int> keypads;
    for (const LinkFrame &f : frames)
        keypads.append(f.keypad());
    return keypads;
}
} // namespace

class TestFrameAssembler : public QObject
{
    Q_OBJECT

private slots:
    void wholeFramesInOneRead();
    void splitFrameAcrossReadsIsJoined_data();
    void splitFrameAcrossReadsIsJoined();
    void sevenBytesThenOneCompleteTheSecondFrame();
    void silenceDropsAPartialFrame();
    void frameCompletedAfterABusyInterfaceIsKept();
    void strayByteBeforeAFrameIsSkipped();
    void badChecksumSlidesByOneByte();
    void unknownKindsAreNotFrames();
    void misalignedRunOfKeypadFramesRealigns();
    void randomSplitsNeverLoseAFrame();
};

void TestFrameAssembler::wholeFramesInOneRead()
{
    FrameAssembler assembler;
    const QByteArray bytes = keypadFrame(0x81, 17) + wire(LinkFrame::withChecksum(0xE0, 0x01, 5));
    const QList<LinkFrame> frames = assembler.feed(bytes, 0);
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames[0].keypad(), 17);
    QCOMPARE(frames[1].kind(), LinkFrame::RequestStatusKind);
    QCOMPARE(assembler.pendingBytes(), 0);
}

void TestFrameAssembler::splitFrameAcrossReadsIsJoined_data()
{
    QTest::addColumn<QList<int>>("cuts");
    QTest::newRow("one byte at a time") << QList<int>{1, 1, 1, 1, 1, 1, 1, 1};
    QTest::newRow("three then five") << QList<int>{3, 5};
    QTest::newRow("two, four, two") << QList<int>{2, 4, 2};
    QTest::newRow("seven then one") << QList<int>{7, 1};
}

void TestFrameAssembler::splitFrameAcrossReadsIsJoined()
{
    QFETCH(QList<int>, cuts);
    const QByteArray bytes = keypadFrame(0x81, 3) + keypadFrame(0x82, 4);
    FrameAssembler assembler;
    QList<LinkFrame> frames;
    int offset = 0;
    qint64 ms = 0;
    for (int cut : cuts) {
        frames += assembler.feed(bytes.mid(offset, cut), ms);
        offset += cut;
        ms += 1;
    }
    QCOMPARE(keypadsOf(frames), (QList<int>{3, 4}));
}

void TestFrameAssembler::sevenBytesThenOneCompleteTheSecondFrame()
{
    FrameAssembler assembler;
    const QByteArray bytes = keypadFrame(0x81, 9) + keypadFrame(0x81, 10);
    QCOMPARE(assembler.feed(bytes.left(7), 100).size(), 1);
    QCOMPARE(assembler.pendingBytes(), 3);
    const QList<LinkFrame> rest = assembler.feed(bytes.mid(7), 105);
    QCOMPARE(keypadsOf(rest), QList<int>{10});
}

void TestFrameAssembler::silenceDropsAPartialFrame()
{
    FrameAssembler assembler;
    const QByteArray lostTail = keypadFrame(0x81, 9).left(2);
    QVERIFY(assembler.feed(lostTail, 1000).isEmpty());
    // The next frame arrives after the gap: the two orphan bytes must not be glued to it.
    const QList<LinkFrame> frames =
        assembler.feed(keypadFrame(0x81, 10), 1000 + FrameAssembler::SilenceMs + 1);
    QCOMPARE(keypadsOf(frames), QList<int>{10});
}

void TestFrameAssembler::frameCompletedAfterABusyInterfaceIsKept()
{
    // Half a frame read, then the interface thread is busy for 50 ms; the rest waited in the port and
    // comes with the next frame in one read. Both frames are answers that must not be lost.
    FrameAssembler assembler;
    const QByteArray bytes = keypadFrame(0x81, 8) + keypadFrame(0x82, 9);
    QVERIFY(assembler.feed(bytes.left(2), 1000).isEmpty());
    const QList<LinkFrame> frames = assembler.feed(bytes.mid(2), 1050);
    QCOMPARE(keypadsOf(frames), (QList<int>{8, 9}));
    QCOMPARE(assembler.skippedBytes(), 0u);
}

void TestFrameAssembler::strayByteBeforeAFrameIsSkipped()
{
    FrameAssembler assembler;
    const QList<LinkFrame> frames =
        assembler.feed(QByteArray(QByteArray(1, char(0x55)) + keypadFrame(0x81, 12)), 0);
    QCOMPARE(keypadsOf(frames), QList<int>{12});
    QCOMPARE(assembler.skippedBytes(), 1u);
}

void TestFrameAssembler::badChecksumSlidesByOneByte()
{
    // A corrupted frame whose body holds the start of a good one: the good frame must still be found.
    QByteArray corrupt = keypadFrame(0x81, 7);
    corrupt[3] = char(corrupt[3] ^ 0x10);
    FrameAssembler assembler;
    const QList<LinkFrame> frames = assembler.feed(QByteArray(corrupt.left(3) + keypadFrame(0x80, 8)), 0);
    QCOMPARE(keypadsOf(frames), QList<int>{8});
}

void TestFrameAssembler::unknownKindsAreNotFrames()
{
    FrameAssembler assembler;
    const QByteArray command = wire(LinkFrame::fromCommand(0xF0010F));
    QVERIFY(assembler.feed(command, 0).isEmpty());
    FrameAssembler commandReader(FrameAssembler::KindSet().set(0xF0));
    QCOMPARE(commandReader.feed(command, 0).size(), 1);
}

void TestFrameAssembler::misalignedRunOfKeypadFramesRealigns()
{
    // Lose the first byte of a run: every rotation of the grid still sums to 0xFF, so only the kind check
    // keeps the reader from taking (81 05 cs F9) as a frame.
    QByteArray run;
    for (int n = 5; n < 9; ++n)
        run += keypadFrame(0x81, quint8(n));
    FrameAssembler assembler;
    const QList<LinkFrame> frames = assembler.feed(run.mid(1), 0);
    QCOMPARE(keypadsOf(frames), (QList<int>{6, 7, 8}));
    for (const LinkFrame &f : frames)
        QCOMPARE(f.kind(), LinkFrame::KeypadKind);
}

void TestFrameAssembler::randomSplitsNeverLoseAFrame()
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 200; ++round) {
        QByteArray stream;
        QList<int> expected;
        const int count = random.bounded(1, 40);
        for (int i = 0; i < count; ++i) {
            const int keypad = random.bounded(1, 250);
            // Key codes and status bits vary, including 0xF9 and 0xE0 inside the payload.
            const auto status = quint8(random.bounded(256));
            if (random.bounded(4) == 0)
                stream += wire(LinkFrame::withChecksum(0xE0, status, quint8(keypad)));
            else
                stream += keypadFrame(status, quint8(keypad));
            expected.append(keypad);
        }
        FrameAssembler assembler;
        QList<LinkFrame> frames;
        qint64 ms = 0;
        for (int offset = 0; offset < stream.size();) {
            const int cut = random.bounded(1, 9);
            frames += assembler.feed(stream.mid(offset, cut), ms);
            offset += cut;
            ms += random.bounded(3);
        }
        QCOMPARE(keypadsOf(frames), expected);
    }
}

QTEST_APPLESS_MAIN(TestFrameAssembler)
#include "testframeassembler.moc"
