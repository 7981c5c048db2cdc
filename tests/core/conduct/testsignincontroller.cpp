#include "linkup.h"
#include "meetingfixture.h"

#include "core/conduct/signincontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/base/inputfilter.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"
#include "core/store/meetingjournal.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlRecord>
#include <QTest>

namespace {
// A sign-in on a fake line: the test plays the keypads by setting table entries and drives the timers.
struct Fixture
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    std::unique_ptr<SignInController> signIn;

    Fixture(int keypads, int due, const QString &quorumMode = "1", const QString &quorumPercent = "50")
    {
        link.applySettings({keypads, 1, 1, 1});
        if (!meeting.create(due, keypads, quorumMode, quorumPercent))
            qFatal("meeting set-up failed");
        // The texts are their keys, so the tests see which one was used.
        QFile language(meeting.dir.filePath("menu.ini"));
        language.open(QIODevice::WriteOnly);
        language.write(
            "[FrmManChe]\nMsgScrView5=MsgScrView5\nMsgScrView6=MsgScrView6\n"
            "MsgScrView9=present\nMsgScrView10=absent\n"
            "[FrmScrText]\nScrCountDown=Count down %1\nScrSignInList=Signed\nScrAbsentList=Missing\n");
        language.close();
        context = meeting.conference(link, hall, TextCatalogue(language.fileName()));
        signIn = std::make_unique<SignInController>(*context);
        signIn->open();
    }
    void signInKeypads(int first, int last)
    {
        for (int n = first; n <= last; ++n)
            link.table().entry(n)->signedIn = 1;
    }
    // Start, the command phase and the start of polling.
    void startPolling()
    {
        signIn->start();
        signIn->onCommandPhase();
        signIn->onBeginPolling();
    }
    // End, the final pass and the release.
    void finish()
    {
        signIn->end();
        link.sequencer().raise(LinkEvent::SignInPassDone);
        signIn->onFinalPassCheck();
        signIn->onRelease();
    }
    QList<quint32> posted()
    {
        QList<quint32> commands;
        for (int i = 0; i < 3; ++i) {
            port->sent.clear();
            link.sequencer().tick();
            if (!port->sent.isEmpty())
                commands.append(port->sent.last().commandValue());
        }
        return commands;
    }
};
} // namespace

class TestSignInController : public QObject
{
    Q_OBJECT

private slots:
    void countsAgainstTheDueNumber_data();
    void countsAgainstTheDueNumber();
    void quorumLine_data();
    void quorumLine();
    void countDownShowsTheRestAndEndsAfterZero_data();
    void countDownShowsTheRestAndEndsAfterZero();
    void endStoresEveryKeypadAndTheCount();
    void refusedMarksLeaveThePresentCountAsItWas();
    void lateSignInKeepsTheEarlierSignIns();
    void singleKeypadQuerySignsInOnlyAnAnsweringKeypad();
    void keypadNumberOutsideTheRangeIsRefused_data();
    void keypadNumberOutsideTheRangeIsRefused();
    void listPlacement();
    void nameListsPageByTwentyFour();
    void secondSignInWithCountDownShowsItsFiguresAgain();
    void signInBelongsToTheMeeting();
    void queryAfterTheEndRecordsMarkLogAndCountTogether();
    void endDuringALossAsksAndEndsWhenTheBaseStationReturns();
    void endDuringALossMayKeepWhatWasCollected();
    void presentCountIsJournalledWhenItLeavesTheSignInsCount();
};

void TestSignInController::countsAgainstTheDueNumber_data()
{
    QTest::addColumn<int>("signedIn");
    QTest::addColumn<int>("absent");
    QTest::newRow("30 of 50") << 30 << 20;
    QTest::newRow("more than due") << 60 << 0;
}

void TestSignInController::countsAgainstTheDueNumber()
{
    QFETCH(int, signedIn);
    QFETCH(int, absent);
    Fixture f(80, 50);
    f.startPolling();
    f.signInKeypads(1, signedIn);
    f.signIn->onRefresh();
    QCOMPARE(f.signIn->due(), 50);
    QCOMPARE(f.signIn->signedCount(), signedIn);
    QCOMPARE(f.signIn->absent(), absent);
    QCOMPARE(f.hall.chart().resultFields().mid(0, 3),
             (QStringList{"50", QString::number(signedIn), QString::number(absent)}));
}

void TestSignInController::quorumLine_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<int>("due");
    QTest::addColumn<int>("signedIn");
    QTest::addColumn<QString>("expected");
    QTest::newRow("66 below 67") << "1"
                                 << "67" << 30 << 20 << "MsgScrView6";
    QTest::newRow("exactly the ratio") << "1"
                                       << "50" << 30 << 15 << "MsgScrView5";
    QTest::newRow("due 0 is not reached") << "1"
                                          << "50" << 0 << 5 << "MsgScrView6";
    QTest::newRow("no quorum set") << "2"
                                   << "0" << 30 << 20 << "";
}

void TestSignInController::quorumLine()
{
    QFETCH(QString, mode);
    QFETCH(QString, percent);
    QFETCH(int, due);
    QFETCH(int, signedIn);
    QFETCH(QString, expected);
    Fixture f(40, due, mode, percent);
    f.signInKeypads(1, signedIn);
    f.signIn->onRefresh();
    QCOMPARE(f.signIn->quorumText(), expected);
}

void TestSignInController::countDownShowsTheRestAndEndsAfterZero_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("afterOneSecond");
    QTest::newRow("125") << "125"
                         << "02:04";
    QTest::newRow("700") << "7x00"
                         << "11:39"; // the field keeps only digits
}

void TestSignInController::countDownShowsTheRestAndEndsAfterZero()
{
    QFETCH(QString, seconds);
    QFETCH(QString, afterOneSecond);
    Fixture f(10, 10);
    f.signIn->setCountDownEnabled(true);
    f.signIn->setCountDownSeconds(seconds);
    f.startPolling();
    f.signIn->onCountDownTick();
    QCOMPARE(f.signIn->countDownText(), afterOneSecond);
    QCOMPARE(f.hall.chart().caption(), "Count down " + afterOneSecond);
    int ticks = 1;
    while (f.signIn->countDownText() != "00:00") {
        f.signIn->onCountDownTick();
        ++ticks;
    }
    QCOMPARE(ticks, InputFilter::digitsOnly(seconds).toInt());
    QVERIFY(f.signIn->isEndEnabled());
    f.signIn->onCountDownTick();
    QVERIFY(!f.signIn->isEndEnabled());
    QVERIFY(f.context->state.signInClosed);
    QCOMPARE(f.posted().constFirst(), Command::SignInEnd);
}

void TestSignInController::endStoresEveryKeypadAndTheCount()
{
    Fixture f(20, 15);
    f.startPolling();
    QVERIFY(!f.context->state.signInClosed);
    f.signInKeypads(1, 12);
    f.signIn->end();
    // Two more arrive in the final pass.
    f.signInKeypads(13, 14);
    f.link.sequencer().raise(LinkEvent::SignInPassDone);
    f.signIn->onFinalPassCheck();
    QCOMPARE(f.signIn->signedCount(), 14);
    QCOMPARE(f.signIn->absent(), 1);
    MeetingRecord meeting;
    QVERIFY(f.meeting.system->readMeeting(f.meeting.meetingName, meeting));
    QCOMPARE(meeting.SignIn, "14");

    DatabaseAccess access(MeetingFiles::filePath(f.meeting.root, f.meeting.meetingName), f.meeting.notifier);
    QVERIFY(access.open());
    for (const char *table : {"SignIn", "Employees"}) {
        const QList<QSqlRecord> rows =
            access.query(QString("select CellNo, sign from %1 order by ID").arg(table));
        QCOMPARE(rows.size(), 20);
        for (const QSqlRecord &row : rows)
            QCOMPARE(row.value(1).toString(), row.value(0).toInt() <= 14 ? "present" : "absent");
    }
    QCOMPARE(f.meeting.notifier.count(), 0);

    f.signIn->onRelease();
    QVERIFY(f.signIn->isStartEnabled());
    QCOMPARE(f.posted().constFirst(), Command::PhaseEnd);
}

void TestSignInController::refusedMarksLeaveThePresentCountAsItWas()
{
    Fixture f(20, 15);
    QVERIFY(f.meeting.system->recordSignInCount(f.meeting.meetingName, "9"));
    f.startPolling();
    f.signInKeypads(1, 12);
    f.signIn->end();
    {
        // Holding the meeting database open makes it refuse the sign-in's write.
        DatabaseAccess holder(MeetingFiles::filePath(f.meeting.root, f.meeting.meetingName),
                              f.meeting.notifier);
        QVERIFY(holder.open());
        f.link.sequencer().raise(LinkEvent::SignInPassDone);
        f.signIn->onFinalPassCheck();
    }
    QVERIFY(f.meeting.notifier.count() > 0);
    MeetingRecord meeting;
    QVERIFY(f.meeting.system->readMeeting(f.meeting.meetingName, meeting));
    QCOMPARE(meeting.SignIn, "9");

    // A keypad queried afterwards stores the marks again, and the count goes with them.
    f.meeting.notifier.clear();
    f.signIn->onRelease();
    QVERIFY(f.signIn->queryKeypad("13"));
    f.link.table().entry(13)->answered = 1;
    f.signIn->onQueryAnswer();
    QCOMPARE(f.meeting.notifier.count(), 0);
    QVERIFY(f.meeting.system->readMeeting(f.meeting.meetingName, meeting));
    QCOMPARE(meeting.SignIn, "13");
}

void TestSignInController::lateSignInKeepsTheEarlierSignIns()
{
    Fixture f(10, 10);
    f.startPolling();
    f.signInKeypads(1, 6);
    f.finish();
    f.signIn->fill();
    f.signIn->onCommandPhase();
    QCOMPARE(f.posted().constFirst(), Command::SignInFill);
    f.signIn->onBeginPolling();
    f.signInKeypads(7, 7);
    f.finish();
    QCOMPARE(f.signIn->signedCount(), 7);
    f.startPolling(); // a new Start forgets them
    f.signIn->onRefresh();
    QCOMPARE(f.signIn->signedCount(), 0);
}

void TestSignInController::singleKeypadQuerySignsInOnlyAnAnsweringKeypad()
{
    Fixture f(10, 10);
    QVERIFY(f.signIn->queryKeypad("7"));
    QCOMPARE(f.posted().constFirst(), Command::Poll | 7);
    f.link.table().entry(7)->answered = 1; // its answer to the query
    f.signIn->onQueryAnswer();
    QCOMPARE(f.link.table().at(7).signedIn, 1);
    QCOMPARE(f.posted().constFirst(), Command::SignInKeypad | 7);
    QCOMPARE(f.meeting.notifier.count(), 0);

    // Keypad 8 answered the start-up roll call but not this query: it is off line now, and the operator
    // is told so.
    f.link.table().entry(8)->answered = 1;
    QVERIFY(f.signIn->queryKeypad("8"));
    f.signIn->onQueryAnswer();
    QCOMPARE(f.link.table().at(8).signedIn, 0);
    QCOMPARE(f.meeting.notifier.entries().constLast().text,
             OperatorText::catalogue("FrmManChe", "MsgQueryNone", {"8"}));
}

void TestSignInController::keypadNumberOutsideTheRangeIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("0") << "0";
    QTest::newRow("above the keypad count") << "11";
    QTest::newRow("empty") << "";
    QTest::newRow("letters only") << "ab";
}

void TestSignInController::keypadNumberOutsideTheRangeIsRefused()
{
    QFETCH(QString, typed);
    Fixture f(10, 10);
    QVERIFY(!f.signIn->queryKeypad(typed));
    QCOMPARE(f.posted(), QList<quint32>{});
}

void TestSignInController::listPlacement()
{
    QCOMPARE(SignInController::cellOf(1).row, 0);
    QCOMPARE(SignInController::cellOf(19).row, 18);
    QCOMPARE(SignInController::cellOf(20).row, 0);
    QCOMPARE(SignInController::cellOf(20).group, 1);
    QCOMPARE(SignInController::cellOf(249).group, 13);
}

void TestSignInController::nameListsPageByTwentyFour()
{
    Fixture f(60, 60);
    f.startPolling();
    f.signInKeypads(1, 30);
    f.link.table().entry(3)->excluded = 1;
    f.finish();
    f.signIn->showSignedList();
    QCOMPARE(f.hall.pane(), HallScreen::Pane::NameBoard);
    QCOMPARE(f.hall.nameBoard().title(), "Signed");
    QCOMPARE(f.hall.nameBoard().fontTenths(), 450);
    QCOMPARE(f.hall.nameBoard().names().size(), 24);
    QCOMPARE(f.hall.nameBoard().names().at(2), "Delegate 4"); // keypad 3 is excluded
    f.signIn->pageDown();
    QCOMPARE(f.hall.nameBoard().names().first(), "Delegate 26");
    QCOMPARE(f.hall.nameBoard().names().at(5), QString()); // a short last page is filled up
    f.signIn->pageDown();
    QCOMPARE(f.hall.nameBoard().names().first(), "Delegate 26");
    f.signIn->pageUp();
    f.signIn->pageUp();
    QCOMPARE(f.hall.nameBoard().names().first(), "Delegate 1");
    f.signIn->showAbsentList();
    QCOMPARE(f.hall.nameBoard().title(), "Missing");
    QCOMPARE(f.hall.nameBoard().names().first(), "Delegate 31");
}

void TestSignInController::secondSignInWithCountDownShowsItsFiguresAgain()
{
    Fixture f(10, 10);
    f.startPolling();
    f.signInKeypads(1, 4);
    f.finish();
    f.signIn->setCountDownEnabled(true);
    f.signIn->setCountDownSeconds("30");
    f.startPolling();
    f.signInKeypads(1, 9);
    f.signIn->onRefresh();
    QCOMPARE(f.hall.chart().field(1), "9");
    MeetingRecord meeting;
    QVERIFY(f.meeting.system->readMeeting(f.meeting.meetingName, meeting));
    QCOMPARE(meeting.SignIn, "4"); // the running sign-in is not written until it ends
}

void TestSignInController::signInBelongsToTheMeeting()
{
    Fixture f(10, 10);
    // Marks and the ended flag left by a conference for another meeting.
    f.signInKeypads(1, 6);
    f.context->state.signInClosed = true;
    f.signIn->open();
    QCOMPARE(f.signIn->signedCount(), 0);
    QVERIFY(!f.context->state.signInClosed);

    f.startPolling();
    f.signInKeypads(2, 4);
    f.finish();
    // The next conference for this meeting starts from its own last sign-in.
    f.link.table().clearSignedIn();
    const auto next = f.meeting.conference(f.link, f.hall, TextCatalogue(f.meeting.dir.filePath("menu.ini")));
    SignInController again(*next);
    again.open();
    QVERIFY(next->state.signInClosed);
    QCOMPARE(again.signedCount(), 3);
    QCOMPARE(f.link.table().at(3).signedIn, 1);
    QCOMPARE(f.link.table().at(5).signedIn, 0);
}

void TestSignInController::queryAfterTheEndRecordsMarkLogAndCountTogether()
{
    Fixture f(10, 10);
    f.startPolling();
    f.signInKeypads(1, 4);
    f.finish();
    QVERIFY(f.signIn->queryKeypad("9"));
    f.link.table().entry(9)->answered = 1;
    f.signIn->onQueryAnswer();
    MeetingDatabase database(f.meeting.root, f.meeting.meetingName, f.meeting.notifier);
    QCOMPARE(database.delegatesBySignIn("present").CellNo, (QStringList{"1", "2", "3", "4", "9"}));
    const QList<SignInMark> log = database.lastSignIn();
    QCOMPARE(log.size(), 10); // the record of the last sign-in, not a second one beside it
    QCOMPARE(log.at(8).sign, "present");
    MeetingRecord record;
    f.meeting.system->readMeeting(f.meeting.meetingName, record);
    QCOMPARE(record.SignIn, "5");
}

void TestSignInController::endDuringALossAsksAndEndsWhenTheBaseStationReturns()
{
    Fixture f(10, 10);
    bringUp(f.link, *f.port);
    f.startPolling();
    f.signInKeypads(1, 5);
    f.port->unplug();
    QVERIFY(f.signIn->isStale());
    f.meeting.notifier.queueAnswer(false);
    f.signIn->end();
    QCOMPARE(f.meeting.notifier.entries().constLast().text,
             OperatorText::catalogue("FrmManChe", "MsgEndLost", {"1", "1"}));
    QVERIFY(f.signIn->isWaitingForBaseStation());
    QVERIFY(!f.context->state.signInClosed);
    QVERIFY(!f.posted().contains(Command::SignInEnd));

    answerTheSearch(f.link, *f.port);
    QVERIFY(!f.signIn->isWaitingForBaseStation());
    QVERIFY(f.posted().contains(Command::SignInEnd));
    QVERIFY(f.context->state.signInClosed);
}

void TestSignInController::endDuringALossMayKeepWhatWasCollected()
{
    Fixture f(10, 10);
    bringUp(f.link, *f.port);
    f.startPolling();
    f.signInKeypads(1, 5);
    f.port->unplug();
    f.meeting.notifier.queueAnswer(true);
    f.signIn->end();
    QVERIFY(f.context->state.signInClosed);
    MeetingRecord record;
    f.meeting.system->readMeeting(f.meeting.meetingName, record);
    QCOMPARE(record.SignIn, "5");
    f.signIn->onRelease();
    QVERIFY(f.signIn->isStartEnabled());
    // Back again, the abandoned sign-in does not poll on.
    answerTheSearch(f.link, *f.port);
    const QList<quint32> after = f.posted();
    QVERIFY(after.contains(Command::PhaseEnd));
    QVERIFY(!after.contains(Command::Poll | 1));
}

void TestSignInController::presentCountIsJournalledWhenItLeavesTheSignInsCount()
{
    Fixture f(20, 15);
    MeetingJournal journal(f.meeting.root, f.meeting.meetingName, f.meeting.notifier);
    f.startPolling();
    f.signInKeypads(1, 12);
    f.finish();
    // The end's own entry carries the count the register shows.
    QCOMPARE(journal.entries().last().kind, "SignInEnd");
    QCOMPARE(QJsonDocument::fromJson(journal.entries().last().content.toUtf8())["signed"].toInt(), 12);

    // Opened again on an unchanged roster: the same count, nothing more to journal.
    f.signIn->open();
    QCOMPARE(journal.entries().last().kind, "SignInEnd");

    // A present delegate leaves the roster: the marks count one fewer, and the register row's change
    // is journalled.
    QVERIFY(MeetingDatabase(f.meeting.root, f.meeting.meetingName, f.meeting.notifier).deleteDelegate("5"));
    f.signIn->open();
    MeetingRecord meeting;
    QVERIFY(f.meeting.system->readMeeting(f.meeting.meetingName, meeting));
    QCOMPARE(meeting.SignIn, "11");
    const QList<JournalEntry> entries = journal.entries();
    QCOMPARE(entries.last().kind, "MeetingChanged");
    const QJsonDocument content = QJsonDocument::fromJson(entries.last().content.toUtf8());
    QCOMPARE(content["op"].toString(), "presentCount");
    QCOMPARE(content["SignIn"].toString(), "11");
    QCOMPARE(entries.at(entries.size() - 2).kind, "DelegateChanged");
    f.signIn->open();
    QCOMPARE(journal.entries().size(), entries.size());
    QCOMPARE(f.meeting.notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestSignInController)
#include "testsignincontroller.moc"
