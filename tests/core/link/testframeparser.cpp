#include "core/link/commandsequencer.h"
#include "core/link/frameparser.h"
#include "core/link/keypadtable.h"
#include "core/link/linkframe.h"

#include <QTest>

Q_DECLARE_METATYPE(LinkMode)

namespace {
// The five fields of one entry as a compact string, so table rows stay readable: request, answered,
// excluded, signed in, key code.
QString fields(const KeypadEntry &e)
{
    return QStringLiteral("r%1 a%2 x%3 s%4 k%5").arg(e.request).arg(e.answered).arg(e.excluded)
        .arg(e.signedIn).arg(e.keyCode);
}

struct Fixture
{
    KeypadTable table;
    CommandSequencer sequencer;
    FrameParser parser{table, sequencer};

    explicit Fixture(LinkMode mode)
    {
        sequencer.applySettings({10, 2, 1, 8});
        sequencer.post(mode, 0);
    }
    void apply(quint8 kind, quint8 data, quint8 keypad)
    {
        parser.apply(LinkFrame::withChecksum(kind, data, keypad));
    }
};
} // namespace

class TestFrameParser : public QObject
{
    Q_OBJECT

private slots:
    void keypadFrameByMode_data();
    void keypadFrameByMode();
    void requestStatusCodes_data();
    void requestStatusCodes();
    void baseAnswerIsKeypadOneOnly();
    void numbersOutsideOneTo249ChangeNothing_data();
    void numbersOutsideOneTo249ChangeNothing();
    void invalidChecksumChangesNothing();
    void floorGrantedClearsOtherUnreservedRequests();
};

void TestFrameParser::keypadFrameByMode_data()
{
    QTest::addColumn<LinkMode>("mode");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");

    QTest::newRow("start-up roll call, present") << LinkMode::StartupRollCall << 0x80 << "r0 a1 x0 s0 k0";
    QTest::newRow("start-up roll call, excluded") << LinkMode::StartupRollCall << 0x00 << "r0 a1 x1 s0 k0";
    QTest::newRow("monitor roll call, request") << LinkMode::MonitorRollCall << 0xA0 << "r1 a1 x0 s0 k0";
    QTest::newRow("single query ignores key bits") << LinkMode::SingleKeypadQuery << 0xDF << "r0 a1 x0 s0 k0";
    QTest::newRow("sign-in polling, signed in") << LinkMode::SignInPolling << 0xC0 << "r0 a0 x0 s1 k0";
    QTest::newRow("sign-in final pass, not signed") << LinkMode::SignInFinalPass << 0xA0 << "r1 a0 x0 s0 k0";
    QTest::newRow("vote polling, keys 1 and 3") << LinkMode::VotePolling << 0x85 << "r0 a0 x0 s0 k5";
    QTest::newRow("vote final pass, all keys") << LinkMode::VoteFinalPass << 0xFF << "r1 a0 x0 s0 k31";
    QTest::newRow("speech command ignores keypad frames") << LinkMode::SpeechCommand << 0xFF << "r0 a0 x0 s0 k0";
    QTest::newRow("idle ignores keypad frames") << LinkMode::Idle << 0xFF << "r0 a0 x0 s0 k0";
    QTest::newRow("vote command ignores keypad frames") << LinkMode::VoteCommand << 0xFF << "r0 a0 x0 s0 k0";
}

void TestFrameParser::keypadFrameByMode()
{
    QFETCH(LinkMode, mode);
    QFETCH(int, status);
    QFETCH(QString, expected);
    Fixture f(mode);
    f.apply(LinkFrame::KeypadKind, quint8(status), 4);
    QCOMPARE(fields(f.table.at(4)), expected);
    QCOMPARE(fields(f.table.at(5)), QStringLiteral("r0 a0 x0 s0 k0"));
}

void TestFrameParser::requestStatusCodes_data()
{
    QTest::addColumn<LinkMode>("mode");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("00 clears") << LinkMode::SpeechCommand << 0x00 << 1 << 0;
    QTest::newRow("04 clears") << LinkMode::SpeechCommand << 0x04 << 1 << 0;
    QTest::newRow("30 clears") << LinkMode::Idle << 0x30 << 1 << 0;
    QTest::newRow("01 sets") << LinkMode::SpeechCommand << 0x01 << 0 << 1;
    // Waiting for the floor is not speaking: the waiting flag is set instead (checked below).
    QTest::newRow("02 waits, in vote polling too") << LinkMode::VotePolling << 0x02 << 1 << 0;
    QTest::newRow("08 sets") << LinkMode::SpeechCommand << 0x08 << 0 << 1;
    QTest::newRow("unknown code 03 keeps") << LinkMode::SpeechCommand << 0x03 << 1 << 1;
    QTest::newRow("unknown code 10 keeps") << LinkMode::SpeechCommand << 0x10 << 0 << 0;
}

void TestFrameParser::requestStatusCodes()
{
    QFETCH(LinkMode, mode);
    QFETCH(int, code);
    QFETCH(int, before);
    QFETCH(int, after);
    Fixture f(mode);
    f.table.entry(6)->request = before;
    f.table.entry(6)->waiting = 1;
    f.apply(LinkFrame::RequestStatusKind, quint8(code), 6);
    QCOMPARE(f.table.at(6).request, after);
    // Every known code settles whether the keypad waits; an unknown one leaves it alone.
    const int waiting = code == 0x02 || code == 0x03 || code == 0x10 ? 1 : 0;
    QCOMPARE(f.table.at(6).waiting, waiting);
}

void TestFrameParser::baseAnswerIsKeypadOneOnly()
{
    Fixture f(LinkMode::BaseStationSearch);
    f.apply(LinkFrame::KeypadKind, 0x80, 2);
    // The answer is seen at the next search step: one port further means it was not taken as an answer.
    f.sequencer.tick();
    f.sequencer.onTickTimer();
    f.sequencer.onTickTimer();
    f.sequencer.onTickTimer();
    QCOMPARE(f.sequencer.currentPort(), 1);
    QVERIFY(f.sequencer.isSearching());
    f.apply(LinkFrame::KeypadKind, 0x00, 1);
    for (int i = 0; i < 3; ++i)
        f.sequencer.onTickTimer();
    QVERIFY(!f.sequencer.isSearching());
    QCOMPARE(f.sequencer.mode(), LinkMode::Idle);
    QCOMPARE(fields(f.table.at(1)), QStringLiteral("r0 a0 x0 s0 k0"));
}

void TestFrameParser::numbersOutsideOneTo249ChangeNothing_data()
{
    QTest::addColumn<int>("keypad");
    QTest::newRow("0") << 0;
    QTest::newRow("250") << 250;
    QTest::newRow("255") << 255;
}

void TestFrameParser::numbersOutsideOneTo249ChangeNothing()
{
    QFETCH(int, keypad);
    Fixture f(LinkMode::MonitorRollCall);
    for (int n = 1; n <= 249; ++n)
        f.table.entry(n)->request = 1;
    f.apply(LinkFrame::KeypadKind, 0x80, quint8(keypad));
    f.apply(LinkFrame::RequestStatusKind, 0x08, quint8(keypad));
    for (int n = 1; n <= 249; ++n) {
        QCOMPARE(f.table.at(n).answered, 0);
        QCOMPARE(f.table.at(n).request, 1);
    }
}

void TestFrameParser::invalidChecksumChangesNothing()
{
    Fixture f(LinkMode::VotePolling);
    LinkFrame frame = LinkFrame::withChecksum(LinkFrame::KeypadKind, 0x81, 3);
    frame.bytes[3] ^= 0x01;
    f.parser.apply(frame);
    QCOMPARE(f.table.at(3).keyCode, 0);
}

void TestFrameParser::floorGrantedClearsOtherUnreservedRequests()
{
    Fixture f(LinkMode::SpeechCommand); // reserved 2, keypad count 10
    for (int n = 1; n <= 12; ++n)
        f.table.entry(n)->request = 1;
    f.apply(LinkFrame::RequestStatusKind, 0x08, 5);
    QList<int> requesting;
    for (int n = 1; n <= 12; ++n)
        if (f.table.at(n).request)
            requesting.append(n);
    // Reserved keypads 1 and 2 keep theirs, 3..10 are cleared, 5 gets the floor, 11 and 12 lie beyond the
    // keypad count and are not touched.
    QCOMPARE(requesting, (QList<int>{1, 2, 5, 11, 12}));
}

QTEST_APPLESS_MAIN(TestFrameParser)
#include "testframeparser.moc"
