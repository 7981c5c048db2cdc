#include "fakelinkport.h"
#include "linkup.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/shell/startupsearchcontroller.h"

#include <QSignalSpy>
#include <QTest>

namespace {
struct Fixture
{
    RecordingNotifier notifier;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), notifier};
    StartupSearchController search{link};

    Fixture()
    {
        link.applySettings({5, 1, 2, 3});
        link.post(LinkMode::BaseStationSearch);
        search.open();
    }
    // Runs the search until it gives up: three ticks per port and one step more.
    void searchInVain()
    {
        for (int i = 0; i < 9; ++i)
            link.sequencer().onTickTimer();
    }
};
} // namespace

class TestStartupSearchController : public QObject
{
    Q_OBJECT

private slots:
    void progressOnlyGrowsAndSaysWhatIsDone();
    void noBaseStationRaisesTheErrorOncePerSearch();
    void searchAgainStartsFromTheLowestPort();
    void errorWindowLeftAnyWayButGoOnOffersSearchAgain_data();
    void errorWindowLeftAnyWayButGoOnOffersSearchAgain();
    void goingOnWithoutShowsTheMainWindow();
    void linkReadyEndsTheWatch();
};

// The bar follows the search over the ports and then the roll call, and never runs back; the window's
// text names the port tried and, in the roll call, how many keypads answered.
void TestStartupSearchController::progressOnlyGrowsAndSaysWhatIsDone()
{
    Fixture f;
    QCOMPARE(f.search.status(), OperatorText::catalogue("FrmLogo", "MsgSearchPort", {"2", "2", "3"}));
    QList<int> seen{f.search.progress()};
    QStringList ports;
    for (int i = 0; i < 6 && !f.port->opened.contains(3); ++i) {
        f.link.sequencer().onTickTimer();
        f.search.onTimer();
        seen.append(f.search.progress());
        if (!ports.contains(f.search.status().args.value(0)))
            ports.append(f.search.status().args.value(0));
    }
    QCOMPARE(ports, (QStringList{"2", "3"}));
    QCOMPARE(f.search.progress(), 50); // both ports of the range tried: half way

    // The base station answers on COM3; the roll call of five keypads follows, and 1 and 3 answer.
    f.port->deliver(keypadFrameBytes(0x80, 1), 0);
    for (int i = 0; i < 6 && !f.link.hasBaseStation(); ++i)
        f.link.sequencer().onTickTimer();
    QVERIFY(f.link.hasBaseStation());
    f.link.stop();
    f.link.sequencer().onOneShot(OneShotTimer::StartupRollCall);
    for (int i = 0; i < 3; ++i) {
        f.link.sequencer().tick();
        f.search.onTimer();
        seen.append(f.search.progress());
    }
    f.link.table().entry(1)->answered = 1;
    f.link.table().entry(3)->answered = 1;
    f.search.onTimer();
    QCOMPARE(f.search.status(), OperatorText::catalogue("FrmLogo", "MsgRollCall", {"2", "3", "5"}));
    QVERIFY(f.search.progress() > 50 && f.search.progress() < 100);
    for (qsizetype i = 1; i < seen.size(); ++i)
        QVERIFY2(seen[i] >= seen[i - 1],
                 qPrintable(QStringLiteral("%1 after %2").arg(seen[i]).arg(seen[i - 1])));
}

void TestStartupSearchController::noBaseStationRaisesTheErrorOncePerSearch()
{
    Fixture f;
    QSignalSpy errors(&f.search, &StartupSearchController::linkErrorRaised);
    f.search.onTimer();
    f.searchInVain();
    f.search.onTimer();
    QCOMPARE(errors.count(), 1);
    QCOMPARE(f.search.progress(), 0);
    QVERIFY(!f.search.isSearchAgainEnabled());
    // The search stays off until the operator asks again: no second error from the same search.
    f.searchInVain();
    f.search.onTimer();
    QCOMPARE(errors.count(), 1);
    f.search.onErrorChoice(StartupSearchController::ErrorChoice::SearchAgainLater);
    QVERIFY(f.search.isSearchAgainEnabled());
}

void TestStartupSearchController::searchAgainStartsFromTheLowestPort()
{
    Fixture f;
    QSignalSpy errors(&f.search, &StartupSearchController::linkErrorRaised);
    f.searchInVain();
    f.search.onTimer();
    f.search.onErrorChoice(StartupSearchController::ErrorChoice::SearchAgainLater);
    f.search.searchAgain();
    QVERIFY(!f.search.isSearchAgainEnabled());
    f.searchInVain();
    f.search.onTimer();
    QCOMPARE(f.port->opened, (QList<int>{2, 3, 2, 3}));
    QCOMPARE(errors.count(), 2);
}

void TestStartupSearchController::errorWindowLeftAnyWayButGoOnOffersSearchAgain_data()
{
    QTest::addColumn<StartupSearchController::ErrorChoice>("choice");
    QTest::newRow("OK") << StartupSearchController::ErrorChoice::SearchAgainLater;
    QTest::newRow("close box or Escape") << StartupSearchController::ErrorChoice::Dismissed;
}

void TestStartupSearchController::errorWindowLeftAnyWayButGoOnOffersSearchAgain()
{
    QFETCH(StartupSearchController::ErrorChoice, choice);
    Fixture f;
    QSignalSpy hidden(&f.search, &StartupSearchController::hideRequested);
    f.searchInVain();
    f.search.onTimer();
    f.search.onErrorChoice(choice);
    QVERIFY(f.search.isSearchAgainEnabled());
    QCOMPARE(hidden.count(), 0);
    QVERIFY(!f.link.sequencer().isRaised(LinkEvent::LinkReady));
}

void TestStartupSearchController::goingOnWithoutShowsTheMainWindow()
{
    Fixture f;
    QSignalSpy hidden(&f.search, &StartupSearchController::hideRequested);
    QSignalSpy shown(&f.link.sequencer(), &CommandSequencer::showMainWindowRequested);
    f.searchInVain();
    f.search.onTimer();
    f.search.onErrorChoice(StartupSearchController::ErrorChoice::GoOnWithout);
    QCOMPARE(hidden.count(), 1);
    f.link.sequencer().onTickTimer();
    QCOMPARE(shown.count(), 1);
    QVERIFY(f.link.sequencer().isRaised(LinkEvent::LinkReady));
    QVERIFY(!f.search.isSearchAgainEnabled());
}

void TestStartupSearchController::linkReadyEndsTheWatch()
{
    Fixture f;
    QSignalSpy errors(&f.search, &StartupSearchController::linkErrorRaised);
    f.search.onTimer();
    f.link.sequencer().raise(LinkEvent::LinkReady);
    f.search.onTimer();
    QCOMPARE(f.search.progress(), 0);
    QVERIFY(!f.link.sequencer().isRaised(LinkEvent::LinkReady));
    QCOMPARE(errors.count(), 0);
}

QTEST_GUILESS_MAIN(TestStartupSearchController)
#include "teststartupsearchcontroller.moc"
