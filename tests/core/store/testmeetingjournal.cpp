// The journal of a meeting: entries written with what they record, and a chain that gives away an entry
// edited, deleted or moved after it was written.

#include "core/store/meetingjournal.h"

#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include "core/base/dataroot.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"
#include "recordingnotifier.h"

class TestMeetingJournal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void changesInPreparationAreJournalledInOrder();
    void tamperingBreaksTheChain_data();
    void tamperingBreaksTheChain();
    void databaseFromBeforeTheJournalGainsIt();
    void refusedChangeLeavesNoEntry();

private:
    void run(const QString &sql);
    QList<JournalEntry> entries();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataRoot> m_root;
    RecordingNotifier m_notifier;
    const QString m_name = QStringLiteral("Board");
};

void TestMeetingJournal::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_root = std::make_unique<DataRoot>(m_dir->path());
    m_notifier.clear();
    QVERIFY(MeetingFiles::create(*m_root, m_name, m_notifier));
}

void TestMeetingJournal::run(const QString &sql)
{
    DatabaseAccess db(MeetingFiles::filePath(*m_root, m_name), m_notifier);
    QVERIFY(db.execute(sql));
}

QList<JournalEntry> TestMeetingJournal::entries()
{
    return MeetingJournal(*m_root, m_name, m_notifier).entries();
}

void TestMeetingJournal::changesInPreparationAreJournalledInOrder()
{
    MeetingDatabase db(*m_root, m_name, m_notifier);
    DelegateRecord delegate;
    delegate.CellNo = "7";
    delegate.EmpName = "Ana";
    QVERIFY(db.insertDelegate(delegate));
    MotionRecord motion;
    motion.OveName = "Budget";
    motion.insertdate = "20261208100000";
    QVERIFY(db.insertMotion(motion));
    QVERIFY(db.deleteDelegate("7"));
    QVERIFY(db.storeResult("Budget", "1:10:8:", "Voted", "2026/12/08/-10:00:00",
                           {{"BallotResult", "Budget", "{\"result\":\"1:10:8:\"}"}}));

    const QList<JournalEntry> list = entries();
    QCOMPARE(list.size(), 4);
    QCOMPARE(list[0].kind, "DelegateChanged");
    QVERIFY(list[0].content.contains("\"EmpName\":\"Ana\""));
    QCOMPARE(list[1].kind, "MotionChanged");
    QCOMPARE(list[1].motion, "Budget");
    QCOMPARE(list[2].kind, "DelegateChanged");
    QVERIFY(list[2].content.contains("\"op\":\"delete\""));
    QCOMPARE(list[3].kind, "BallotResult");
    for (int i = 0; i < list.size(); ++i)
        QCOMPARE(list[i].id, qint64(i + 1));
    QVERIFY(QDateTime::fromString(list[0].stamp, "yyyy-MM-dd HH:mm:ss.zzz").isValid());
    QVERIFY(MeetingJournal::checkChain(list).intact());
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingJournal::tamperingBreaksTheChain_data()
{
    QTest::addColumn<QString>("tampering");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("brokenAt");
    QTest::newRow("edited") << "update Journal set content = '{\"result\":\"forged\"}' where id = 2"
                            << int(MeetingJournal::Break::Edited) << 2;
    QTest::newRow("deleted") << "delete from Journal where id = 2" << int(MeetingJournal::Break::Missing) << 3;
    // Entries 2 and 3 trade places: each keeps its own hash, but the chain no longer runs through them.
    QTest::newRow("reordered") << "update Journal set id = 100 where id = 2; "
                                  "update Journal set id = 2 where id = 3; update Journal set id = 3 where id = 100"
                               << int(MeetingJournal::Break::Edited) << 2;
    // A forger who closes the gap after deleting still cannot make the next hash fit.
    QTest::newRow("deleted and renumbered")
        << "delete from Journal where id = 2; update Journal set id = id - 1 where id > 2"
        << int(MeetingJournal::Break::Edited) << 2;
}

void TestMeetingJournal::tamperingBreaksTheChain()
{
    QFETCH(QString, tampering);
    QFETCH(int, status);
    QFETCH(int, brokenAt);
    MeetingJournal journal(*m_root, m_name, m_notifier);
    for (int i = 1; i <= 4; ++i)
        QVERIFY(journal.record({{"BallotLive", "Budget", QString("{\"keys\":{\"%1\":1}}").arg(i)}}));
    QVERIFY(MeetingJournal::checkChain(entries()).intact());

    for (const QString &statement : tampering.split("; "))
        run(statement);
    const MeetingJournal::ChainCheck check = MeetingJournal::checkChain(entries());
    QCOMPARE(int(check.status), status);
    QCOMPARE(check.brokenAt, qint64(brokenAt));
}

void TestMeetingJournal::databaseFromBeforeTheJournalGainsIt()
{
    run("drop table Journal");
    QVERIFY(entries().isEmpty());
    MeetingDatabase db(*m_root, m_name, m_notifier);
    DelegateRecord delegate;
    delegate.CellNo = "3";
    QVERIFY(db.insertDelegate(delegate));
    QCOMPARE(entries().size(), 1);
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingJournal::refusedChangeLeavesNoEntry()
{
    // A result write that the engine refuses must not leave a journal entry claiming it was stored.
    run("create trigger refuse before update on Overture begin select raise(abort, 'refused'); end");
    MotionRecord motion;
    motion.OveName = "Budget";
    MeetingDatabase db(*m_root, m_name, m_notifier);
    QVERIFY(db.insertMotion(motion));
    const qsizetype before = entries().size();
    QVERIFY(!db.storeResult("Budget", "x:", "Voted", "now", {{"BallotResult", "Budget", "{}"}}));
    QCOMPARE(entries().size(), before);
    QCOMPARE(m_notifier.count(), 1);
}

QTEST_GUILESS_MAIN(TestMeetingJournal)
#include "testmeetingjournal.moc"
