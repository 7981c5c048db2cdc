#include "fakelinkport.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/link/portresolver.h"
#include "core/link/seriallinkport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QSerialPort>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

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
    void pulledLineIsSearchedForAgainWithoutAMessageBox();
    void resolverPrefersTheDataRootLink();
    void portHeldByAnotherProgramIsNamedAfterTheSearch();
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

void TestLink::pulledLineIsSearchedForAgainWithoutAMessageBox()
{
    Fixture f;
    QSignalSpy changes(&f.link, &Link::connectionChanged);
    f.link.post(LinkMode::BaseStationSearch);
    f.ticks(3);
    f.port->deliver(keypadFrame(0x80, 1), 0);
    f.ticks(3);
    QVERIFY(f.link.hasBaseStation());
    QCOMPARE(f.link.statusText(), OperatorText());

    f.port->deliver(keypadFrame(0x80, 1).left(2), 0); // half a frame in flight when the line goes
    f.port->unplug();
    QVERIFY(f.link.isLost());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(f.link.statusText(),
             OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgLinkLost"),
                                     {QStringLiteral("1"), QStringLiteral("4")}));
    // Nobody posts a search: the link starts one itself, from the lowest port.
    f.port->opened.clear();
    f.ticks(3);
    QCOMPARE(f.port->opened, QList<int>{1});
    // The stale half frame must not be glued to the answer on the new line.
    f.port->deliver(keypadFrame(0x80, 1), 1);
    f.ticks(3);
    QVERIFY(f.link.hasBaseStation());
    QCOMPARE(changes.count(), 2);
    QCOMPARE(f.notifier.count(), 0); // the running window shows the state; no box waits for a click
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

void TestLink::portHeldByAnotherProgramIsNamedAfterTheSearch()
{
    // A terminal as the serial device; another program holds it the way serial programs do (its lock
    // file and an exclusive open), here a second port object of this process.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0);
    QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
    const QString terminal = QString::fromLocal8Bit(ptsname(master));
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("System/dev")));
    const QString device = root.filePath(QStringLiteral("System/dev/COM2"));
    QVERIFY(QFile::link(terminal, device));
    auto holder = std::make_unique<QSerialPort>(device);
    QVERIFY(holder->open(QIODevice::ReadWrite));

    RecordingNotifier notifier;
    Link link(std::make_unique<SerialLinkPort>(PortResolver(root.path(), false)), notifier);
    link.applySettings({3, 1, 1, 3});
    const auto searchInVain = [&link] {
        link.post(LinkMode::BaseStationSearch);
        for (int i = 0; i < 20 && !link.sequencer().take(LinkEvent::NoBaseStation); ++i)
            link.sequencer().onTickTimer();
    };
    searchInVain();
    // COM1 and COM3 have no device at all: only the held port is named.
    QCOMPARE(link.portsInUse(), QStringList{QStringLiteral("COM2 (%1)").arg(device)});

    // Let go: the port opens (and stays silent), so the next search names nothing.
    holder.reset();
    searchInVain();
    QCOMPARE(link.portsInUse(), QStringList());
    link.port().close();
    ::close(master);
}

QTEST_GUILESS_MAIN(TestLink)
#include "testlink.moc"
