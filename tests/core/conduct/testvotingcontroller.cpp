#include "linkup.h"
#include "meetingfixture.h"
#include "motionfixture.h"

#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/base/colonlist.h"
#include "core/store/meetingdatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTest>

namespace {
struct Fixture
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    TextCatalogue catalogue;
    std::unique_ptr<VotingController> voting;

    // Delegates sit on keypads 1..delegates (all keypads when -1).
    explicit Fixture(int keypads = 10, int due = 10, int present = 8, int delegates = -1)
    {
        link.applySettings({keypads, 1, 1, 1});
        if (!meeting.create(due, delegates < 0 ? keypads : delegates))
            qFatal("meeting set-up failed");
        meeting.system->recordSignInCount(meeting.meetingName, QString::number(present));
        catalogue = TextCatalogue(writeVotingLanguageFile(meeting.dir));
        MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
        for (int type = 1; type <= 7; ++type) {
            const MotionRecord motion =
                motionOfType(QString("Motion \"%1\"").arg(type), type, QString("2026120810000%1").arg(type));
            database.insertMotion(motion);
            if (!motion.candidate.isEmpty())
                database.storeCandidates(motion.OveName, motion.candidate);
        }
        MotionRecord odd = motionOfType("Unknown type", 1, "20261208110000");
        odd.OveType = "no such type";
        database.insertMotion(odd);
        context = meeting.conference(link, hall, catalogue);
        context->state.signInClosed = true;
        voting = std::make_unique<VotingController>(*context);
        voting->open();
    }
    void keys(const QList<int> &codes)
    {
        for (int i = 0; i < codes.size(); ++i)
            link.table().entry(i + 1)->keyCode = codes[i];
    }
    // The commands the sequencer sends in the next ticks.
    QList<quint32> sent(int ticks = 1)
    {
        port->sent.clear();
        for (int i = 0; i < ticks; ++i)
            link.sequencer().tick();
        QList<quint32> commands;
        for (const LinkFrame &f : port->sent)
            commands.append(f.commandValue());
        return commands;
    }
    MotionRecord stored(int row)
    {
        MotionRecord record;
        MeetingDatabase(meeting.root, meeting.meetingName, meeting.notifier)
            .readMotion(voting->motions().OveName[row], record);
        return record;
    }
    void runToLive()
    {
        voting->start();
        voting->onAnnounce();
        voting->onCollect();
    }
    void finish()
    {
        voting->stop();
        link.sequencer().raise(LinkEvent::VotePassDone);
        voting->onFinalPassCheck();
        voting->onRelease();
    }
};
} // namespace

class TestVotingController : public QObject
{
    Q_OBJECT

private slots:
    void ballotIsRefusedBeforeASignInHasEnded();
    void yesNoBallotRunsItsSequenceAndStoresTheFinalCount();
    void liveTicksWriteTheResultAsTheyGo();
    void countDownOfFiveSecondsStopsTheBallot();
    void typeTextMatchingNothingKeepsTheType();
    void settingsWrittenBackAtStartByType();
    void electionShowsItsCandidatesAndStoresCounts();
    void rerunningAVotedMotionAsksFirst();
    void thresholdBeyondAHundredCountsAsAHundred();
    void onlyTheRostersKeypadsAreCounted();
    void stopDuringALossKeepsWhatWasCollectedWithoutAVerdict();
    void ballotEndsByItselfWhenTheBaseStationReturns();
    void monitorStatus_data();
    void monitorStatus();
    void noSelectionDisablesStartAndQuery();
    void aSignInAfterOpeningCountsAtTheNextStart();
    void largeDocumentArrivesWhileTheLinkKeepsPolling();
    void documentOverTheLimitIsRefusedByName();
};

void TestVotingController::aSignInAfterOpeningCountsAtTheNextStart()
{
    Fixture f(10, 10, 8);
    QCOMPARE(f.voting->present(), 8);
    f.meeting.system->recordSignInCount(f.meeting.meetingName, "4");
    f.voting->selectMotion(0);
    f.voting->start();
    QCOMPARE(f.voting->present(), 4);
    f.voting->onAnnounce();
    f.voting->onCollect();
    f.keys({1, 1, 1});
    f.finish();
    QCOMPARE(ColonList::split(f.stored(0).result, 3).value(2), "4"); // Unit, due, present
}

void TestVotingController::ballotIsRefusedBeforeASignInHasEnded()
{
    Fixture f;
    f.context->state.signInClosed = false;
    f.voting->selectMotion(0);
    f.voting->start();
    QCOMPARE(f.meeting.notifier.count(), 1);
    QCOMPARE(f.meeting.notifier.entries().first().text, OperatorText::catalogue("FrmMeeVote", "MsgLogFirst"));
    QCOMPARE(f.voting->phase(), VotingController::Phase::Idle);
    QCOMPARE(f.sent(), QList<quint32>{});
    QCOMPARE(f.stored(0).VoteState, "Ready");
}

void TestVotingController::yesNoBallotRunsItsSequenceAndStoresTheFinalCount()
{
    Fixture f(10, 10, 8);
    f.hall.show(HallScreen::Pane::NameBoard);
    f.voting->selectMotion(0);
    QCOMPARE(f.voting->type(), VoteType::YesNo);
    // A click on a motion leaves the hall alone; sending it on purpose shows its title.
    QCOMPARE(f.hall.pane(), HallScreen::Pane::NameBoard);
    f.voting->showMotionOnHall();
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Text);
    QVERIFY(f.hall.textDocument().toPlainText().contains(f.voting->motion().OveName));
    f.voting->setThreshold(60);
    f.voting->start();
    QCOMPARE(f.hall.chart().subcaption(), f.voting->motion().OveName);
    QCOMPARE(f.sent(), QList<quint32>{Command::PhaseStart});
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Chart);
    f.voting->onAnnounce();
    QCOMPARE(f.sent(), QList<quint32>{Command::BallotStartThree});
    QVERIFY(!f.voting->isSettingsGroupEnabled());
    f.voting->onCollect();
    QVERIFY(f.voting->isStopEnabled());
    QCOMPARE(f.sent(), QList<quint32>{Command::Poll | 1});

    f.keys({1, 1, 1, 2, 4, 3, 0, 1}); // keypad 6 pressed two keys: counted nowhere
    f.voting->onLiveTick();
    // Two delegates change their minds before the final pass.
    f.keys({1, 1, 2, 2, 4, 3, 0, 2});
    f.voting->stop();
    QCOMPARE(f.sent(), QList<quint32>{Command::BallotEnd});
    QCOMPARE(f.hall.chart().messageLines().value(0), "ended");
    f.link.sequencer().raise(LinkEvent::VotePassDone);
    f.voting->onFinalPassCheck();

    const BallotCounters counted = BallotTally::count(VoteType::YesNo, f.link.table(), 10);
    const BallotSettings settings{"present", "least", "60", "2", "Motion ", QString()};
    const TallyResult expected = BallotTally::tally(VoteType::YesNo, counted, 10, 8, settings,
                                                    TallyTexts::lookUp(f.catalogue.lookup()));
    const MotionRecord stored = f.stored(0);
    QCOMPARE(stored.result, expected.result);
    QCOMPARE(stored.VoteState, "Voted");
    QVERIFY(!stored.PollTimel.isEmpty());
    QCOMPARE(stored.VoteAbetValue, "60");
    // 2 of 8 present in favour: 25 % is below 60.
    QCOMPARE(f.voting->verdict(), "Motion failed");
    // The result names its motion, with the verdict under the title.
    QCOMPARE(f.hall.chart().caption(), f.voting->motion().OveName);
    QCOMPARE(f.hall.chart().subcaption(), "Motion failed");
    QVERIFY(f.voting->isQueryEnabled());
    f.voting->onRelease();
    QCOMPARE(f.sent(), QList<quint32>{Command::PhaseEnd});
    QVERIFY(f.voting->isStartEnabled());
}

void TestVotingController::liveTicksWriteTheResultAsTheyGo()
{
    Fixture f;
    f.voting->selectMotion(0);
    f.runToLive();
    f.keys({1, 1, 1});
    f.voting->onLiveTick();
    f.voting->waitForLiveResults();
    // A console that dies now must not leave what looks like an outcome: no verdict, not "voted".
    QCOMPARE(f.stored(0).VoteState, "Halted");
    QCOMPARE(f.stored(0).result, "2:10:8:3:0:0:5:37.50%:0.00%:0.00%::");
    QCOMPARE(f.hall.chart().resultText(), f.stored(0).result);
    QVERIFY(f.voting->verdict().isEmpty());
    QCOMPARE(f.hall.chart().caption(), "press now");
    QCOMPARE(f.hall.chart().subcaption(), f.voting->motion().OveName);
    QCOMPARE(f.hall.chart().screen(), ChartModel::Screen::Table);
    QCOMPARE(f.voting->preview().resultText(), f.hall.chart().resultText());
}

void TestVotingController::countDownOfFiveSecondsStopsTheBallot()
{
    Fixture f;
    f.voting->selectMotion(0);
    f.voting->setTimeLimit(true);
    QCOMPARE(f.voting->motion().VoteTimelValue, "5");
    f.runToLive();
    QStringList captions;
    for (int i = 0; i < 5; ++i) {
        f.voting->onCountDownTick();
        captions << f.hall.chart().caption();
    }
    QCOMPARE(captions, (QStringList{"Count down 00:04", "Count down 00:03", "Count down 00:02",
                                    "Count down 00:01", "Count down 00:00"}));
    f.voting->onLiveTick(); // live results keep the count-down caption
    QCOMPARE(f.hall.chart().caption(), "Count down 00:00");
    QCOMPARE(f.voting->phase(), VotingController::Phase::Live);
    f.voting->onCountDownTick();
    QCOMPARE(f.voting->phase(), VotingController::Phase::Waiting);
    QCOMPARE(f.sent(), QList<quint32>{Command::BallotEnd});
}

void TestVotingController::typeTextMatchingNothingKeepsTheType()
{
    Fixture f;
    f.voting->selectMotion(5); // scoring
    QCOMPARE(f.voting->type(), VoteType::Scoring);
    f.voting->selectMotion(7);
    QCOMPARE(f.voting->type(), VoteType::Scoring);
    // ... for the window, but the motion is not run: its result would be stored as a scoring.
    f.voting->start();
    QCOMPARE(f.voting->phase(), VotingController::Phase::Idle);
    QCOMPARE(f.meeting.notifier.entries().constLast().text,
             OperatorText::catalogue("FrmMeeVote", "MsgTypeUnknown", {"no such type"}));
    QCOMPARE(f.stored(7).OveType, "no such type");
    QVERIFY(f.sent(2).isEmpty());
}

void TestVotingController::settingsWrittenBackAtStartByType()
{
    Fixture f;
    f.voting->selectMotion(2); // several of three: its base stays as stored
    f.voting->setBase("due");
    f.voting->setTimeLimit(true);
    f.voting->start();
    QCOMPARE(f.stored(2).VoteBase, "present");
    QCOMPARE(f.stored(2).VoteTimelRes, "1");
}

void TestVotingController::electionShowsItsCandidatesAndStoresCounts()
{
    Fixture f;
    f.voting->selectMotion(4); // several of five
    QVERIFY(f.voting->isCandidateListEnabled());
    QCOMPARE(f.voting->candidateNames(), (QStringList{"Ana", "Bo", "Chen", "Dita", "Eli"}));
    f.runToLive();
    QCOMPARE(f.hall.chart().screen(), ChartModel::Screen::Legend); // the start screen names the keys
    QCOMPARE(f.hall.chart().legendFields().mid(5, 5), (QStringList{"Ana", "Bo", "Chen", "Dita", "Eli"}));
    f.keys({0x01 | 0x10, 0x02, 0x10, 0x1F});
    f.voting->onLiveTick();
    QCOMPARE(f.hall.chart().screen(), ChartModel::Screen::Table);
    f.finish();
    QCOMPARE(f.stored(4).result,
             BallotTally::tally(VoteType::ElectSeveralOfFive,
                                BallotTally::count(VoteType::ElectSeveralOfFive, f.link.table(), 10), 10, 8,
                                {}, TallyTexts::lookUp(f.catalogue.lookup()))
                 .result);
    QCOMPARE(f.hall.chart().labels().mid(0, 5), (QStringList{"Ana", "Bo", "Chen", "Dita", "Eli"}));
}

void TestVotingController::rerunningAVotedMotionAsksFirst()
{
    Fixture f;
    f.voting->selectMotion(0);
    f.runToLive();
    f.keys({1, 1, 1, 1});
    f.finish();
    const MotionRecord first = f.stored(0);
    f.voting->selectMotion(0);
    QVERIFY(f.voting->isQueryEnabled());
    f.meeting.notifier.queueAnswer(false);
    f.voting->start();
    QCOMPARE(f.meeting.notifier.entries().constLast().text,
             OperatorText::catalogue(
                 "FrmMeeVote", "MsgRevote",
                 {"2 / 10 / 8 / 4 / 0 / 0 / 4 / 50.00% / 0.00% / 0.00% / Motion passed", first.PollTimel}));
    QCOMPARE(f.voting->phase(), VotingController::Phase::Idle); // No changes nothing
    QCOMPARE(f.stored(0), first);
    f.meeting.notifier.queueAnswer(true);
    f.runToLive();
    f.keys({2, 2, 2, 2});
    f.finish();
    QVERIFY(f.stored(0).result != first.result);
}

void TestVotingController::thresholdBeyondAHundredCountsAsAHundred()
{
    Fixture f;
    MotionRecord stored = f.stored(0);
    stored.VoteAbetValue = "150";
    MeetingDatabase(f.meeting.root, f.meeting.meetingName, f.meeting.notifier).updateMotion(stored);
    f.voting->selectMotion(0);
    QCOMPARE(f.voting->motion().VoteAbetValue, "100");
    f.runToLive();
    f.keys({1, 1, 1, 1, 1, 1, 1, 1});
    f.finish();
    // 8 of 8 present is 100 %, which passes "at least 100" and would never pass 150.
    QCOMPARE(f.voting->verdict(), "Motion passed");
}

void TestVotingController::onlyTheRostersKeypadsAreCounted()
{
    Fixture f(56, 8, 8, 8); // eight delegates, 56 keypads answering
    f.voting->selectMotion(0);
    f.runToLive();
    f.keys(QList<int>(56, 1));
    f.voting->onLiveTick();
    f.finish();
    const QStringList fields = ColonList::split(f.stored(0).result, 11);
    QCOMPARE(fields.mid(1, 4), (QStringList{"8", "8", "8", "0"})); // due, present, yes, no
    QCOMPARE(fields.at(7), "100.00%");
    QList<int> strangers;
    for (int n = 9; n <= 56; ++n)
        strangers << n;
    QCOMPARE(f.voting->strangers(), strangers);
}

void TestVotingController::stopDuringALossKeepsWhatWasCollectedWithoutAVerdict()
{
    Fixture f;
    bringUp(f.link, *f.port);
    f.voting->selectMotion(0);
    f.runToLive();
    f.keys({1, 1, 1, 2});
    f.port->unplug();
    QVERIFY(f.voting->isStale());

    // No: the ballot waits; nothing goes towards the dead line.
    f.meeting.notifier.queueAnswer(false);
    f.voting->stop();
    QCOMPARE(f.meeting.notifier.entries().constLast().text,
             OperatorText::catalogue("FrmMeeVote", "MsgStopLost", {"1", "1"}));
    QVERIFY(f.voting->isWaitingForBaseStation());
    QCOMPARE(f.voting->phase(), VotingController::Phase::Live);
    QVERIFY(!f.sent(6).contains(Command::BallotEnd));

    // Asked again, Yes: the votes collected so far, halted and without a verdict.
    f.meeting.notifier.queueAnswer(true);
    f.voting->stop();
    const MotionRecord stored = f.stored(0);
    QCOMPARE(stored.VoteState, "Halted");
    QCOMPARE(stored.result, "2:10:8:3:1:0:4:37.50%:12.50%:0.00%::");
    QVERIFY(f.voting->verdict().isEmpty());
    QCOMPARE(f.hall.chart().caption(), f.voting->motion().OveName);
    QCOMPARE(f.hall.chart().subcaption(), "Halted");
    f.voting->onRelease();
    QCOMPARE(f.voting->phase(), VotingController::Phase::Idle);
    QVERIFY(f.voting->isQueryEnabled());
    // The base station comes back: the closing command goes out, the abandoned ballot's polls do not.
    answerTheSearch(f.link, *f.port);
    const QList<quint32> after = f.sent(4);
    QVERIFY(after.contains(Command::PhaseEnd));
    QVERIFY(!after.contains(Command::Poll | 1));
}

void TestVotingController::ballotEndsByItselfWhenTheBaseStationReturns()
{
    Fixture f;
    bringUp(f.link, *f.port);
    f.voting->selectMotion(0);
    f.runToLive();
    f.keys({1, 1, 1, 2});
    f.port->unplug();
    f.meeting.notifier.queueAnswer(false);
    f.voting->stop();
    QVERIFY(f.voting->isWaitingForBaseStation());
    answerTheSearch(f.link, *f.port);
    QVERIFY(!f.voting->isStale());
    QCOMPARE(f.voting->phase(), VotingController::Phase::Waiting);
    QCOMPARE(f.sent(), QList<quint32>{Command::BallotEnd});
    f.link.sequencer().onOneShot(OneShotTimer::VoteFinalPass);
    f.link.sequencer().noteAnswer();
    f.sent(11);
    f.voting->onFinalPassCheck();
    QCOMPARE(f.voting->phase(), VotingController::Phase::Releasing);
    QCOMPARE(f.stored(0).VoteState, "Voted");
    QCOMPARE(f.voting->verdict(), "Motion failed"); // 3 of 8 present
}

void TestVotingController::monitorStatus_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("status");
    QTest::newRow("nothing") << 0 << 0 << "----";
    QTest::newRow("one key") << 0 << 0x04 << "pressed";
    QTest::newRow("two keys in a single-key ballot") << 0 << 0x05 << "";
    QTest::newRow("two keys in several of five") << 4 << 0x05 << "pressed";
}

void TestVotingController::monitorStatus()
{
    QFETCH(int, type);
    QFETCH(int, code);
    QFETCH(QString, status);
    QCOMPARE(VotingController::monitorStatus(VoteType(type), code, "pressed"), status);
}

void TestVotingController::noSelectionDisablesStartAndQuery()
{
    Fixture f;
    f.voting->selectMotion(0);
    QVERIFY(f.voting->isStartEnabled());
    f.voting->selectMotion(-1);
    QVERIFY(!f.voting->isStartEnabled());
    QVERIFY(!f.voting->isQueryEnabled());
    f.voting->start();
    QCOMPARE(f.sent(), QList<quint32>{});
}

QTEST_GUILESS_MAIN(TestVotingController)
#include "testvotingcontroller.moc"

void TestVotingController::largeDocumentArrivesWhileTheLinkKeepsPolling()
{
    Fixture f;
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs48 ";
    const QByteArray paragraph =
        "The assembly decides on the budget and the accounts of the coming year.\\par\n";
    int paragraphs = 0;
    for (; rtf.size() < 20 * 1024 * 1024; ++paragraphs)
        rtf += paragraph;
    rtf += "The end.}";
    QFile file(f.meeting.root.filePath("MeeFile/folder/budget.rtf"));
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rtf) == rtf.size());
    file.close();
    QVERIFY(MeetingDatabase(f.meeting.root, f.meeting.meetingName, f.meeting.notifier)
                .storeContentFile("20261208100001", "budget.rtf"));

    QSignalSpy arrived(&f.hall, &HallScreen::textDocumentReplaced);
    f.voting->selectMotion(0);
    QCOMPARE(f.voting->motion().rtf, "budget.rtf");
    QVERIFY(!f.hall.isReadingDocument()); // a click alone sends nothing to the hall
    f.voting->showMotionOnHall();
    QVERIFY(f.hall.isReadingDocument());
    QVERIFY(f.hall.textDocument().isEmpty());
    f.runToLive();
    int polls = 0;
    while (arrived.isEmpty()) {
        f.port->sent.clear();
        f.link.sequencer().tick();
        polls += int(f.port->sent.size());
        arrived.wait(50);
    }
    QVERIFY(polls > 0);
    QCOMPARE(f.hall.textDocument().lastBlock().text(), "The end.");
    QCOMPARE(f.hall.textDocument().blockCount(), paragraphs + 1);
    QCOMPARE(f.meeting.notifier.count(), 0);
}

void TestVotingController::documentOverTheLimitIsRefusedByName()
{
    Fixture f;
    const QString path = f.meeting.root.filePath("MeeFile/folder/huge.rtf");
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    // Sparse: the size alone has to refuse it.
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(DocumentReader::MaxBytes + 1));
    file.close();
    QVERIFY(MeetingDatabase(f.meeting.root, f.meeting.meetingName, f.meeting.notifier)
                .storeContentFile("20261208100001", "huge.rtf"));
    f.voting->selectMotion(0);
    f.voting->showMotionOnHall();
    QVERIFY(!f.hall.isReadingDocument());
    QCOMPARE(f.meeting.notifier.entries().last().text.key, "MsgDocTooLarge");
    QVERIFY(f.meeting.notifier.entries().last().text.args.value(0).endsWith("huge.rtf"));
    // The hall shows the motion's name instead.
    QVERIFY(f.hall.textDocument().toPlainText().endsWith(f.voting->motion().OveName));
}
