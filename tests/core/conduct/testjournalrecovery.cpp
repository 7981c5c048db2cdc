// A sign-in cut off while it polls is found in the journal at the next start and stored as its end would
// have stored it, or left as it was; a sign-in that ended is never offered.

#include "linkup.h"
#include "meetingfixture.h"

#include "core/conduct/journalrecovery.h"
#include "core/conduct/signincontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingjournal.h"

#include <QFile>
#include <QTest>

namespace {
struct Hall
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    QString language;

    Hall()
    {
        link.applySettings({12, 1, 1, 1});
        // Keypads 11 and 12 are off the roster.
        if (!meeting.create(10, 10))
            qFatal("meeting set-up failed");
        QFile file(meeting.dir.filePath("menu.ini"));
        file.open(QIODevice::WriteOnly);
        file.write("[FrmManChe]\nMsgScrView9=present\nMsgScrView10=absent\n");
        file.close();
        language = file.fileName();
        context = meeting.conference(link, hall, TextCatalogue(language));
    }
    // A sign-in that polls two refreshes and is then cut off: the controller goes away without an end.
    void interruptedSignIn()
    {
        SignInController signIn(*context);
        signIn.open();
        signIn.start();
        signIn.onCommandPhase();
        signIn.onBeginPolling();
        for (int n : {1, 2, 3})
            link.table().entry(n)->signedIn = 1;
        signIn.onRefresh();
        for (int n : {4, 11})
            link.table().entry(n)->signedIn = 1;
        signIn.onRefresh();
    }
};
} // namespace

class TestJournalRecovery : public QObject
{
    Q_OBJECT

private slots:
    void interruptedSignInIsStoredAsItsEndWould();
    void undecidedSignInIsAskedAgainAndEndedOneNever();
    void meetingWithoutADatabaseIsPassedOver();
};

void TestJournalRecovery::interruptedSignInIsStoredAsItsEndWould()
{
    Hall h;
    h.interruptedSignIn();

    JournalRecovery recovery(h.meeting.root, *h.meeting.system, h.meeting.notifier);
    h.meeting.notifier.queueAnswer(true);
    recovery.offer();
    QCOMPARE(h.meeting.notifier.count(), 1);
    const OperatorText asked = h.meeting.notifier.entries().first().text;
    QCOMPARE(asked.key, "MsgRecoverSignIn");
    QCOMPARE(asked.args.value(2), "4"); // keypad 11 signed in, but is not on the roster

    const QList<SignInMark> marks = MeetingDatabase(h.meeting.root, h.meeting.meetingName, h.meeting.notifier).lastSignIn();
    QCOMPARE(marks.size(), 12);
    QStringList present;
    for (const SignInMark &m : marks)
        if (m.sign == "present")
            present << m.CellNo;
    QCOMPARE(present, (QStringList{"1", "2", "3", "4", "11"}));
    MeetingRecord record;
    QVERIFY(h.meeting.system->readMeeting(h.meeting.meetingName, record));
    QCOMPARE(record.SignIn, "4");
    const QList<JournalEntry> entries = MeetingJournal(h.meeting.root, h.meeting.meetingName, h.meeting.notifier).entries();
    QCOMPARE(entries.last().kind, "SignInRecovered");
    QVERIFY(MeetingJournal::checkChain(entries).intact());
    QVERIFY(recovery.scan().isEmpty());
}

void TestJournalRecovery::undecidedSignInIsAskedAgainAndEndedOneNever()
{
    Hall h;
    h.interruptedSignIn();
    JournalRecovery recovery(h.meeting.root, *h.meeting.system, h.meeting.notifier);
    recovery.offer(); // No to storing, No to discarding: nothing decided
    QCOMPARE(h.meeting.notifier.count(), 2);
    QVERIFY(MeetingDatabase(h.meeting.root, h.meeting.meetingName, h.meeting.notifier).lastSignIn().isEmpty());
    QCOMPARE(recovery.scan().size(), 1);

    // A sign-in run to its end afterwards replaces the unfinished one and ends it.
    h.meeting.notifier.clear();
    {
        SignInController signIn(*h.context);
        signIn.open();
        signIn.start();
        signIn.onCommandPhase();
        signIn.onBeginPolling();
        signIn.end();
        h.link.sequencer().raise(LinkEvent::SignInPassDone);
        signIn.onFinalPassCheck();
        signIn.onRelease();
    }
    QVERIFY(recovery.scan().isEmpty());
    QCOMPARE(h.meeting.notifier.count(), 0);
}

void TestJournalRecovery::meetingWithoutADatabaseIsPassedOver()
{
    Hall h;
    MeetingRecord ghost;
    ghost.MeeName = "Never created";
    ghost.insertdate = "20261208100000";
    QVERIFY(h.meeting.system->insertMeeting(ghost));
    JournalRecovery(h.meeting.root, *h.meeting.system, h.meeting.notifier).offer();
    QCOMPARE(h.meeting.notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestJournalRecovery)
#include "testjournalrecovery.moc"
