#include "fakelinkport.h"
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
    void progressCyclesWhileSearching();
    void noBaseStationRaisesTheErrorOncePerSearch();
    void searchAgainStartsFromTheLowestPort();
    void errorWindowLeftAnyWayButGoOnOffersSearchAgain_data();
    void errorWindowLeftAnyWayButGoOnOffersSearchAgain();
    void goingOnWithoutShowsTheMainWindow();
    void linkReadyEndsTheWatch();
};

void TestStartupSearchController::progressCyclesWhileSearching()
{
    Fixture f;
    QList<int> seen;
    for (int i = 0; i < 11; ++i) {
        f.search.onTimer();
        seen.append(f.search.progress());
    }
    QCOMPARE(seen, (QList<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 10}));
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
