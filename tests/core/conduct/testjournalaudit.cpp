// Ballots run through the voting controller leave a journal from which every stored result re-counts;
// a forged key code or a changed result is found.

#include "linkup.h"
#include "meetingfixture.h"
#include "motionfixture.h"

#include "core/conduct/journalaudit.h"
#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"

#include <QSqlRecord>
#include <QTest>

namespace {
struct Ballots
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    TextCatalogue catalogue;
    std::unique_ptr<VotingController> voting;

    Ballots()
    {
        link.applySettings({10, 1, 1, 1});
        if (!meeting.create(10, 10))
            qFatal("meeting set-up failed");
        meeting.system->recordSignInCount(meeting.meetingName, "8");
        catalogue = TextCatalogue(writeVotingLanguageFile(meeting.dir));
        MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
        for (int type = 1; type <= 7; ++type) {
            const MotionRecord motion = motionOfType(QString("Motion %1").arg(type), type,
                                                     QString("2026120810000%1").arg(type));
            database.insertMotion(motion);
            if (!motion.candidate.isEmpty())
                database.storeCandidates(motion.OveName, motion.candidate);
        }
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
    // A ballot with a live tick half-way, so the journal holds live entries before the outcome.
    void ballot(int row, const QList<int> &halfway, const QList<int> &final)
    {
        voting->selectMotion(row);
        voting->start();
        voting->onAnnounce();
        voting->onCollect();
        keys(halfway);
        voting->onLiveTick();
        keys(final);
        voting->onLiveTick();
        voting->stop();
        link.sequencer().raise(LinkEvent::VotePassDone);
        voting->onFinalPassCheck();
        voting->onRelease();
    }
    QList<JournalEntry> entries() { return MeetingJournal(meeting.root, meeting.meetingName, meeting.notifier).entries(); }
    QList<MotionRecord> motions()
    {
        return MeetingDatabase(meeting.root, meeting.meetingName, meeting.notifier).allMotions();
    }
    void sql(const QString &statement, const QVariantList &values = {})
    {
        DatabaseAccess db(MeetingFiles::filePath(meeting.root, meeting.meetingName), meeting.notifier);
        QVERIFY(db.execute(statement, values));
    }
};
} // namespace

class TestJournalAudit : public QObject
{
    Q_OBJECT

private slots:
    void everyVoteTypeRecountsToItsStoredResult_data();
    void everyVoteTypeRecountsToItsStoredResult();
    void aBallotJournalsItsCourse();
    void forgeriesAreFound();
};

void TestJournalAudit::everyVoteTypeRecountsToItsStoredResult_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("stored");
    // Present 8 of 10 due; present base, at least 50 %, Unit "2", verdict prefix "Motion ".
    QTest::newRow("yes/no") << 0 << QList<int>{1, 1, 1, 2, 4, 3, 0, 0, 0, 0}
                            << "2:10:8:3:1:1:3:37.50%:12.50%:12.50%:Motion failed:";
    QTest::newRow("one of three") << 1 << QList<int>{1, 2, 2, 4, 3} << "1:2:1:";
    QTest::newRow("several of three") << 2 << QList<int>{3, 5, 4, 1} << "3:1:2:";
    QTest::newRow("one of five") << 3 << QList<int>{16, 8, 8, 1, 24} << "1:0:0:2:1:";
    QTest::newRow("several of five") << 4 << QList<int>{31, 16} << "1:1:1:1:2:";
    QTest::newRow("scoring") << 5 << QList<int>{1, 1, 4} << "8.67:";
    QTest::newRow("appraisal") << 6 << QList<int>{1, 1, 1, 1, 1, 2}
                               << "2:10:8:5:1:0:2:62.50%:12.50%:0.00%:Motion passed:";
}

void TestJournalAudit::everyVoteTypeRecountsToItsStoredResult()
{
    QFETCH(int, row);
    QFETCH(QList<int>, codes);
    QFETCH(QString, stored);
    Ballots b;
    b.ballot(row, codes.mid(0, 1), codes);
    const MotionRecord motion = b.motions().at(row);
    QCOMPARE(motion.result, stored);

    const JournalAudit::Report report = JournalAudit::run(b.entries(), b.motions());
    QVERIFY(report.chain.intact());
    QCOMPARE(report.ballots.size(), 1);
    const JournalAudit::BallotCheck &check = report.ballots.first();
    QCOMPARE(check.motion, motion.OveName);
    QVERIFY(check.startFound);
    QVERIFY(check.recountMatches);
    QCOMPARE(JournalAudit::storedForm(check.kind, check.recounted), stored);
    QCOMPARE(int(check.stored), int(JournalAudit::Stored::Matches));
    QVERIFY(report.allMatch());
    QCOMPARE(b.meeting.notifier.count(), 0);
}

void TestJournalAudit::aBallotJournalsItsCourse()
{
    Ballots b;
    const qsizetype before = b.entries().size();
    b.ballot(0, {1}, {1, 2, 0, 4});
    QStringList kinds;
    for (const JournalEntry &e : b.entries().mid(before))
        kinds << e.kind;
    // The settings written back and the start share a transaction; each live tick journals only what
    // changed (keypad 1, then keypads 2 and 4).
    QCOMPARE(kinds, (QStringList{"MotionChanged", "BallotStart", "BallotLive", "BallotLive", "BallotStop",
                                 "BallotResult"}));
    const QList<JournalEntry> list = b.entries().mid(before);
    QCOMPARE(list[2].content, "{\"keys\":{\"1\":1}}");
    QCOMPARE(list[3].content, "{\"keys\":{\"2\":2,\"4\":4}}");
    QCOMPARE(list[4].content, "{\"by\":\"operator\"}");
    const auto start = BallotJournal::readStart(list[1].content);
    QVERIFY(start);
    QCOMPARE(start->due, 10);
    QCOMPARE(start->present, 8);
    QCOMPARE(start->counted.size(), 10);
    QCOMPARE(start->settings.VoteAbetValue, "50");
    QCOMPARE(start->previousVoteState, "Ready");
}

void TestJournalAudit::forgeriesAreFound()
{
    Ballots b;
    b.ballot(0, {1}, {1, 1, 1, 1, 1, 2});
    QVERIFY(JournalAudit::run(b.entries(), b.motions()).allMatch());

    // The motion's row changed behind the console's back.
    b.sql("update Overture set result = ? where OveName = 'Motion 1'",
          {"2:10:8:1:5:0:2:12.50%:62.50%:0.00%:Motion failed:"});
    JournalAudit::Report report = JournalAudit::run(b.entries(), b.motions());
    QVERIFY(report.chain.intact());
    QCOMPARE(int(report.ballots.first().stored), int(JournalAudit::Stored::Differs));
    QVERIFY(!report.allMatch());

    // A forger who knows the hashing rewrites a key code and re-chains every entry: the chain holds, but
    // the journalled result no longer re-counts.
    QList<JournalEntry> forged = b.entries();
    JournalEntry &outcome = forged.last();
    QCOMPARE(outcome.kind, "BallotResult");
    outcome.content.replace("\"1\":1", "\"1\":2");
    QString previous;
    for (JournalEntry &e : forged) {
        e.hash = MeetingJournal::hashOf(previous, e);
        previous = e.hash;
    }
    report = JournalAudit::run(forged, b.motions());
    QVERIFY(report.chain.intact());
    QVERIFY(!report.ballots.first().recountMatches);
    QVERIFY(!report.allMatch());
}

QTEST_GUILESS_MAIN(TestJournalAudit)
#include "testjournalaudit.moc"
