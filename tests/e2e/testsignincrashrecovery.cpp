// A console killed with SIGKILL while its sign-in polls the simulated base station: at the next start the
// unfinished sign-in is offered for recovery, and what is stored is exactly what the journal had collected.

#include "meetingfixture.h"
#include "motionfixture.h"
#include "simprocess.h"

#include "core/conduct/journalrecovery.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingfiles.h"
#include "core/store/meetingjournal.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

namespace {
constexpr int Keypads = 30;
constexpr int FirstWave = 12;

// Sign-in opens two seconds before polling starts. Keypads 1..12 sign in at once, 13..20 about half a
// second into polling, so the kill finds them not yet heard, half heard or journalled; 21..30 never do.
const char Scenario[] = "keypads 30\n"
                        "signin 1-12 after 0.2\n"
                        "signin 13-20 after 2.5\n";

QSet<int> numbers(const QJsonValue &value)
{
    QSet<int> set;
    for (const QJsonValue &n : value.toArray())
        set.insert(n.toInt());
    return set;
}

QSet<int> range(int first, int last)
{
    QSet<int> set;
    for (int n = first; n <= last; ++n)
        set.insert(n);
    return set;
}
} // namespace

class TestSignInCrashRecovery : public QObject
{
    Q_OBJECT

private slots:
    void killedWhilePollingIsRecoveredAsJournalled();

private:
    QList<QSqlRecord> rows(const QString &sql);
    // The keypads the journal's rows say had signed in: the last start's earlier sign-ins and every live
    // entry after it, read straight from the table.
    QSet<int> journalledSignIns();

    MeetingFixture m_meeting;
};

QList<QSqlRecord> TestSignInCrashRecovery::rows(const QString &sql)
{
    DatabaseAccess db(MeetingFiles::filePath(m_meeting.root, m_meeting.meetingName), m_meeting.notifier);
    return db.query(sql);
}

QSet<int> TestSignInCrashRecovery::journalledSignIns()
{
    QSet<int> signedIn;
    for (const QSqlRecord &row : rows("select kind, content from Journal order by id")) {
        const QJsonObject content = QJsonDocument::fromJson(row.value(1).toString().toUtf8()).object();
        if (row.value(0).toString() == "SignInStart")
            signedIn = numbers(content.value("signedBefore"));
        else if (row.value(0).toString() == "SignInLive")
            signedIn += numbers(content.value("signed"));
    }
    return signedIn;
}

void TestSignInCrashRecovery::killedWhilePollingIsRecoveredAsJournalled()
{
    QVERIFY(m_meeting.create(Keypads, Keypads));
    const QString languageFile = writeVotingLanguageFile(m_meeting.dir);
    QFile scenario(m_meeting.dir.filePath("hall.scenario"));
    QVERIFY(scenario.open(QIODevice::WriteOnly));
    scenario.write(Scenario);
    scenario.close();
    SimProcess sim;
    QVERIFY2(
        sim.start({"--data-dir", m_meeting.dir.path(), "--port", "1", "--scenario", scenario.fileName()}),
        qPrintable(sim.errorText()));

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(QUORIX_SIGNIN_CHILD),
                {m_meeting.dir.path(), m_meeting.meetingName, languageFile, QString::number(Keypads),
                 QString::number(FirstWave)});
    const auto waitFor = [&child](const QByteArray &line) {
        for (;;) {
            while (child.canReadLine()) {
                if (child.readLine().trimmed() == line)
                    return true;
            }
            if (!child.waitForReadyRead(30000))
                return false;
        }
    };
    QVERIFY(waitFor("polling"));
    QVERIFY(waitFor("collected"));
    QTest::qWait(QRandomGenerator::global()->bounded(0, 1000));
    child.kill(); // SIGKILL, while the sign-in still polls
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    // What the journal holds is at least what the child said was on disk, and never a keypad the hall
    // did not sign in.
    const QSet<int> expected = journalledSignIns();
    QVERIFY(expected.contains(range(1, FirstWave)));
    QVERIFY(range(1, 20).contains(expected));
    qInfo("%lld keypads journalled before the kill", qlonglong(expected.size()));

    // The restarted console asks; Yes stores it.
    m_meeting.notifier.queueAnswer(true);
    JournalRecovery(m_meeting.root, *m_meeting.system, m_meeting.notifier).offer();
    QCOMPARE(m_meeting.notifier.count(), 1);
    const OperatorText asked = m_meeting.notifier.entries().first().text;
    QCOMPARE(asked.key, "MsgRecoverSignIn");
    QCOMPARE(asked.args.value(0), m_meeting.meetingName);
    QCOMPARE(asked.args.value(2), QString::number(expected.size()));

    // Every keypad of the roster is counted, so the present count is the number journalled.
    for (const char *table : {"SignIn", "Employees"}) {
        const QList<QSqlRecord> marks = rows(QString("select CellNo, sign from %1 order by ID").arg(table));
        QCOMPARE(marks.size(), Keypads);
        for (const QSqlRecord &mark : marks)
            QCOMPARE(mark.value(1).toString(),
                     expected.contains(mark.value(0).toInt()) ? "present" : "absent");
    }
    MeetingRecord meeting;
    QVERIFY(m_meeting.system->readMeeting(m_meeting.meetingName, meeting));
    QCOMPARE(meeting.SignIn, QString::number(expected.size()));
    const QList<QSqlRecord> last = rows("select kind, content from Journal order by id desc limit 1");
    QCOMPARE(last.value(0).value(0).toString(), "SignInRecovered");
    QCOMPARE(
        QJsonDocument::fromJson(last.value(0).value(1).toString().toUtf8()).object().value("signed").toInt(),
        expected.size());
    QVERIFY(MeetingJournal::checkChain(
                MeetingJournal(m_meeting.root, m_meeting.meetingName, m_meeting.notifier).entries())
                .intact());

    // Recovered once is recovered for good: the next start asks nothing.
    m_meeting.notifier.clear();
    JournalRecovery(m_meeting.root, *m_meeting.system, m_meeting.notifier).offer();
    QCOMPARE(m_meeting.notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestSignInCrashRecovery)
#include "testsignincrashrecovery.moc"
