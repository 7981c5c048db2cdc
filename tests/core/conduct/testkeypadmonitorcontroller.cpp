#include "linkup.h"
#include "recordingnotifier.h"

#include "core/conduct/keypadmonitorcontroller.h"
#include "core/link/link.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// A link on a fake line whose keypads answer polls as long as they are in `online`.
struct Hall
{
    RecordingNotifier notifier;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), notifier};
    QList<int> online;
    qint64 ms = 0;

    explicit Hall(int keypads, bool baseStation = true)
    {
        link.applySettings({keypads, 1, 1, 1});
        if (baseStation)
            bringUp(link, *port);
    }

    void tick()
    {
        const qsizetype before = port->sent.size();
        link.sequencer().onTickTimer();
        ms += 30;
        if (port->sent.size() == before)
            return;
        const LinkFrame sent = port->sent.last();
        if ((sent.commandValue() & 0xFFFF00) == Command::Poll && online.contains(sent.keypad())) {
            const LinkFrame answer = LinkFrame::withChecksum(LinkFrame::KeypadKind, 0x80, sent.keypad());
            link.receive(QByteArray(reinterpret_cast<const char *>(answer.bytes.data()), 4), ms);
        }
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            tick();
    }
    QList<quint32> sentCommands() const
    {
        QList<quint32> commands;
        for (const LinkFrame &f : port->sent)
            commands.append(f.commandValue());
        return commands;
    }
};
} // namespace

class TestKeypadMonitorController : public QObject
{
    Q_OBJECT

private slots:
    void cellPlacement_data();
    void cellPlacement();
    void checkOfHundredKeypadsWithNinetyAnswering();
    void closingRestoresTheTickAndShowsTheMainWindow();
    void checkWithoutABaseStationAsksNobody();
    void closingDuringACheckReleasesTheKeypads_data();
    void closingDuringACheckReleasesTheKeypads();
};

void TestKeypadMonitorController::cellPlacement_data()
{
    QTest::addColumn<int>("keypad");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pair");
    QTest::newRow("first") << 1 << 0 << 0;
    QTest::newRow("end of first column") << 30 << 29 << 0;
    QTest::newRow("31 opens the second pair") << 31 << 0 << 1;
    QTest::newRow("240 ends the eighth pair") << 240 << 29 << 7;
    QTest::newRow("241 is not hidden") << 241 << 0 << 8;
    QTest::newRow("249") << 249 << 8 << 8;
}

void TestKeypadMonitorController::cellPlacement()
{
    QFETCH(int, keypad);
    QFETCH(int, row);
    QFETCH(int, pair);
    QCOMPARE(KeypadMonitorController::cellOf(keypad).row, row);
    QCOMPARE(KeypadMonitorController::cellOf(keypad).columnPair, pair);
}

void TestKeypadMonitorController::checkOfHundredKeypadsWithNinetyAnswering()
{
    Hall hall(100);
    for (int n = 1; n <= 100; ++n)
        hall.link.table().entry(n)->answered = 1; // left over from the start-up roll call
    for (int n = 1; n <= 90; ++n)
        hall.online.append(n);
    KeypadMonitorController monitor(hall.link);
    QSignalSpy rebuilt(&monitor, &KeypadMonitorController::listRebuilt);

    monitor.startCheck();
    QCOMPARE(hall.link.tickPeriod(), KeypadMonitorController::CheckTickMs);
    QCOMPARE(monitor.answered(), 0);
    QVERIFY(!monitor.isCheckEnabled());
    QCOMPARE(rebuilt.count(), 1);
    monitor.startCheck(); // a second press while running does nothing
    QCOMPARE(rebuilt.count(), 1);
    hall.tick();
    QCOMPARE(hall.sentCommands(), QList<quint32>{Command::PhaseStart});

    monitor.onStartRollCall();
    int watches = 0;
    while (!monitor.isCheckEnabled() && watches < 200) {
        hall.ticks(3);
        monitor.onWatch();
        ++watches;
        if (hall.link.sequencer().isRollCallRunning())
            continue;
        monitor.onFinish();
    }
    QVERIFY(monitor.isCheckEnabled());
    QCOMPARE(monitor.total(), 100);
    QCOMPARE(monitor.answered(), 90);
    QCOMPARE(monitor.notAnswered(), 10);
    QVERIFY(monitor.hasAnswered(90));
    QVERIFY(!monitor.hasAnswered(91));
    hall.tick();
    QCOMPARE(hall.sentCommands().last(), Command::PhaseEnd);
    QCOMPARE(hall.sentCommands().count(Command::Poll | 100), 1);
}

void TestKeypadMonitorController::closingRestoresTheTickAndShowsTheMainWindow()
{
    Hall hall(10);
    KeypadMonitorController monitor(hall.link);
    QSignalSpy shown(&hall.link.sequencer(), &CommandSequencer::showMainWindowRequested);
    monitor.startCheck();
    monitor.close();
    QCOMPARE(hall.link.tickPeriod(), KeypadMonitorController::NormalTickMs);
    hall.tick();
    QCOMPARE(shown.count(), 1);
}

void TestKeypadMonitorController::checkWithoutABaseStationAsksNobody()
{
    Hall hall(10, false);
    KeypadMonitorController monitor(hall.link);
    QVERIFY(monitor.isBaseStationMissing());
    monitor.startCheck();
    hall.ticks(3);
    QVERIFY(hall.port->sent.isEmpty());
    QVERIFY(monitor.isCheckEnabled());
    QCOMPARE(hall.link.tickPeriod(), KeypadMonitorController::NormalTickMs);
}

void TestKeypadMonitorController::closingDuringACheckReleasesTheKeypads_data()
{
    QTest::addColumn<int>("stage"); // 0 idle, 1 before the roll call, 2 in it, 3 in the rest after it
    QTest::addColumn<bool>("released");
    QTest::newRow("no check") << 0 << false;
    QTest::newRow("before the roll call") << 1 << true;
    QTest::newRow("during the roll call") << 2 << true;
    QTest::newRow("in the rest after it") << 3 << true;
}

void TestKeypadMonitorController::closingDuringACheckReleasesTheKeypads()
{
    QFETCH(int, stage);
    QFETCH(bool, released);
    Hall hall(10);
    hall.online = {1, 2, 3};
    KeypadMonitorController monitor(hall.link);
    if (stage >= 1) {
        monitor.startCheck();
        hall.tick();
    }
    if (stage >= 2) {
        monitor.onStartRollCall();
        hall.ticks(3);
    }
    if (stage >= 3) {
        hall.ticks(10);
        monitor.onWatch();
        QVERIFY(!hall.link.sequencer().isRollCallRunning());
    }
    QVERIFY(!hall.sentCommands().contains(Command::PhaseEnd));
    monitor.close();
    hall.tick();
    QCOMPARE(hall.sentCommands().contains(Command::PhaseEnd), released);
    QCOMPARE(hall.sentCommands().count(Command::PhaseEnd), released ? 1 : 0);
    QVERIFY(monitor.isCheckEnabled());
}

QTEST_GUILESS_MAIN(TestKeypadMonitorController)
#include "testkeypadmonitorcontroller.moc"
