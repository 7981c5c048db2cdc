// The console's link against the simulated base station as a separate process, over a real pseudo
// terminal, in real time.

#include "simprocess.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/link/seriallinkport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QProcess>
#include <QTest>

namespace {
constexpr int PassTimeoutMs = 20000;

struct Console
{
    RecordingNotifier notifier;
    Link link;

    Console(const QString &dataRoot, LinkSettings settings)
        // Only the data root's links: a test must never probe a real serial port of the machine.
        : link(std::make_unique<SerialLinkPort>(PortResolver(dataRoot, false)), notifier)
    {
        link.applySettings(settings);
    }
    bool waitFor(LinkEvent event, int timeoutMs = PassTimeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!link.sequencer().take(event)) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(20);
        }
        return true;
    }
    QList<int> answered() const
    {
        QList<int> keypads;
        for (int n = 1; n <= link.settings().keypadCount; ++n)
            if (link.table().at(n).answered)
                keypads.append(n);
        return keypads;
    }
};

QList<int> range(int first, int last, const QList<int> &without = {})
{
    QList<int> keypads;
    for (int n = first; n <= last; ++n)
        if (!without.contains(n))
            keypads.append(n);
    return keypads;
}

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}
} // namespace

class TestWholeLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void searchFindsTheSimulatorOnPortThree();
    void linkCheckCommandFindsTheSimulatorAndCallsEveryKeypad();
    void startupRollCallMarksExactlyTheOnlineKeypads();
    void votePollCollectsTheScriptedKeysThroughRandomSplits();
    void pulledLineIsFoundAgainByItselfAndThePollGoesOn();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<SimProcess> m_sim;
};

void TestWholeLink::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_sim = std::make_unique<SimProcess>();
}

void TestWholeLink::cleanup()
{
    m_sim.reset();
    m_root.reset();
}

void TestWholeLink::searchFindsTheSimulatorOnPortThree()
{
    // Port 2 is a line that never answers: the search must move past it.
    SimProcess silent;
    QVERIFY2(silent.start({QStringLiteral("--data-dir"), m_root->path(), QStringLiteral("--port"),
                           QStringLiteral("2"), QStringLiteral("--mute")}),
             qPrintable(silent.errorText()));
    QVERIFY2(m_sim->start({QStringLiteral("--data-dir"), m_root->path(), QStringLiteral("--port"),
                           QStringLiteral("3"), QStringLiteral("--keypads"), QStringLiteral("5")}),
             qPrintable(m_sim->errorText()));
    Console console(m_root->path(), {5, 1, 1, 5});
    console.link.start();
    QVERIFY(console.waitFor(LinkEvent::LinkReady));
    QCOMPARE(console.link.sequencer().currentPort(), 3);
    QVERIFY(!console.link.sequencer().isRaised(LinkEvent::NoBaseStation));
    QCOMPARE(console.answered(), range(1, 5));
    QCOMPARE(console.notifier.count(), 0);
}

void TestWholeLink::linkCheckCommandFindsTheSimulatorAndCallsEveryKeypad()
{
    QVERIFY2(m_sim->start({QStringLiteral("--data-dir"), m_root->path(), QStringLiteral("--port"),
                           QStringLiteral("2"), QStringLiteral("--keypads"), QStringLiteral("4")}),
             qPrintable(m_sim->errorText()));
    QProcess check;
    check.start(QStringLiteral(QUORIX_CONSOLE),
                {QStringLiteral("--link-check"), QStringLiteral("--data-dir"), m_root->path(),
                 QStringLiteral("--ports"), QStringLiteral("1-3"), QStringLiteral("--keypads"),
                 QStringLiteral("4"), QStringLiteral("--data-root-ports-only")});
    QVERIFY(check.waitForFinished(60000));
    const QString out = QString::fromUtf8(check.readAllStandardOutput());
    QVERIFY2(check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0,
             qPrintable(out + QString::fromUtf8(check.readAllStandardError())));
    QVERIFY2(out.contains(QStringLiteral("Base station found on COM2")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("Keypads answered: 4 of 4")), qPrintable(out));
}

void TestWholeLink::startupRollCallMarksExactlyTheOnlineKeypads()
{
    const QString scenario = m_root->filePath(QStringLiteral("hall.scenario"));
    QVERIFY(writeFile(scenario, "keypads 40\noffline 4 7 20-22\nexcluded 9 33\n"));
    QVERIFY2(
        m_sim->start({QStringLiteral("--data-dir"), m_root->path(), QStringLiteral("--port"),
                      QStringLiteral("1"), QStringLiteral("--scenario"), scenario, QStringLiteral("--pace")}),
        qPrintable(m_sim->errorText()));
    Console console(m_root->path(), {40, 1, 1, 2});
    console.link.start();
    QVERIFY(console.waitFor(LinkEvent::LinkReady));
    QCOMPARE(console.answered(), range(1, 40, {4, 7, 20, 21, 22}));
    QList<int> excluded;
    for (int n = 1; n <= 40; ++n)
        if (console.link.table().at(n).excluded)
            excluded.append(n);
    QCOMPARE(excluded, (QList<int>{9, 33}));
}

void TestWholeLink::votePollCollectsTheScriptedKeysThroughRandomSplits()
{
    const QString scenario = m_root->filePath(QStringLiteral("ballot.scenario"));
    QVERIFY(writeFile(scenario, "keypads 30\noffline 30\nvote-delay 0\n"
                                "vote 1 1-10 keys 1\nvote 1 11-15 keys 2\nvote 1 16-20 keys 3\n"
                                "vote * 21-25 keys 1+3\n"));
    QVERIFY2(
        m_sim->start({QStringLiteral("--data-dir"), m_root->path(), QStringLiteral("--port"),
                      QStringLiteral("1"), QStringLiteral("--scenario"), scenario, QStringLiteral("--split"),
                      QStringLiteral("--pace"), QStringLiteral("--seed"), QStringLiteral("7")}),
        qPrintable(m_sim->errorText()));
    Console console(m_root->path(), {30, 1, 1, 1});
    console.link.start();
    QVERIFY(console.waitFor(LinkEvent::LinkReady));

    console.link.post(LinkMode::VoteCommand, Command::BallotStartThree);
    QTest::qWait(100);
    console.link.post(LinkMode::VotePolling);
    QTest::qWait(300);
    // A late key press during the ballot, and one on a key the ballot does not offer.
    QCOMPARE(m_sim->command(QStringLiteral("press 26 2")), QStringLiteral("ok"));
    QCOMPARE(m_sim->command(QStringLiteral("press 27 5")), QStringLiteral("ok"));
    QTest::qWait(200);
    console.link.post(LinkMode::VoteFinalPass, Command::BallotEnd);
    QVERIFY(console.waitFor(LinkEvent::VotePassDone));

    QList<int> codes;
    for (int n = 1; n <= 30; ++n)
        codes.append(console.link.table().at(n).keyCode);
    QList<int> expected = QList<int>(10, 1) + QList<int>(5, 2) + QList<int>(5, 4);
    // Keys 1 and 3 pressed together both arrive, even in a one-key ballot.
    expected += QList<int>(5, 5) + QList<int>{2, 0, 0, 0, 0};
    QCOMPARE(codes, expected);
    QVERIFY(console.link.framesReceived() > 30);
}

void TestWholeLink::pulledLineIsFoundAgainByItselfAndThePollGoesOn()
{
    QVERIFY2(m_sim->start({QStringLiteral("--data-dir"), m_root->path(), QStringLiteral("--port"),
                           QStringLiteral("2"), QStringLiteral("--keypads"), QStringLiteral("3")}),
             qPrintable(m_sim->errorText()));
    Console console(m_root->path(), {3, 1, 1, 3});
    console.link.start();
    QVERIFY(console.waitFor(LinkEvent::LinkReady));
    console.link.post(LinkMode::SignInPolling);
    QTest::qWait(200);

    QCOMPARE(m_sim->command(QStringLiteral("unplug")), QStringLiteral("ok"));
    QTRY_VERIFY_WITH_TIMEOUT(console.link.isLost(), 5000);
    QTest::qWait(1500); // sweeps over a range without the device: no message, no crash
    QVERIFY(console.link.isLost());

    // Signed in while the line was out: the keypads' own state, which the resumed poll brings back.
    QCOMPARE(m_sim->command(QStringLiteral("signin 2")), QStringLiteral("ok"));
    QCOMPARE(m_sim->command(QStringLiteral("replug")), QStringLiteral("ok"));
    QTRY_VERIFY_WITH_TIMEOUT(console.link.hasBaseStation(), PassTimeoutMs);
    QCOMPARE(console.link.sequencer().currentPort(), 2);
    QCOMPARE(console.link.sequencer().mode(), LinkMode::SignInPolling);
    QTRY_COMPARE_WITH_TIMEOUT(console.link.table().at(2).signedIn, 1, PassTimeoutMs);
    QVERIFY(!console.link.sequencer().isRaised(LinkEvent::LinkReady)); // no second start-up
    QCOMPARE(console.notifier.count(), 0);
}

QTEST_GUILESS_MAIN(TestWholeLink)
#include "testwholelink.moc"
