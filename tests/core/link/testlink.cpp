#include "fakelinkport.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/link/portresolver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray keypadFrame(quint8 status, quint8 keypad)
{
    const LinkFrame f = LinkFrame::withChecksum(LinkFrame::KeypadKind, status, keypad);
    return QByteArray(reinterpret_cast<const char *>(f.bytes.data()), 4);
}

struct Fixture
{
    RecordingNotifier notifier;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), notifier};

    Fixture() { link.applySettings({3, 1, 1, 4}); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            link.sequencer().onTickTimer();
    }
};
} // namespace

class TestLink : public QObject
{
    Q_OBJECT

private slots:
    void searchOpensPortsAndSendsTheProbeOnTheLine();
    void bytesSplitAcrossReadsReachTheTable();
    void lostLineIsReportedOnceAndSearchReopens();
    void resolverPrefersTheDataRootLink();
};

void TestLink::searchOpensPortsAndSendsTheProbeOnTheLine()
{
    Fixture f;
    f.port->failingPort = 1;
    f.link.post(LinkMode::BaseStationSearch);
    f.ticks(6);
    QCOMPARE(f.port->opened, (QList<int>{1, 2}));
    QCOMPARE(f.port->sent.size(), 2);
    QCOMPARE(f.port->sent.last(), LinkFrame::fromCommand(Command::Probe));
}

void TestLink::bytesSplitAcrossReadsReachTheTable()
{
    Fixture f;
    f.link.post(LinkMode::VotePolling);
    f.ticks(1);
    const QByteArray bytes = keypadFrame(0x84, 2) + keypadFrame(0x81, 3);
    f.port->deliver(bytes.left(3), 10);
    f.port->deliver(bytes.mid(3, 3), 11);
    f.port->deliver(bytes.mid(6), 12);
    QCOMPARE(f.link.table().at(2).keyCode, 4);
    QCOMPARE(f.link.table().at(3).keyCode, 1);
    QCOMPARE(f.link.framesReceived(), 2u);
}

void TestLink::lostLineIsReportedOnceAndSearchReopens()
{
    Fixture f;
    f.link.post(LinkMode::BaseStationSearch);
    f.ticks(3);
    f.port->deliver(keypadFrame(0x80, 1).left(2), 0); // half a frame in flight when the line goes
    f.port->unplug();
    QCOMPARE(f.notifier.count(), 1);
    QCOMPARE(f.notifier.entries().first().kind, RecordingNotifier::Kind::Error);
    f.ticks(3); // the sequencer goes on against the closed port without another message
    QCOMPARE(f.notifier.count(), 1);

    f.link.post(LinkMode::BaseStationSearch);
    f.ticks(3);
    QCOMPARE(f.port->opened.last(), 1);
    // The stale half frame must not be glued to the answer on the new line.
    f.port->deliver(keypadFrame(0x80, 1), 1);
    f.ticks(3);
    QVERIFY(!f.link.sequencer().isSearching());
    QCOMPARE(f.link.sequencer().mode(), LinkMode::Idle);
}

void TestLink::resolverPrefersTheDataRootLink()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("System/dev")));
    const QString device = root.filePath(QStringLiteral("System/dev/COM4"));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), device));
    QCOMPARE(PortResolver(root.path(), false).devicePath(4), device);
    QCOMPARE(PortResolver(root.path(), false).devicePath(5), QString());
    QCOMPARE(PortResolver(root.path(), false).devicePath(0), QString());
}

QTEST_GUILESS_MAIN(TestLink)
#include "testlink.moc"
