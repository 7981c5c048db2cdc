#include "fakelinkport.h"
#include "meetingfixture.h"

#include "core/conduct/signincontroller.h"
#include "core/link/link.h"
#include "core/link/linkmode.h"
#include "core/output/hallscreen.h"
#include "gui/conduct/signinwindow.h"
#include "gui/ui/conductstatusbar.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {
using Control = SignInWindow::Control;

// A sign-in page over a fake line: the test plays the keypads in the table and runs the timers' work.
struct Fixture
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    std::unique_ptr<SignInController> signIn;
    std::unique_ptr<SignInWindow> window;

    // Delegates sit on keypads 1..delegates; the keypads above have nobody.
    Fixture(int keypads, int due, int delegates = 30)
    {
        link.applySettings({keypads, 1, 1, 1});
        if (!meeting.create(due, delegates, "1", "50"))
            qFatal("meeting set-up failed");
        QFile language(meeting.dir.filePath("menu.ini"));
        language.open(QIODevice::WriteOnly);
        language.write("[FrmManChe]\nMsgClew4=signed\nMsgScrView5=quorate\nMsgScrView6=not quorate\n"
                       "MsgScrView9=present\nMsgScrView10=absent\nIDC_SIGNIN_START=Start\n"
                       "[Public]\nMsgStrangers=off the roster: %1\n"
                       "[FrmScrText]\nScrSignInList=Signed\nScrAbsentList=Missing\n");
        language.close();
        const TextCatalogue catalogue(language.fileName());
        context = meeting.conference(link, hall, catalogue);
        signIn = std::make_unique<SignInController>(*context);
        signIn->open();
        window = std::make_unique<SignInWindow>(*signIn, catalogue);
        window->show();
    }
    bool enabled(Control control) const { return window->button(control)->isEnabled(); }
    QTableWidgetItem *cell(int keypad, int column) const
    {
        const SignInController::Cell c = SignInController::cellOf(keypad);
        return window->list()->item(c.row, 3 * c.group + column);
    }
};
} // namespace

class TestSignInWindow : public QObject
{
    Q_OBJECT

private slots:
    void buttonsFollowTheControllerThroughStartAndEnd();
    void listHasNineteenRowsPerGroupOfThreeColumns();
    void countsAndQuorumFollowTheRefresh();
    void countDownControlsFollowTheCheckBoxAndTheRun();
    void keypadFieldKeepsDigitsAndAnOutOfRangeNumberIsEmptied_data();
    void keypadFieldKeepsDigitsAndAnOutOfRangeNumberIsEmptied();
    void nameListButtonsEnableTheirOwnPagePair();
};

void TestSignInWindow::buttonsFollowTheControllerThroughStartAndEnd()
{
    Fixture f(40, 30, 5);
    QCOMPARE(f.window->button(Control::Start)->text(), "Start"); // texts come from the catalogue
    QVERIFY(f.enabled(Control::Start) && f.enabled(Control::Fill) && f.enabled(Control::QueryOk));
    QVERIFY(!f.enabled(Control::End));

    f.window->button(Control::Start)->click();
    QVERIFY(f.signIn->isRunning());
    QVERIFY(!f.enabled(Control::Start) && !f.enabled(Control::Fill) && !f.enabled(Control::QueryOk));
    QVERIFY(!f.enabled(Control::End)); // End waits until polling runs
    QVERIFY(!f.enabled(Control::SignedList));
    QVERIFY(!f.window->countDownCheck()->isEnabled());

    f.signIn->onCommandPhase();
    f.signIn->onBeginPolling();
    QVERIFY(f.enabled(Control::End));

    f.window->button(Control::End)->click();
    QVERIFY(f.context->state.signInClosed);
    QVERIFY(!f.enabled(Control::End) && !f.enabled(Control::Start));
    f.link.sequencer().raise(LinkEvent::SignInPassDone);
    f.signIn->onFinalPassCheck();
    QVERIFY(!f.enabled(Control::Start)); // the closing command is still to go
    f.signIn->onRelease();
    QVERIFY(!f.signIn->isRunning());
    QVERIFY(f.enabled(Control::Start) && f.enabled(Control::Fill) && f.enabled(Control::QueryOk));
    QVERIFY(f.enabled(Control::SignedList) && f.enabled(Control::AbsentList));
    QVERIFY(f.window->countDownCheck()->isEnabled());
    QCOMPARE(f.meeting.notifier.count(), 0);
}

void TestSignInWindow::listHasNineteenRowsPerGroupOfThreeColumns()
{
    Fixture f(249, 200, 20);
    QCOMPARE(f.window->list()->rowCount(), 19);
    QCOMPARE(f.window->list()->columnCount(), 3 * 14);    // 249 keypads need 14 groups
    QCOMPARE(f.window->list()->item(0, 3)->text(), "20"); // keypad 20 opens the second group
    QCOMPARE(f.cell(20, 1)->text(), "Delegate 20");
    QCOMPARE(f.cell(249, 0)->text(), "249");
    QCOMPARE(f.cell(21, 1)->text(), ""); // nobody on keypad 21
    QCOMPARE(f.cell(5, 2)->text(), "-----");

    f.link.table().entry(5)->signedIn = 1;
    f.signIn->onRefresh();
    QCOMPARE(f.cell(5, 2)->text(), "signed");
    QCOMPARE(f.cell(6, 2)->text(), "-----");
}

void TestSignInWindow::countsAndQuorumFollowTheRefresh()
{
    Fixture f(40, 30, 20);
    f.window->button(Control::Start)->click();
    f.signIn->onCommandPhase();
    f.signIn->onBeginPolling();
    for (int n = 1; n <= 14; ++n)
        f.link.table().entry(n)->signedIn = 1;
    // Keypads 25 and 26 are on nobody's roster: the operator sees them, the counts never do.
    f.link.table().entry(25)->signedIn = 1;
    f.link.table().entry(26)->signedIn = 1;
    f.signIn->onRefresh();
    QCOMPARE(f.window->countText(0), "30");
    QCOMPARE(f.window->countText(1), "14");
    QCOMPARE(f.window->countText(2), "16");
    QCOMPARE(f.window->quorumText(), "not quorate");

    f.link.table().entry(15)->signedIn = 1;
    f.signIn->onRefresh();
    QCOMPARE(f.window->countText(1), "15");
    QCOMPARE(f.window->quorumText(), "quorate");
    QCOMPARE(f.window->statusBar()->strangersText(), "off the roster: 25-26");
}

void TestSignInWindow::countDownControlsFollowTheCheckBoxAndTheRun()
{
    Fixture f(20, 20, 5);
    QCOMPARE(f.window->secondsField()->text(), "60");
    QVERIFY(!f.window->secondsField()->isEnabled());
    f.window->countDownCheck()->click();
    QVERIFY(f.signIn->isCountDownEnabled());
    QVERIFY(f.window->secondsField()->isEnabled());

    f.window->secondsField()->clear();
    QTest::keyClicks(f.window->secondsField(), "1x25");
    QCOMPARE(f.window->secondsField()->text(), "125");
    QCOMPARE(f.signIn->countDownSeconds(), "125");

    f.window->button(Control::Start)->click();
    f.signIn->onCommandPhase();
    f.signIn->onBeginPolling();
    f.signIn->onCountDownTick();
    QCOMPARE(f.window->countDownText(), "02:04");
    QVERIFY(!f.window->countDownCheck()->isEnabled());
}

void TestSignInWindow::keypadFieldKeepsDigitsAndAnOutOfRangeNumberIsEmptied_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("queried");
    QTest::newRow("in range") << "7"
                              << "7" << true;
    QTest::newRow("letters are dropped") << "a1b2"
                                         << "12" << true;
    QTest::newRow("zero") << "0"
                          << "" << false;
    QTest::newRow("beyond the keypad count") << "41"
                                             << "" << false;
}

void TestSignInWindow::keypadFieldKeepsDigitsAndAnOutOfRangeNumberIsEmptied()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, queried);
    Fixture f(40, 30, 5);
    QTest::keyClicks(f.window->keypadField(), typed);
    f.window->button(Control::QueryOk)->click();
    QCOMPARE(f.window->keypadField()->text(), shown);
    f.port->sent.clear();
    for (int i = 0; i < 3; ++i)
        f.link.sequencer().tick();
    bool polled = false;
    for (const LinkFrame &frame : f.port->sent)
        polled = polled || frame.commandValue() == (Command::Poll | shown.toUInt());
    QCOMPARE(polled, queried);
}

void TestSignInWindow::nameListButtonsEnableTheirOwnPagePair()
{
    Fixture f(40, 30);
    QVERIFY(!f.enabled(Control::SignedUp) && !f.enabled(Control::AbsentDown));
    f.window->button(Control::SignedList)->click();
    QCOMPARE(f.hall.pane(), HallScreen::Pane::NameBoard);
    QCOMPARE(f.hall.nameBoard().title(), "Signed");
    QVERIFY(f.enabled(Control::SignedUp) && f.enabled(Control::SignedDown));
    QVERIFY(!f.enabled(Control::AbsentUp) && !f.enabled(Control::AbsentDown));

    f.window->button(Control::AbsentList)->click();
    QCOMPARE(f.hall.nameBoard().title(), "Missing");
    QCOMPARE(f.hall.nameBoard().names().first(), "Delegate 1");
    f.window->button(Control::AbsentDown)->click();
    QCOMPARE(f.hall.nameBoard().names().first(), "Delegate 25");
    QVERIFY(!f.enabled(Control::SignedUp) && f.enabled(Control::AbsentUp));
}

QTEST_MAIN(TestSignInWindow)
#include "testsigninwindow.moc"
