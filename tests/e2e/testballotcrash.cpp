// A console killed with SIGKILL in the middle of a ballot against the simulated base station: at the
// next start the unfinished ballot is offered for recovery, and what is stored is what the journal
// re-counts.

#include "meetingfixture.h"
#include "motionfixture.h"
#include "simprocess.h"

#include "core/conduct/journalaudit.h"
#include "core/conduct/journalrecovery.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingjournal.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

namespace {
constexpr int Keypads = 40;

// Keypads 1..20 vote yes, 21..28 no, 29..33 abstain; 34..40 stay silent.
const char Scenario[] = "keypads 40\n"
                        "vote-delay 0.2\n"
                        "vote 1 1-20 keys 1\nvote 1 21-28 keys 2\nvote 1 29-33 keys 3\n";

struct Hall
{
    MeetingFixture meeting;
    SimProcess sim;
    QProcess child;
    QString languageFile;

    bool prepare()
    {
        if (!meeting.create(50, Keypads))
            return false;
        meeting.system->recordSignInCount(meeting.meetingName, "36");
        languageFile = writeVotingLanguageFile(meeting.dir);
        MotionRecord motion = motionOfType("Budget", 1, "20261208120000");
        motion.VoteBase = "due";
        motion.VoteAbet = "more";
        motion.VoteAbetValue = "30";
        MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
        if (!database.insertMotion(motion))
            return false;
        QFile file(meeting.dir.filePath("hall.scenario"));
        file.open(QIODevice::WriteOnly);
        file.write(Scenario);
        file.close();
        return sim.start({"--data-dir", meeting.dir.path(), "--port", "1", "--scenario", file.fileName()});
    }
    void startChild(int answers)
    {
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(QUORIX_BALLOT_CHILD),
                    {meeting.dir.path(), meeting.meetingName, languageFile, QString::number(Keypads),
                     QString::number(answers)});
    }
    bool waitFor(const QByteArray &line)
    {
        for (;;) {
            while (child.canReadLine()) {
                if (child.readLine().trimmed() == line)
                    return true;
            }
            if (!child.waitForReadyRead(30000))
                return false;
        }
    }
    void kill()
    {
        child.kill(); // SIGKILL
        child.waitForFinished(10000);
    }
    QList<JournalEntry> entries()
    {
        return MeetingJournal(meeting.root, meeting.meetingName, meeting.notifier).entries();
    }
    MotionRecord motion()
    {
        MotionRecord record;
        MeetingDatabase(meeting.root, meeting.meetingName, meeting.notifier).readMotion("Budget", record);
        return record;
    }
};
} // namespace

class TestBallotCrash : public QObject
{
    Q_OBJECT

private slots:
    void killedAfterEveryAnswerIsRecoveredWhole();
    void killedAtRandomStoresWhatTheJournalRecounts();
    void discardedBallotLeavesTheMotionAsItWas();
};

void TestBallotCrash::killedAfterEveryAnswerIsRecoveredWhole()
{
    Hall hall;
    QVERIFY2(hall.prepare(), qPrintable(hall.sim.errorText()));
    hall.startChild(33);
    QVERIFY(hall.waitFor("collected"));
    hall.kill();
    QCOMPARE(hall.child.exitStatus(), QProcess::CrashExit);

    // The restarted console finds the ballot and asks; Yes stores it.
    hall.meeting.notifier.queueAnswer(true);
    JournalRecovery(hall.meeting.root, *hall.meeting.system, hall.meeting.notifier).offer();
    QCOMPARE(hall.meeting.notifier.count(), 1);
    const OperatorText asked = hall.meeting.notifier.entries().first().text;
    QCOMPARE(asked.key, "MsgRecoverBallot");
    QCOMPARE(asked.args.value(1), "Budget");
    QCOMPARE(asked.args.value(3), "33");

    // 20 yes, 8 no, 5 abstain of 50 due with 36 present; halted, so no verdict.
    const MotionRecord stored = hall.motion();
    QCOMPARE(stored.result, "2:50:36:20:8:5:3:40.00%:16.00%:10.00%::");
    QCOMPARE(stored.VoteState, "Halted");
    const JournalAudit::Report report = JournalAudit::run(hall.entries(), {stored});
    QVERIFY(report.chain.intact());
    QCOMPARE(report.ballots.size(), 1);
    QCOMPARE(report.ballots.first().kind, "BallotRecovered");
    QVERIFY(report.allMatch());

    // Recovered once is recovered for good: the next start asks nothing.
    hall.meeting.notifier.clear();
    JournalRecovery(hall.meeting.root, *hall.meeting.system, hall.meeting.notifier).offer();
    QCOMPARE(hall.meeting.notifier.count(), 0);
}

void TestBallotCrash::killedAtRandomStoresWhatTheJournalRecounts()
{
    Hall hall;
    QVERIFY2(hall.prepare(), qPrintable(hall.sim.errorText()));
    hall.startChild(Keypads + 1); // never "collected": the kill comes at any moment of the live ballot
    QVERIFY(hall.waitFor("live"));
    QTest::qWait(QRandomGenerator::global()->bounded(0, 1500));
    hall.kill();

    JournalRecovery recovery(hall.meeting.root, *hall.meeting.system, hall.meeting.notifier);
    const QList<JournalRecovery::Unfinished> runs = recovery.scan();
    QCOMPARE(runs.size(), 1);
    QVERIFY(runs.first().ballot);
    QVERIFY(recovery.store(runs.first()));
    const MotionRecord stored = hall.motion();
    const JournalAudit::Report report = JournalAudit::run(hall.entries(), {stored});
    QVERIFY(report.allMatch());
    QCOMPARE(stored.result, JournalAudit::storedForm(report.ballots.first().kind, report.ballots.first().recounted));
    QCOMPARE(hall.meeting.notifier.count(), 0);
}

void TestBallotCrash::discardedBallotLeavesTheMotionAsItWas()
{
    Hall hall;
    QVERIFY2(hall.prepare(), qPrintable(hall.sim.errorText()));
    const MotionRecord before = hall.motion();
    hall.startChild(33);
    QVERIFY(hall.waitFor("collected"));
    hall.kill();
    QCOMPARE(hall.motion().VoteState, "Halted"); // the live writes left the collected figures

    // No to storing, Yes to discarding.
    hall.meeting.notifier.queueAnswer(false);
    hall.meeting.notifier.queueAnswer(true);
    JournalRecovery(hall.meeting.root, *hall.meeting.system, hall.meeting.notifier).offer();
    QCOMPARE(hall.meeting.notifier.count(), 2);
    QCOMPARE(hall.meeting.notifier.entries().last().text.key, "MsgRecoverDiscard");
    const MotionRecord after = hall.motion();
    QCOMPARE(after.result, before.result);
    QCOMPARE(after.VoteState, before.VoteState);
    QCOMPARE(hall.entries().last().kind, "BallotDiscarded");
    QVERIFY(MeetingJournal::checkChain(hall.entries()).intact());
}

QTEST_GUILESS_MAIN(TestBallotCrash)
#include "testballotcrash.moc"
