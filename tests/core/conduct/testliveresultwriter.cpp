#include "meetingfixture.h"
#include "motionfixture.h"

#include "core/conduct/liveresultwriter.h"
#include "core/store/meetingdatabase.h"

#include <QTest>

class TestLiveResultWriter : public QObject
{
    Q_OBJECT

private slots:
    void theNewestResultIsTheOneStored();
    void aFailingWriteIsReportedOnceOnTheInterfaceThread();
};

void TestLiveResultWriter::theNewestResultIsTheOneStored()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(10, 0));
    QVERIFY(MeetingDatabase(meeting.root, meeting.meetingName, meeting.notifier)
                .insertMotion(motionOfType("Budget", 1, "20261208100000")));
    LiveResultWriter writer(meeting.root, meeting.meetingName, meeting.notifier);
    for (int i = 0; i <= 50; ++i)
        writer.write("Budget", {QString("result %1:").arg(i), "Voted", "2026/12/08/-10:00:00"});
    writer.flush();
    MotionRecord stored;
    QVERIFY(
        MeetingDatabase(meeting.root, meeting.meetingName, meeting.notifier).readMotion("Budget", stored));
    QCOMPARE(stored.result, "result 50:");
    QCOMPARE(stored.VoteState, "Voted");
    QCOMPARE(meeting.notifier.count(), 0);
}

void TestLiveResultWriter::aFailingWriteIsReportedOnceOnTheInterfaceThread()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(10, 0));
    // A meeting whose database is gone: every write fails.
    LiveResultWriter writer(meeting.root, "No such meeting", meeting.notifier);
    for (int i = 0; i < 5; ++i) {
        writer.write("Budget", {"1:", "Voted", "now"});
        writer.flush();
    }
    QCOMPARE(meeting.notifier.count(), 0); // nothing is shown from the writer's own thread
    QTRY_COMPARE(meeting.notifier.count(), 1);
    QTest::qWait(50);
    QCOMPARE(meeting.notifier.count(), 1);
    QCOMPARE(meeting.notifier.entries().first().kind, RecordingNotifier::Kind::Error);
}

QTEST_GUILESS_MAIN(TestLiveResultWriter)
#include "testliveresultwriter.moc"
