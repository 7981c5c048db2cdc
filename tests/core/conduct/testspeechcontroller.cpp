#include "linkup.h"
#include "meetingfixture.h"

#include "core/conduct/speechcontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/store/meetingdatabase.h"

#include <QFile>
#include <QTest>

namespace {
// A discussion on a fake line with keypads 1..10, keypads 1 and 2 the chair's. The roster lists its
// delegates out of keypad order, so a name found by position would be the wrong one.
struct Fixture
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    std::unique_ptr<SpeechController> speech;

    Fixture(int keypads = 10, int reserved = 2)
    {
        link.applySettings({keypads, reserved, 1, 1});
        if (!meeting.create(10, 0))
            qFatal("meeting set-up failed");
        MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
        for (const auto &[keypad, name] : {std::pair{7, "Ana"}, {3, "Bo"}, {5, "Chen"}, {4, "Dara"}}) {
            DelegateRecord delegate;
            delegate.CellNo = QString::number(keypad);
            delegate.EmpName = QString::fromLatin1(name);
            database.insertDelegate(delegate);
        }
        QFile language(meeting.dir.filePath("menu.ini"));
        language.open(QIODevice::WriteOnly);
        language.write("[FrmMootset]\nMsgSpeaking=\" speaks\"\n");
        language.close();
        bringUp(link, *port);
        for (int n = 1; n <= keypads; ++n)
            link.table().entry(n)->answered = 1;
        context = meeting.conference(link, hall, TextCatalogue(language.fileName()));
        speech = std::make_unique<SpeechController>(*context);
        speech->open();
    }
    // Every frame the sequencer sends over the next ticks.
    QList<quint32> sent(int ticks = 6)
    {
        port->sent.clear();
        for (int i = 0; i < ticks; ++i)
            link.sequencer().tick();
        QList<quint32> commands;
        for (const LinkFrame &frame : std::as_const(port->sent))
            commands.append(frame.commandValue());
        return commands;
    }
    void microphone(int keypad, int request, int waiting = 0)
    {
        link.table().entry(keypad)->request = request;
        link.table().entry(keypad)->waiting = waiting;
    }
    QString hallLine() { return hall.chart().messageLines().value(0); }
};
} // namespace

class TestSpeechController : public QObject
{
    Q_OBJECT

private slots:
    void modeAndSpeakerCountGoOutInTheirOrder();
    void keypadOutsideTheHallIsRefused_data();
    void keypadOutsideTheHallIsRefused();
    void closeAllKeepsTheChairsMicrophones();
    void lockCountsFromItsFrameAndUnlockEnablesTheSeatAgain();
    void returningKeypadCanBeClickedAgain();
    void seatStatesFollowTheTable();
    void newestSpeakerIsNamedByKeypadNumber();
    void namesAreLoadedWithoutASeatPlan();
    void clockShowsWholeSecondsAsMinutesAndSeconds_data();
    void clockShowsWholeSecondsAsMinutesAndSeconds();
    void speakingTimeCountsDownEverySecondAndHandsOverTheKeypad();
    void speakingTimeFieldsAreHeldToTheirRange();
};

// Two choices within one tick: the base station must see both, the mode first.
void TestSpeechController::modeAndSpeakerCountGoOutInTheirOrder()
{
    Fixture f;
    f.speech->setMode(SpeechController::Mode::Replace);
    f.speech->setSpeakerCount(3);
    QCOMPARE(f.sent(), (QList<quint32>{0xFE0401, 0xFE0403}));
    f.speech->setMode(SpeechController::Mode::Queue);
    QCOMPARE(f.speech->speakerCount(), 1);
    f.speech->setSpeakerCount(2);
    f.speech->setMode(SpeechController::Mode::Free);
    QVERIFY(!f.speech->isSpeakerCountEnabled());
    f.speech->setSpeakerCount(4); // no count in free speech
    QCOMPARE(f.sent(), (QList<quint32>{0xFE0201, 0xFE0202, 0xFE8103}));
    QCOMPARE(f.link.sequencer().mode(), LinkMode::SpeechCommand);
}

void TestSpeechController::keypadOutsideTheHallIsRefused_data()
{
    QTest::addColumn<int>("keypads");
    QTest::addColumn<QString>("typed");
    QTest::newRow("5 of 4") << 4 << "5";
    QTest::newRow("0") << 10 << "0";
    QTest::newRow("empty") << 10 << "";
    QTest::newRow("letters only") << 10 << "ab";
}

void TestSpeechController::keypadOutsideTheHallIsRefused()
{
    QFETCH(int, keypads);
    QFETCH(QString, typed);
    Fixture f(keypads, 1);
    f.speech->setKeypadText(typed);
    QVERIFY(!f.speech->openMicrophone());
    QVERIFY(!f.speech->lock());
    QCOMPARE(f.meeting.notifier.count(), 2);
    QCOMPARE(f.meeting.notifier.entries().last().text.key, QStringLiteral("MsgClewErr"));
    QCOMPARE(f.meeting.notifier.entries().last().caption.key, QStringLiteral("MsgClew"));
    QVERIFY(f.sent().isEmpty());
}

void TestSpeechController::closeAllKeepsTheChairsMicrophones()
{
    Fixture f(10, 2);
    for (int n = 1; n <= 10; ++n)
        f.microphone(n, 1);
    f.speech->closeAll();
    QList<int> open;
    for (int n = 1; n <= 10; ++n)
        if (f.link.table().at(n).request)
            open.append(n);
    QCOMPARE(open, (QList<int>{1, 2}));
    QCOMPARE(f.sent(), (QList<quint32>{0xFBFFFF}));
}

void TestSpeechController::lockCountsFromItsFrameAndUnlockEnablesTheSeatAgain()
{
    Fixture f;
    f.speech->setKeypadText("6");
    f.speech->closeMicrophone();
    QVERIFY(f.speech->lock());
    // Posted, not yet on the line: the base station still lets keypad 6 speak.
    QCOMPARE(f.link.table().at(6).excluded, 0);
    QVERIFY(f.speech->isSeatEnabled(6));
    QCOMPARE(f.sent(), (QList<quint32>{0xFB0006, 0xF20006}));
    QCOMPARE(f.link.table().at(6).excluded, 1);
    QCOMPARE(f.speech->micState(6), SpeechController::MicState::Locked);
    QVERIFY(!f.speech->isSeatEnabled(6));

    QVERIFY(f.speech->unlock());
    QCOMPARE(f.sent(), (QList<quint32>{0xF20806}));
    QCOMPARE(f.speech->micState(6), SpeechController::MicState::Closed);
    QVERIFY(f.speech->isSeatEnabled(6));
}

void TestSpeechController::returningKeypadCanBeClickedAgain()
{
    Fixture f;
    const int seat = 8; // the grid without a plan: seat index 8 is keypad 9
    QCOMPARE(f.speech->keypadOfSeat(seat), 9);
    f.link.table().entry(9)->answered = 0;
    f.speech->refreshSeats();
    f.speech->clickSeat(seat);
    QCOMPARE(f.speech->keypadText(), QString());
    f.link.table().entry(9)->answered = 1;
    f.speech->refreshSeats();
    f.speech->clickSeat(seat);
    QCOMPARE(f.speech->keypadText(), QStringLiteral("9"));
}

void TestSpeechController::seatStatesFollowTheTable()
{
    Fixture f;
    f.microphone(3, 1);
    f.microphone(4, 0, 1);
    f.link.table().entry(5)->excluded = 1;
    f.link.table().entry(6)->answered = 0;
    f.speech->refreshSeats();
    using S = SpeechController::MicState;
    QCOMPARE(f.speech->micState(3), S::Open);
    QCOMPARE(f.speech->micState(4), S::Waiting);
    QCOMPARE(f.speech->micState(5), S::Locked);
    QCOMPARE(f.speech->micState(6), S::Offline);
    QCOMPARE(f.speech->micState(7), S::Closed);
    // Seat labels by keypad or by the delegate's name; a keypad without a delegate keeps its number.
    QCOMPARE(f.speech->seatLabel(6), QStringLiteral("7"));
    f.speech->setLabelsByName(true);
    QCOMPARE(f.speech->seatLabel(6), QStringLiteral("Ana"));
    QCOMPARE(f.speech->seatLabel(8), QStringLiteral("9"));
}

void TestSpeechController::newestSpeakerIsNamedByKeypadNumber()
{
    Fixture f;
    f.speech->setNameDisplay(true);
    QVERIFY(f.hall.isVisible());
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Chart);
    QCOMPARE(f.hallLine(), QString());
    // Two microphones open in one scan: the higher keypad is the newer speaker.
    f.microphone(5, 1);
    f.microphone(3, 1);
    f.speech->scan();
    QCOMPARE(f.speech->speakingOrder(), (QList<int>{3, 5}));
    QCOMPARE(f.hallLine(), QStringLiteral("Chen speaks"));
    // Keypad 4 waits: waiting is not speaking.
    f.microphone(4, 0, 1);
    f.speech->scan();
    QCOMPARE(f.hallLine(), QStringLiteral("Chen speaks"));
    f.microphone(5, 0);
    f.speech->scan();
    QCOMPARE(f.hallLine(), QStringLiteral("Bo speaks"));
    // A speaker the roster does not know leaves the line empty.
    f.microphone(9, 1);
    f.speech->scan();
    QCOMPARE(f.hallLine(), QString());
    f.microphone(9, 0);
    f.microphone(3, 0);
    f.speech->scan();
    QCOMPARE(f.speech->shownSpeaker(), 0);
    // Unticked, the hall keeps what it shows.
    f.speech->setNameDisplay(false);
    f.microphone(7, 1);
    f.speech->scan();
    QCOMPARE(f.hallLine(), QString());
}

void TestSpeechController::namesAreLoadedWithoutASeatPlan()
{
    Fixture f;
    QVERIFY(!f.speech->hasSeatPlan());
    QCOMPARE(f.speech->nameOf(4), QStringLiteral("Dara"));
    // Without a plan the map still shows every keypad.
    QCOMPARE(f.speech->seats().table().count(), 10);
    // A delegate added while the page was away is known when it is shown again.
    DelegateRecord late;
    late.CellNo = "9";
    late.EmpName = "Eli";
    MeetingDatabase(f.meeting.root, f.meeting.meetingName, f.meeting.notifier).insertDelegate(late);
    f.speech->leave();
    f.speech->open();
    QCOMPARE(f.speech->nameOf(9), QStringLiteral("Eli"));
}

void TestSpeechController::clockShowsWholeSecondsAsMinutesAndSeconds_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("default") << 119 << "1:59";
    QTest::newRow("a whole minute") << 120 << "2:00";
    QTest::newRow("one second into a minute") << 65 << "1:05";
    QTest::newRow("last second") << 1 << "0:01";
    QTest::newRow("an hour") << 3600 << "60:00";
}

void TestSpeechController::clockShowsWholeSecondsAsMinutesAndSeconds()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(SpeakingTime::clockText(seconds), text);
}

void TestSpeechController::speakingTimeCountsDownEverySecondAndHandsOverTheKeypad()
{
    Fixture f;
    SpeakingTime &time = f.speech->speakingTime();
    time.setMinutesText("1");
    time.setSecondsText("1");
    time.accept();
    f.microphone(6, 1);
    f.speech->scan();
    QCOMPARE(time.speaking().size(), 1);
    QCOMPARE(time.speaking().first().name, QString());
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        shown << SpeakingTime::clockText(time.speaking().first().secondsLeft);
        f.speech->onSpeakingTick();
    }
    // No second lost at the turn of the minute.
    QCOMPARE(shown, (QStringList{"1:01", "1:00", "0:59"}));
    for (int i = 0; i < 57; ++i)
        f.speech->onSpeakingTick();
    QCOMPARE(time.speaking().first().secondsLeft, 1);
    QVERIFY(time.isEnding(time.speaking().first()));
    f.speech->onSpeakingTick();
    QVERIFY(time.speaking().isEmpty());
    QCOMPARE(f.speech->keypadText(), QStringLiteral("6"));
    // Still open after its time ran out: not counted again until the microphone closes and opens.
    f.speech->scan();
    QVERIFY(time.speaking().isEmpty());
    f.microphone(6, 0);
    f.speech->scan();
    f.microphone(6, 1);
    f.speech->scan();
    QCOMPARE(time.speaking().first().secondsLeft, 61);
}

void TestSpeechController::speakingTimeFieldsAreHeldToTheirRange()
{
    SpeakingTime time;
    time.setMinutesText("7x5");
    QCOMPARE(time.minutesText(), QStringLiteral("75"));
    time.setSecondsText("00");
    time.setCallAheadText("");
    time.accept();
    QCOMPARE(time.minutesText(), QStringLiteral("60"));
    QCOMPARE(time.secondsText(), QStringLiteral("0"));
    QCOMPARE(time.callAheadText(), QStringLiteral("0"));
    QCOMPARE(time.allowance(), 3600);
}

QTEST_GUILESS_MAIN(TestSpeechController)
#include "testspeechcontroller.moc"
