#include "core/link/commandsequencer.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// Drives a sequencer tick by tick and keeps what left it: the frames sent (one entry per tick, 0 when
// nothing was sent), the ports opened and the one-shot timers asked for.
struct Driver
{
    CommandSequencer sequencer;
    QList<quint32> sent;
    QList<int> opened;
    QList<OneShotTimer> oneShots;
    bool answering = true; // every polled keypad answers; false: the line is dead

    explicit Driver(LinkSettings settings)
    {
        sequencer.applySettings(settings);
        QObject::connect(&sequencer, &CommandSequencer::sendRequested, [this](quint32 c) {
            sent.last() = c;
            if (answering && (c & 0xFFFF00) == Command::Poll && c != Command::Probe)
                sequencer.noteAnswer();
        });
        QObject::connect(&sequencer, &CommandSequencer::openPortRequested,
                         [this](int p) { opened.append(p); });
        QObject::connect(&sequencer, &CommandSequencer::oneShotRequested,
                         [this](OneShotTimer t) { oneShots.append(t); });
    }

    // Runs n timer ticks; returns the frames sent during them (0 for a silent tick).
    QList<quint32> ticks(int n)
    {
        const qsizetype from = sent.size();
        for (int i = 0; i < n; ++i) {
            sent.append(0);
            sequencer.onTickTimer();
        }
        return sent.mid(from);
    }
    quint32 tick() { return ticks(1).constFirst(); }
};

QList<quint32> polls(int first, int last)
{
    QList<quint32> frames;
    for (int n = first; n <= last; ++n)
        frames.append(Command::Poll | quint32(n));
    return frames;
}

// Runs the search up to a found base station on `port` and through the start-up roll call.
void runStartup(Driver &d, int port)
{
    d.sequencer.post(LinkMode::BaseStationSearch);
    while (d.sequencer.currentPort() < port)
        d.tick();
    d.sequencer.markBaseAnswered();
    while (d.sequencer.isSearching())
        d.tick();
    d.sequencer.onOneShot(OneShotTimer::StartupRollCall);
    while (!d.sequencer.isRaised(LinkEvent::LinkReady))
        d.tick();
}
// Runs the search from the lost state until the base station answers on `port`.
void findAgain(Driver &d, int port)
{
    while (d.sequencer.currentPort() < port)
        d.tick();
    d.sequencer.markBaseAnswered();
    while (d.sequencer.isLost())
        d.tick();
}
} // namespace

class TestCommandSequencer : public QObject
{
    Q_OBJECT

private slots:
    void searchTriesTheConfiguredPortsInOrder_data();
    void searchTriesTheConfiguredPortsInOrder();
    void searchStepsEveryThirdTick();
    void foundBaseStationStartsTheRollCall();
    void startupRollCallEndsWithLinkReadyAndClosingCommand();
    void monitorRollCallRaisesItsOwnFlag();
    void signInPollCyclesUntilTheFinalPass();
    void signInPollingWithFinalPassStillOnRunsOnePass();
    void votePollFinalPassRaisesVotePassDoneOnce();
    void postsWithinOneTickAreAllSentInOrder();
    void commandPostedDuringAPollIsNotLost();
    void keypadCountZeroEndsEveryPassAtOnce();
    void searchAgainAfterNoBaseStationStartsFromTheLowestPort();
    void mainWindowFlagsAreServedAtTheEndOfTheTick();
    void staleBaseAnswerDoesNotFindTheBaseStationOnNoPort();
    void silentFinalPassIsNotDoneAndTheBaseStationIsSought();
    void ballotPollResumesAfterTheBaseStationReturns();
    void postsDuringALossWaitUntilItReturns();
    void lossWithNothingRunningEndsInAQuietRollCall();
};

void TestCommandSequencer::searchTriesTheConfiguredPortsInOrder_data()
{
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::addColumn<QList<int>>("tried");
    QTest::newRow("3 to 5") << 3 << 5 << QList<int>{3, 4, 5};
    QTest::newRow("highest below lowest") << 5 << 3 << QList<int>{};
    QTest::newRow("lowest below 1 starts at 1") << -2 << 2 << QList<int>{1, 2};
    QTest::newRow("one port") << 7 << 7 << QList<int>{7};
}

void TestCommandSequencer::searchTriesTheConfiguredPortsInOrder()
{
    QFETCH(int, lowest);
    QFETCH(int, highest);
    QFETCH(QList<int>, tried);
    Driver d({10, 1, lowest, highest});
    d.sequencer.post(LinkMode::BaseStationSearch);
    int steps = 0;
    while (d.sequencer.isSearching() || steps == 0) {
        d.ticks(3);
        ++steps;
        QVERIFY(steps < 20);
    }
    QCOMPARE(d.opened, tried);
    QCOMPARE(d.sent.count(Command::Probe), tried.size());
    QVERIFY(d.sequencer.take(LinkEvent::NoBaseStation));
    QVERIFY(!d.sequencer.isRaised(LinkEvent::NoBaseStation));
    // Every port had one search step of three ticks; the step after the last port gave up.
    QCOMPARE(steps, tried.size() + 1);
}

void TestCommandSequencer::searchStepsEveryThirdTick()
{
    Driver d({10, 1, 1, 8});
    d.sequencer.post(LinkMode::BaseStationSearch);
    QCOMPARE(d.ticks(6), (QList<quint32>{0, 0, Command::Probe, 0, 0, Command::Probe}));
    QCOMPARE(d.opened, (QList<int>{1, 2}));
}

void TestCommandSequencer::foundBaseStationStartsTheRollCall()
{
    Driver d({3, 1, 1, 8});
    d.sequencer.post(LinkMode::BaseStationSearch);
    d.ticks(6); // ports 1 and 2 probed
    d.sequencer.markBaseAnswered();
    QCOMPARE(d.ticks(3), (QList<quint32>{0, 0, Command::PhaseStart}));
    QVERIFY(!d.sequencer.isSearching());
    QCOMPARE(d.sequencer.currentPort(), 2);
    QCOMPARE(d.sequencer.mode(), LinkMode::Idle);
    QCOMPARE(d.oneShots, QList<OneShotTimer>{OneShotTimer::StartupRollCall});
    // Nothing goes out while the 500 ms wait runs.
    QCOMPARE(d.ticks(5), QList<quint32>(5, 0));
}

void TestCommandSequencer::startupRollCallEndsWithLinkReadyAndClosingCommand()
{
    Driver d({4, 1, 1, 8});
    QSignalSpy finished(&d.sequencer, &CommandSequencer::startupSearchFinished);
    QSignalSpy shown(&d.sequencer, &CommandSequencer::showMainWindowRequested);
    d.sequencer.post(LinkMode::BaseStationSearch);
    d.ticks(3);
    d.sequencer.markBaseAnswered();
    d.ticks(3);
    d.sequencer.onOneShot(OneShotTimer::StartupRollCall);
    QCOMPARE(d.sequencer.mode(), LinkMode::StartupRollCall);
    QCOMPARE(d.ticks(4), polls(1, 4));
    QVERIFY(!d.sequencer.isRaised(LinkEvent::LinkReady));
    QCOMPARE(d.tick(), 0u);
    QVERIFY(d.sequencer.take(LinkEvent::LinkReady));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(d.oneShots.last(), OneShotTimer::PhaseEndCommand);
    d.sequencer.onOneShot(OneShotTimer::PhaseEndCommand);
    QCOMPARE(d.ticks(3), (QList<quint32>{Command::PhaseEnd, 0, 0}));
    QCOMPARE(d.sequencer.mode(), LinkMode::Idle);
}

void TestCommandSequencer::monitorRollCallRaisesItsOwnFlag()
{
    Driver d({5, 1, 1, 8});
    runStartup(d, 1);
    d.sequencer.take(LinkEvent::LinkReady);
    d.sequencer.post(LinkMode::MonitorRollCall);
    QCOMPARE(d.ticks(6), QList<quint32>(polls(1, 5)) << 0);
    QVERIFY(d.sequencer.take(LinkEvent::RollCallDone));
    QVERIFY(!d.sequencer.isRaised(LinkEvent::LinkReady));
    QCOMPARE(d.ticks(3), QList<quint32>(3, 0));
}

void TestCommandSequencer::signInPollCyclesUntilTheFinalPass()
{
    Driver d({3, 1, 1, 8});
    d.sequencer.post(LinkMode::SignInPolling);
    // Keypads 1..3, a turn-around tick, and round again.
    QCOMPARE(d.ticks(8), (QList<quint32>{polls(1, 3) << 0 << polls(1, 3) << 0}));
    d.ticks(1);
    d.sequencer.post(LinkMode::SignInFinalPass, Command::SignInEnd);
    QCOMPARE(d.ticks(3), (QList<quint32>{Command::SignInEnd, 0, 0}));
    QCOMPARE(d.oneShots, QList<OneShotTimer>{OneShotTimer::SignInFinalPass});
    QVERIFY(!d.sequencer.isRaised(LinkEvent::SignInPassDone));
    d.sequencer.onOneShot(OneShotTimer::SignInFinalPass);
    QCOMPARE(d.ticks(3), polls(1, 3));
    QVERIFY(!d.sequencer.isRaised(LinkEvent::SignInPassDone));
    d.ticks(1);
    QVERIFY(d.sequencer.take(LinkEvent::SignInPassDone));
    QCOMPARE(d.ticks(6), QList<quint32>(6, 0));
    QVERIFY(!d.sequencer.isRaised(LinkEvent::SignInPassDone));
}

void TestCommandSequencer::signInPollingWithFinalPassStillOnRunsOnePass()
{
    Driver d({2, 1, 1, 8});
    d.sequencer.post(LinkMode::SignInFinalPass, Command::SignInEnd);
    d.tick();
    d.sequencer.post(LinkMode::SignInPolling);
    QCOMPARE(d.ticks(3), (QList<quint32>{polls(1, 2) << 0}));
    QVERIFY(d.sequencer.take(LinkEvent::SignInPassDone));
    QVERIFY(!d.sequencer.isSignInPollRunning());
}

void TestCommandSequencer::votePollFinalPassRaisesVotePassDoneOnce()
{
    Driver d({2, 1, 1, 8});
    d.sequencer.post(LinkMode::VoteCommand, Command::BallotStartThree);
    QCOMPARE(d.tick(), Command::BallotStartThree);
    d.sequencer.post(LinkMode::VotePolling);
    QCOMPARE(d.ticks(6), (QList<quint32>{polls(1, 2) << 0 << polls(1, 2) << 0}));
    d.sequencer.post(LinkMode::VoteFinalPass, Command::BallotEnd);
    QCOMPARE(d.tick(), Command::BallotEnd);
    QCOMPARE(d.oneShots, QList<OneShotTimer>{OneShotTimer::VoteFinalPass});
    d.sequencer.onOneShot(OneShotTimer::VoteFinalPass);
    QCOMPARE(d.ticks(4), (QList<quint32>{polls(1, 2) << 0 << 0}));
    QVERIFY(d.sequencer.take(LinkEvent::VotePassDone));
    QVERIFY(!d.sequencer.take(LinkEvent::VotePassDone));
    QVERIFY(!d.sequencer.isRaised(LinkEvent::SignInPassDone));
}

// Before, a second post within one tick replaced the first: a lock right after a close, or the stop
// right after a camera movement, was never sent.
void TestCommandSequencer::postsWithinOneTickAreAllSentInOrder()
{
    Driver d({2, 1, 1, 8});
    d.sequencer.post(LinkMode::SpeechCommand, Command::MicOpen | 5);
    d.sequencer.post(LinkMode::CameraCommand, 0xABCDEF);
    d.sequencer.post(LinkMode::SpeechCommand, Command::Exclude | 5);
    QCOMPARE(d.sequencer.queuedPosts(), 3);
    QCOMPARE(d.ticks(4), (QList<quint32>{Command::MicOpen | 5, 0xABCDEF, Command::Exclude | 5, 0}));
    QCOMPARE(d.sequencer.mode(), LinkMode::SpeechCommand);
    // The conduct windows' mode changes keep their rule: the later one replaces the earlier.
    d.sequencer.post(LinkMode::PlainCommand, Command::PhaseStart);
    d.sequencer.post(LinkMode::CameraCommand, Command::CameraUp);
    d.sequencer.post(LinkMode::PlainCommand, Command::SignInStart);
    d.sequencer.post(LinkMode::PlainCommand, Command::SignInFill);
    QCOMPARE(d.ticks(4), (QList<quint32>{Command::PhaseStart, Command::CameraUp, Command::SignInFill, 0}));
    // Posts made while the base station is away are kept in their order too.
    runStartup(d, 1);
    d.sequencer.markLost();
    d.sequencer.post(LinkMode::CameraCommand, Command::CameraUp);
    d.sequencer.post(LinkMode::CameraCommand, Command::CameraStop);
    findAgain(d, 1);
    QCOMPARE(d.ticks(3), (QList<quint32>{Command::CameraUp, Command::CameraStop, 0}));
}

void TestCommandSequencer::commandPostedDuringAPollIsNotLost()
{
    Driver d({4, 1, 1, 8});
    d.sequencer.post(LinkMode::SignInPolling);
    QCOMPARE(d.ticks(2), polls(1, 2));
    d.sequencer.post(LinkMode::PlainCommand, Command::SignInFill);
    // The command has its tick; the poll then goes on with keypad 3 and keeps cycling.
    QCOMPARE(d.ticks(5), (QList<quint32>{Command::SignInFill, Command::Poll | 3, Command::Poll | 4, 0,
                                         Command::Poll | 1}));
    QVERIFY(d.sequencer.isSignInPollRunning());
}

void TestCommandSequencer::keypadCountZeroEndsEveryPassAtOnce()
{
    Driver d({0, 1, 1, 8});
    runStartup(d, 1);
    QVERIFY(d.sequencer.take(LinkEvent::LinkReady));
    d.sequencer.post(LinkMode::MonitorRollCall);
    d.tick();
    QVERIFY(d.sequencer.take(LinkEvent::RollCallDone));
    d.sequencer.post(LinkMode::VoteFinalPass, Command::BallotEnd);
    d.tick();
    d.sequencer.onOneShot(OneShotTimer::VoteFinalPass);
    QCOMPARE(d.tick(), 0u);
    QVERIFY(d.sequencer.take(LinkEvent::VotePassDone));
    QVERIFY(!d.sent.contains(Command::Poll));
}

void TestCommandSequencer::searchAgainAfterNoBaseStationStartsFromTheLowestPort()
{
    Driver d({10, 1, 2, 3});
    d.sequencer.post(LinkMode::BaseStationSearch);
    d.ticks(9);
    QVERIFY(d.sequencer.take(LinkEvent::NoBaseStation));
    QCOMPARE(d.sequencer.mode(), LinkMode::BaseStationSearch);
    d.ticks(6);
    QCOMPARE(d.opened, (QList<int>{2, 3}));
    d.sequencer.post(LinkMode::BaseStationSearch);
    d.ticks(3);
    QCOMPARE(d.opened, (QList<int>{2, 3, 2}));
}

void TestCommandSequencer::mainWindowFlagsAreServedAtTheEndOfTheTick()
{
    Driver d({10, 1, 1, 8});
    QSignalSpy hidden(&d.sequencer, &CommandSequencer::hideMainWindowRequested);
    QSignalSpy shown(&d.sequencer, &CommandSequencer::showMainWindowRequested);
    d.sequencer.requestHideMainWindow();
    QCOMPARE(hidden.count(), 0);
    d.tick();
    d.tick();
    QCOMPARE(hidden.count(), 1);
    d.sequencer.requestShowMainWindow();
    d.tick();
    QCOMPARE(shown.count(), 1);
}

void TestCommandSequencer::staleBaseAnswerDoesNotFindTheBaseStationOnNoPort()
{
    Driver d({3, 1, 2, 3});
    d.sequencer.markBaseAnswered(); // a late answer from before
    d.sequencer.post(LinkMode::BaseStationSearch);
    d.ticks(3);
    QVERIFY(d.sequencer.isSearching());
    QCOMPARE(d.opened, QList<int>{2});
}


void TestCommandSequencer::silentFinalPassIsNotDoneAndTheBaseStationIsSought()
{
    Driver d({3, 1, 1, 2});
    runStartup(d, 2);
    QSignalSpy lost(&d.sequencer, &CommandSequencer::linkLost);
    d.sequencer.post(LinkMode::VotePolling);
    d.ticks(4);
    d.sequencer.post(LinkMode::VoteFinalPass, Command::BallotEnd);
    d.tick();
    d.sequencer.onOneShot(OneShotTimer::VoteFinalPass);
    d.answering = false; // the line died just after the ballot-end command
    QCOMPARE(d.ticks(4), (QList<quint32>{polls(1, 3) << 0}));
    QVERIFY(!d.sequencer.isRaised(LinkEvent::VotePassDone));
    QVERIFY(d.sequencer.isLost());
    QCOMPARE(lost.count(), 1);
    QCOMPARE(d.sequencer.voteFinalPassProgress(), 0);

    // The search sweeps the range and, finding nothing, asks for another sweep.
    d.opened.clear();
    d.oneShots.clear();
    d.ticks(9);
    QCOMPARE(d.opened, (QList<int>{1, 2}));
    QCOMPARE(d.oneShots, QList<OneShotTimer>{OneShotTimer::SearchAgain});
    d.sequencer.onOneShot(OneShotTimer::SearchAgain);
    d.opened.clear();
    d.answering = true;
    d.oneShots.clear();
    findAgain(d, 2);
    QCOMPARE(d.opened, (QList<int>{1, 2}));
    // The final pass starts over: the closing command again, half a second, a whole pass, then done.
    QCOMPARE(d.tick(), Command::BallotEnd);
    QCOMPARE(d.oneShots, QList<OneShotTimer>{OneShotTimer::VoteFinalPass});
    d.sequencer.onOneShot(OneShotTimer::VoteFinalPass);
    QCOMPARE(d.ticks(2), polls(1, 2));
    QCOMPARE(d.sequencer.voteFinalPassProgress(), 66);
    d.ticks(2);
    QVERIFY(d.sequencer.take(LinkEvent::VotePassDone));
}

void TestCommandSequencer::ballotPollResumesAfterTheBaseStationReturns()
{
    Driver d({4, 1, 1, 1});
    runStartup(d, 1);
    d.sequencer.post(LinkMode::VoteCommand, Command::BallotStartThree);
    d.tick();
    d.sequencer.post(LinkMode::VotePolling);
    QCOMPARE(d.ticks(2), polls(1, 2));
    d.sequencer.markLost();
    QVERIFY(!d.sequencer.hasBaseStation());
    // No poll goes out while the base station is away; the search probes instead.
    const QList<quint32> during = d.ticks(3);
    QVERIFY(!during.contains(Command::Poll | 3));
    QVERIFY(during.contains(Command::Probe));
    findAgain(d, 1);
    // Polling goes on from keypad 1 without a new start command, which would clear the keypads' answers.
    QCOMPARE(d.sent.last(), Command::Poll | 1);
    QCOMPARE(d.ticks(3), polls(2, 4));
    QVERIFY(!d.sent.mid(d.sent.size() - 8).contains(Command::BallotStartThree));
    QCOMPARE(d.sequencer.mode(), LinkMode::VotePolling);
}

void TestCommandSequencer::postsDuringALossWaitUntilItReturns()
{
    Driver d({2, 1, 1, 1});
    runStartup(d, 1);
    d.sequencer.post(LinkMode::SignInPolling);
    d.ticks(2);
    d.sequencer.markLost();
    d.sequencer.post(LinkMode::SignInFinalPass, Command::SignInEnd);
    QVERIFY(!d.ticks(3).contains(Command::SignInEnd));
    QCOMPARE(d.sequencer.mode(), LinkMode::BaseStationSearch);
    findAgain(d, 1);
    QCOMPARE(d.tick(), Command::SignInEnd);
    d.sequencer.onOneShot(OneShotTimer::SignInFinalPass);
    d.ticks(3);
    QVERIFY(d.sequencer.take(LinkEvent::SignInPassDone));
}

void TestCommandSequencer::lossWithNothingRunningEndsInAQuietRollCall()
{
    Driver d({2, 1, 1, 1});
    runStartup(d, 1);
    d.sequencer.take(LinkEvent::LinkReady);
    QSignalSpy shown(&d.sequencer, &CommandSequencer::showMainWindowRequested);
    QSignalSpy finished(&d.sequencer, &CommandSequencer::startupSearchFinished);
    d.oneShots.clear();
    d.sequencer.markLost();
    findAgain(d, 1);
    QCOMPARE(d.sent.last(), Command::PhaseStart); // in the tick that heard the base station
    QCOMPARE(d.oneShots, QList<OneShotTimer>{OneShotTimer::StartupRollCall});
    d.sequencer.onOneShot(OneShotTimer::StartupRollCall);
    QCOMPARE(d.ticks(3), (QList<quint32>{polls(1, 2) << 0}));
    QCOMPARE(d.oneShots.last(), OneShotTimer::PhaseEndCommand);
    // Not the start-up: no second "link ready", and a hub window in front stays in front.
    QVERIFY(!d.sequencer.isRaised(LinkEvent::LinkReady));
    QCOMPARE(shown.count(), 0);
    QCOMPARE(finished.count(), 0);
}

QTEST_GUILESS_MAIN(TestCommandSequencer)
#include "testcommandsequencer.moc"
