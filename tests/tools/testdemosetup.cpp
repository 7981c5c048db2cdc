// The demo set-up tool on a fresh data root: the demo meeting must come out complete, in the installation's
// language, and a second run must keep what is there.

#include "recordingnotifier.h"

#include "core/counting/votetypetable.h"
#include "core/prepare/delegatephoto.h"
#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"
#include "core/store/meetingdatabase.h"
#include "core/store/systemdatabase.h"

#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestDemoSetup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void demoMeetingIsComplete();
    void secondRunKeepsTheMeeting();

private:
    int runTool();

    QTemporaryDir m_dir;
    const QString m_meeting = QStringLiteral("Annual General Meeting 2025");
};

int TestDemoSetup::runTool()
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedChannels);
    tool.start(QStringLiteral(QUORIX_DEMO_SETUP),
               {"--data-dir", m_dir.path(), "--shipped", QUORIX_SOURCE_DIR "/data", "--demo",
                QUORIX_SOURCE_DIR "/data/demo"});
    if (!tool.waitForFinished(60000))
        return -1;
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

void TestDemoSetup::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCOMPARE(runTool(), 0);
}

void TestDemoSetup::demoMeetingIsComplete()
{
    const DataRoot root(m_dir.path());
    RecordingNotifier notifier;
    SystemDatabase system(root, notifier);
    MeetingRecord meeting;
    QVERIFY(system.readMeeting(m_meeting, meeting));
    QCOMPARE(meeting.DueNum, QString("60"));
    QCOMPARE(meeting.bSetLimit, QString("1"));
    QVERIFY(QFileInfo::exists(root.filePath("MeeFile/Meebanner/" + meeting.bannerPath)));

    MeetingDatabase database(root, m_meeting, notifier);
    const DelegateList delegates = database.listDelegates();
    QCOMPARE(delegates.size(), 60);
    QCOMPARE(QSet<QString>(delegates.CellNo.cbegin(), delegates.CellNo.cend()).size(), 60);
    int photos = 0;
    for (const QString &keypad : delegates.CellNo) {
        DelegateRecord d;
        QVERIFY(database.readDelegate(keypad, d));
        photos += DelegatePhoto::image(database.readPhoto(d.Grouping, keypad)).isNull() ? 0 : 1;
    }
    QVERIFY(photos >= 4);

    const TextCatalogue catalogue(root, system.loadInstallation().borderism);
    const MotionList motions = database.listMotions();
    QSet<VoteType> types;
    for (const QString &title : motions.OveName) {
        MotionRecord m;
        QVERIFY(database.readMotion(title, m));
        const std::optional<VoteType> type = VoteTypeTable::match(m.OveType, catalogue.lookup());
        QVERIFY2(type, qPrintable(m.OveType));
        types.insert(*type);
        QCOMPARE(m.VoteState, catalogue.text("FrmMeeMat", "DataNo"));
        const int candidates = VoteTypeTable::info(*type).candidateCount();
        QCOMPARE(m.candidate.count(u':'), candidates);
        if (!m.rtf.isEmpty())
            QVERIFY(QFileInfo::exists(root.filePath("MeeFile/" + meeting.insertdate + "/" + m.rtf)));
    }
    QCOMPARE(types.size(), VoteTypeTable::Count);
    QCOMPARE(notifier.count(), 0);
}

void TestDemoSetup::secondRunKeepsTheMeeting()
{
    const DataRoot root(m_dir.path());
    RecordingNotifier notifier;
    {
        MeetingDatabase database(root, m_meeting, notifier);
        QVERIFY(database.deleteDelegate("60"));
    }
    QCOMPARE(runTool(), 0);
    SystemDatabase system(root, notifier);
    QCOMPARE(system.listMeetings().size(), 1);
    MeetingDatabase database(root, m_meeting, notifier);
    QCOMPARE(database.listDelegates().size(), 59);
}

QTEST_GUILESS_MAIN(TestDemoSetup)
#include "testdemosetup.moc"
