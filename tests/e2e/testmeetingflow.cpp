// A meeting run through the sign-in and voting controllers against the simulated base station as a
// separate process, in real time: the delegates are the scenario's.

#include "meetingfixture.h"
#include "motionfixture.h"
#include "simprocess.h"

#include "core/conduct/signincontroller.h"
#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "core/output/hallscreen.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"

#include <QFile>
#include <QSqlRecord>
#include <QTest>

namespace {
constexpr int Keypads = 60;
constexpr int FlowTimeoutMs = 30000;

// Keypads 56..60 are off line; 1..45 sign in while polling runs. The ballots, in the order the test runs
// them: yes/no, several of five, scoring, appraisal, yes/no with a count-down.
const char Scenario[] =
    "keypads 60\n"
    "offline 56-60\n"
    "signin 1-45 after 0.2\n"
    "vote-delay 0.2\n"
    "vote 1 1-20 keys 1\nvote 1 21-28 keys 2\nvote 1 29-33 keys 3\nvote 1 34-35 keys 1+2\n"
    "vote 2 1-10 keys 1+5\nvote 2 11-30 keys 3\nvote 2 31-40 keys 2+4+5\n"
    "vote 3 1-30 keys 5\nvote 3 31-40 keys 2\n"
    "vote 4 1-25 keys 1\nvote 4 26-35 keys 2\nvote 4 36-40 keys 3\n"
    "vote 5 1-30 keys 1\n";

struct Meeting
{
    MeetingFixture meeting;
    SimProcess sim;
    std::unique_ptr<Link> link;
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    TextCatalogue catalogue;

    int keypads = Keypads;

    bool start(int due = 50, int delegates = Keypads, int hallKeypads = Keypads,
               const QByteArray &scenario = Scenario)
    {
        keypads = hallKeypads;
        if (!meeting.create(due, delegates, "1", "67"))
            return false;
        catalogue = TextCatalogue(writeVotingLanguageFile(meeting.dir));
        MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
        const int types[] = {1, 5, 6, 7, 1};
        for (int i = 0; i < 5; ++i) {
            MotionRecord motion =
                motionOfType(QString("Ballot %1").arg(i + 1), types[i], QString("2026120812000%1").arg(i));
            motion.VoteAbetValue = "60";
            if (i == 4) {
                motion.VoteTimelRes = "1";
                motion.VoteTimelValue = "5";
            }
            database.insertMotion(motion);
            if (!motion.candidate.isEmpty())
                database.storeCandidates(motion.OveName, motion.candidate);
        }
        QFile file(meeting.dir.filePath("hall.scenario"));
        file.open(QIODevice::WriteOnly);
        file.write(scenario);
        file.close();
        if (!sim.start(
                {"--data-dir", meeting.dir.path(), "--port", "1", "--scenario", file.fileName(), "--pace"}))
            return false;
        link = std::make_unique<Link>(
            std::make_unique<SerialLinkPort>(PortResolver(meeting.dir.path(), false)), meeting.notifier);
        link->applySettings({keypads, 1, 1, 1});
        link->start();
        context = meeting.conference(*link, hall, catalogue);
        return QTest::qWaitFor([this] { return link->sequencer().isRaised(LinkEvent::LinkReady); },
                               FlowTimeoutMs);
    }

    QList<int> keyCodes() const
    {
        QList<int> codes;
        for (int n = 1; n <= keypads; ++n)
            codes << link->table().at(n).keyCode;
        return codes;
    }
};
} // namespace

class TestMeetingFlow : public QObject
{
    Q_OBJECT

private slots:
    void signInThenEveryKindOfBallot();
    void ballotSurvivesAPulledLineAndOnlyTheRosterCounts();
};

void TestMeetingFlow::signInThenEveryKindOfBallot()
{
    Meeting m;
    QVERIFY2(m.start(), qPrintable(m.sim.errorText()));
    SignInController signIn(*m.context);
    signIn.open();

    // Sign-in: 45 during polling, two more in the final pass.
    signIn.start();
    QTRY_COMPARE_WITH_TIMEOUT(signIn.signedCount(), 45, FlowTimeoutMs);
    QVERIFY(signIn.isEndEnabled());
    signIn.end();
    QCOMPARE(m.sim.command("signin 46,47"), "ok");
    QTRY_VERIFY_WITH_TIMEOUT(signIn.isStartEnabled(), FlowTimeoutMs);
    QVERIFY(m.context->state.signInClosed);
    QCOMPARE(signIn.signedCount(), 47);
    QCOMPARE(signIn.absent(), 3);
    QCOMPARE(m.hall.chart().resultFields().mid(0, 3), (QStringList{"50", "47", "3"}));
    MeetingRecord record;
    QVERIFY(m.meeting.system->readMeeting(m.meeting.meetingName, record));
    QCOMPARE(record.SignIn, "47");
    {
        DatabaseAccess access(MeetingFiles::filePath(m.meeting.root, m.meeting.meetingName),
                              m.meeting.notifier);
        QVERIFY(access.open());
        const QList<QSqlRecord> rows = access.query("select CellNo, sign from Employees");
        QCOMPARE(rows.size(), Keypads);
        for (const QSqlRecord &row : rows)
            QCOMPARE(row.value(1).toString(), row.value(0).toInt() <= 47 ? "present" : "absent");
        QCOMPARE(access.query("select ID from SignIn").size(), Keypads);
    }

    // A late sign-in adds keypad 50 without forgetting the others; a single query signs in 49, which
    // answered the start-up roll call, but not 58, which is off line.
    QCOMPARE(m.sim.command("signin 50"), "ok");
    signIn.fill();
    QTRY_COMPARE_WITH_TIMEOUT(signIn.signedCount(), 48, FlowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(signIn.isEndEnabled(), FlowTimeoutMs);
    signIn.end();
    QTRY_VERIFY_WITH_TIMEOUT(signIn.isStartEnabled(), FlowTimeoutMs);
    QVERIFY(signIn.queryKeypad("49"));
    QTest::qWait(300);
    QVERIFY(signIn.queryKeypad("58"));
    QTest::qWait(300);
    QCOMPARE(m.link->table().at(49).signedIn, 1);
    QCOMPARE(m.link->table().at(58).signedIn, 0);
    // The keypad signed in by the console counts in the meeting's present number at once.
    QVERIFY(m.meeting.system->readMeeting(m.meeting.meetingName, record));
    QCOMPARE(record.SignIn, "49");

    VotingController voting(*m.context);
    voting.open();
    QCOMPARE(voting.present(), 49);
    const TallyTexts texts = TallyTexts::lookUp(m.catalogue.lookup());
    for (int row = 0; row < 5; ++row) {
        voting.selectMotion(row);
        voting.start();
        QTRY_COMPARE_WITH_TIMEOUT(voting.phase(), VotingController::Phase::Live, FlowTimeoutMs);
        if (row == 0) {
            // Two delegates change their minds before the final pass.
            QTest::qWait(2500);
            QCOMPARE(m.sim.command("press 1 2"), "ok");
            QCOMPARE(m.sim.command("press 21 1"), "ok");
        }
        if (row == 4) {
            // The count-down stops this one by itself.
            QTRY_COMPARE_WITH_TIMEOUT(m.hall.chart().caption(), "Count down 00:00", FlowTimeoutMs);
        } else {
            QTest::qWait(2500);
            voting.stop();
        }
        QTRY_COMPARE_WITH_TIMEOUT(voting.phase(), VotingController::Phase::Idle, FlowTimeoutMs);

        const VoteType type = voting.type();
        const QList<int> codes = m.keyCodes();
        const TallyResult expected =
            BallotTally::tally(type, BallotTally::count(type, codes), 50, 49,
                               {"present", "least", "60", "2", "Motion ", voting.motion().mark}, texts);
        const MotionRecord stored = voting.motion();
        QCOMPARE(stored.result, expected.result);
        QCOMPARE(stored.VoteState, "Voted");
        QVERIFY(!stored.PollTimel.isEmpty());
        switch (row) {
        case 0:
            QCOMPARE(codes.mid(0, 2), (QList<int>{2, 1}));
            QCOMPARE(codes.at(20), 1);
            QCOMPARE(codes.at(34), 3);                   // keys 1 and 2 together count nowhere
            QCOMPARE(voting.verdict(), "Motion failed"); // 20 of 49 in favour is below 60 %
            break;
        case 1:
            QCOMPARE(codes.at(0), 0x11);
            QCOMPARE(expected.counters.count(5), 20);
            break;
        case 2:
            QCOMPARE(expected.counters.count(5), 30);
            break;
        case 3:
            QCOMPARE(expected.counters.count(1), 25);
            QCOMPARE(expected.counters.count(2), 10);
            break;
        default:
            QCOMPARE(expected.counters.count(1), 30);
            break;
        }
    }
    // The only message: keypad 58 did not answer its query.
    QCOMPARE(m.meeting.notifier.count(), 1);
    QCOMPARE(m.meeting.notifier.entries().constFirst().text,
             OperatorText::catalogue("FrmManChe", "MsgQueryNone", {"58"}));
}

// Eight delegates on the roster in a hall where 56 keypads answer; the base station's cable is pulled in
// the middle of the ballot and plugged back.
void TestMeetingFlow::ballotSurvivesAPulledLineAndOnlyTheRosterCounts()
{
    Meeting m;
    QVERIFY2(m.start(8, 8, 56,
                     "keypads 56\nsignin 1-56 after 0.2\nvote-delay 0.2\n"
                     "vote 1 1-5 keys 1\nvote 1 6-8 keys 2\nvote 1 9-56 keys 1\n"),
             qPrintable(m.sim.errorText()));
    SignInController signIn(*m.context);
    signIn.open();
    signIn.start();
    QTRY_COMPARE_WITH_TIMEOUT(signIn.strangers().size(), 48, FlowTimeoutMs);
    QCOMPARE(signIn.signedCount(), 8); // never 56
    QCOMPARE(signIn.absent(), 0);
    QCOMPARE(signIn.strangers().constFirst(), 9);
    QTRY_VERIFY_WITH_TIMEOUT(signIn.isEndEnabled(), FlowTimeoutMs);
    signIn.end();
    QTRY_VERIFY_WITH_TIMEOUT(signIn.isStartEnabled(), FlowTimeoutMs);
    MeetingRecord record;
    QVERIFY(m.meeting.system->readMeeting(m.meeting.meetingName, record));
    QCOMPARE(record.SignIn, "8");

    VotingController voting(*m.context);
    voting.open();
    voting.selectMotion(0);
    voting.start();
    QTRY_COMPARE_WITH_TIMEOUT(voting.phase(), VotingController::Phase::Live, FlowTimeoutMs);
    QTest::qWait(2500);

    QCOMPARE(m.sim.command("unplug"), "ok");
    QTRY_VERIFY_WITH_TIMEOUT(voting.isStale(), FlowTimeoutMs);
    // A delegate changes his mind while the line is out: only the resumed poll can bring that in.
    QCOMPARE(m.sim.command("press 6 1"), "ok");
    QTest::qWait(1000);
    voting.waitForLiveResults();
    MeetingDatabase database(m.meeting.root, m.meeting.meetingName, m.meeting.notifier);
    MotionRecord during;
    database.readMotion(voting.motion().OveName, during);
    QCOMPARE(during.VoteState, "Halted"); // nothing stored looks like an outcome meanwhile

    QCOMPARE(m.sim.command("replug"), "ok");
    // Nobody asks for a search: the console finds the base station again by itself.
    QTRY_VERIFY_WITH_TIMEOUT(m.link->hasBaseStation(), FlowTimeoutMs);
    QVERIFY(!voting.isStale());
    QTest::qWait(2500); // a whole pass of the resumed poll
    voting.stop();
    QTRY_COMPARE_WITH_TIMEOUT(voting.phase(), VotingController::Phase::Idle, FlowTimeoutMs);

    const MotionRecord stored = voting.motion();
    QCOMPARE(stored.VoteState, "Voted");
    // Unit, due, present, yes, no, abstain, not answered, percentages, verdict: 6 of 8 in favour.
    QCOMPARE(stored.result, "2:8:8:6:2:0:0:75.00%:25.00%:0.00%:Motion passed:");
    QCOMPARE(voting.strangers().size(), 48);
    QCOMPARE(m.meeting.notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestMeetingFlow)
#include "testmeetingflow.moc"
