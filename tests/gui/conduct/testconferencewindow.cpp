#include "fakelinkport.h"
#include "meetingfixture.h"
#include "motionfixture.h"

#include "core/conduct/conferencestate.h"
#include "core/conduct/signincontroller.h"
#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/output/resultviewcontroller.h"
#include "core/output/rtfwriter.h"
#include "core/store/meetingdatabase.h"
#include "gui/conduct/conferencewindow.h"
#include "gui/conduct/signinwindow.h"
#include "gui/conduct/votemonitorwindow.h"
#include "gui/conduct/votingwindow.h"
#include "gui/output/bigscreenwindow.h"
#include "gui/output/screentexteditor.h"
#include "gui/output/textplayerpage.h"
#include "gui/ui/hubbutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {
using Control = ConferenceWindow::Control;
using Page = ConferenceWindow::Page;

struct Fixture
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    QStringList speechCalls; // what the conference asked of the discussion page
    std::unique_ptr<ConferenceContext> context; // outlives the window, as the console's does
    std::unique_ptr<ConferenceWindow> window;

    explicit Fixture(const QString &systemType, bool withSpeechPage = false, ConferenceHooks hooks = {},
                     bool withTextPlayer = false)
    {
        link.applySettings({5, 1, 1, 1});
        if (!meeting.create(5, 5))
            qFatal("meeting set-up failed");
        MeetingDatabase(meeting.root, meeting.meetingName, meeting.notifier)
            .insertMotion(motionOfType("Budget", 1, "20261208100001"));
        const QString language = writeVotingLanguageFile(meeting.dir);
        QFile texts(language);
        if (!texts.open(QIODevice::Append) || texts.write("[FrmConmee]\nDlgName=Meeting in progress\n") < 0)
            qFatal("language file set-up failed");
        texts.close();
        if (withSpeechPage) {
            hooks.createSpeechPage = [](QWidget *parent, ConferenceContext &) { return new QWidget(parent); };
            hooks.runSpeechPage = [this](QWidget *, bool running) {
                speechCalls.append(running ? "start" : "stop");
            };
        }
        if (withTextPlayer) {
            hooks.createDocumentPage = [this, language](QWidget *parent) {
                return new TextPlayerPage(hall, nullptr, TextCatalogue(language), parent);
            };
        }
        context = std::make_unique<ConferenceContext>(link, *meeting.system, meeting.root, meeting.notifier, hall,
                                                      TextCatalogue(language), meeting.dir.path(), systemType);
        window = std::make_unique<ConferenceWindow>(*context, std::move(hooks));
        MeetingRecord record;
        meeting.system->readMeeting(meeting.meetingName, record);
        window->openMeeting(record);
        window->show();
    }
    HubButton *button(Control control) const { return window->button(control); }
    OperatorText lastMessage() const { return meeting.notifier.entries().constLast().text; }
    void finishSignIn()
    {
        SignInController *signIn = window->signInController();
        signIn->onCommandPhase();
        signIn->onBeginPolling();
        signIn->end();
        link.sequencer().raise(LinkEvent::SignInPassDone);
        signIn->onFinalPassCheck();
        signIn->onRelease();
    }
};
} // namespace

class TestConferenceWindow : public QObject
{
    Q_OBJECT

private slots:
    void layoutBySystemType_data();
    void layoutBySystemType();
    void votingOnlyInstallationStartsOnTheSignIn();
    void discussionInstallationWithoutASpeechPageKeepsItsButtonDisabled();
    void discussionInstallationStartsAndStopsTheSpeechPage();
    void unknownSystemTypeShowsNoPageUntilAButtonIsPressed();
    void pageSwitchAndExitAreRefusedDuringASignIn();
    void pageSwitchIsRefusedDuringABallot();
    void exitAsksFirstAndNoKeepsTheConference();
    void enterInAFieldPressesNoButton();
    void bannerGoesToTheHallTextPane();
    void screenTextSentFromTheConsoleIsOnTheHall();
    void titleNamesTheMeetingAndThePreparationGetsItAsOpen();
    void queryResultCarriesTheStoredBallot();
    void textPlayerFromTheButtonColumnLeavesTheHallAsItFoundIt();
    void escapeClosesTheVoteMonitorDuringABallot();
};

void TestConferenceWindow::layoutBySystemType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("layout");
    const int votingOnly = int(ConferenceWindow::Layout::VotingOnly);
    const int discussion = int(ConferenceWindow::Layout::Discussion);
    const int neither = int(ConferenceWindow::Layout::Neither);
    QTest::newRow("1") << "1" << votingOnly;
    QTest::newRow("3") << "3" << votingOnly;
    QTest::newRow("0") << "0" << discussion;
    QTest::newRow("2") << "2" << discussion;
    QTest::newRow("no number counts as 0") << "x" << discussion;
    QTest::newRow("empty counts as 0") << "" << discussion;
    QTest::newRow("4") << "4" << neither;
    QTest::newRow("negative") << "-1" << neither;
}

void TestConferenceWindow::layoutBySystemType()
{
    QFETCH(QString, type);
    QFETCH(int, layout);
    QCOMPARE(int(ConferenceWindow::layoutOf(type)), layout);
}

void TestConferenceWindow::votingOnlyInstallationStartsOnTheSignIn()
{
    Fixture f("1");
    QCOMPARE(f.window->currentPage(), Page::SignIn);
    QCOMPARE(f.window->signInWindow()->pos(), ConferenceWindow::ChildOrigin);
    QVERIFY(f.button(Control::Discussion)->isHidden());
    QVERIFY(!f.button(Control::SignIn)->isEnabled());
    QVERIFY(f.button(Control::Voting)->isEnabled());
    QCOMPARE(f.button(Control::SignIn)->geometry(), QRect(20, 50, 150, 50));
    QCOMPARE(f.button(Control::Voting)->geometry(), QRect(20, 150, 150, 50));
    QCOMPARE(f.button(Control::Exit)->geometry(), QRect(20, 550, 150, 50));
    // Without a text player in this console the document button has its place but stays disabled.
    QCOMPARE(f.button(Control::Document)->geometry(), QRect(20, 450, 150, 50));
    QVERIFY(!f.button(Control::Document)->isEnabled());
    // No screen text editor in this console: its button stays disabled.
    QVERIFY(!f.button(Control::InsertDisplay)->isEnabled());

    QVERIFY(f.window->press(Control::Voting));
    QCOMPARE(f.window->currentPage(), Page::Voting);
    QVERIFY(f.button(Control::SignIn)->isEnabled());
    QVERIFY(!f.button(Control::Voting)->isEnabled());
    QVERIFY(f.window->signInWindow()->isHidden());
    QCOMPARE(f.meeting.notifier.count(), 0);
}

void TestConferenceWindow::discussionInstallationWithoutASpeechPageKeepsItsButtonDisabled()
{
    Fixture f("2");
    QVERIFY(!f.button(Control::Discussion)->isHidden());
    QVERIFY(!f.button(Control::Discussion)->isEnabled());
    QCOMPARE(f.button(Control::Discussion)->geometry(), QRect(10, 50, 180, 50));
    QCOMPARE(f.button(Control::SignIn)->geometry(), QRect(10, 130, 180, 50));
    QCOMPARE(f.window->currentPage(), Page::SignIn);
    f.window->press(Control::Voting);
    f.window->press(Control::SignIn);
    QVERIFY(!f.button(Control::Discussion)->isEnabled());
    QCOMPARE(f.window->currentPage(), Page::SignIn);
}

void TestConferenceWindow::discussionInstallationStartsAndStopsTheSpeechPage()
{
    Fixture f("0", true); // the start-up progress runs 50 steps of 10 ms for 5 keypads
    QCOMPARE(f.window->currentPage(), Page::Speech);
    QCOMPARE(f.speechCalls, QStringList{"start"});
    QVERIFY(!f.button(Control::Discussion)->isEnabled());
    QVERIFY(f.button(Control::SignIn)->isEnabled());

    QVERIFY(f.window->press(Control::SignIn));
    QCOMPARE(f.speechCalls, (QStringList{"start", "stop"}));
    QCOMPARE(f.window->currentPage(), Page::SignIn);
    QVERIFY(f.button(Control::Discussion)->isEnabled());

    QVERIFY(f.window->press(Control::Discussion));
    QCOMPARE(f.window->currentPage(), Page::Speech);
    QCOMPARE(f.speechCalls.constLast(), "start");
    QVERIFY(f.button(Control::SignIn)->isEnabled());
}

void TestConferenceWindow::unknownSystemTypeShowsNoPageUntilAButtonIsPressed()
{
    Fixture f("7");
    QCOMPARE(f.window->currentPage(), Page::None);
    QVERIFY(f.window->press(Control::SignIn));
    QCOMPARE(f.window->currentPage(), Page::SignIn);
}

void TestConferenceWindow::pageSwitchAndExitAreRefusedDuringASignIn()
{
    Fixture f("1");
    f.window->signInWindow()->button(SignInWindow::Control::Start)->click();
    QVERIFY(!f.window->press(Control::Voting));
    QCOMPARE(f.meeting.notifier.count(), 1);
    QCOMPARE(f.meeting.notifier.entries().constLast().caption,
             OperatorText::catalogue("FrmConmee", "MsgClew"));
    QCOMPARE(f.lastMessage(), OperatorText::catalogue("FrmConmee", "MsgClewCheErr"));
    QCOMPARE(f.window->currentPage(), Page::SignIn);

    f.meeting.notifier.queueAnswer(true);
    QVERIFY(!f.window->press(Control::Exit));
    QCOMPARE(f.lastMessage(), OperatorText::catalogue("FrmConmee", "MsgClewCheErr")); // no question asked
    f.window->close();
    QVERIFY(f.window->isVisible());

    f.finishSignIn();
    QVERIFY(f.window->conferenceState().signInClosed);
    QVERIFY(f.window->press(Control::Voting));
    QCOMPARE(f.window->currentPage(), Page::Voting);
}

void TestConferenceWindow::pageSwitchIsRefusedDuringABallot()
{
    Fixture f("1");
    f.window->conferenceState().signInClosed = true;
    f.window->press(Control::Voting);
    f.window->votingWindow()->motionList()->selectRow(0);
    f.window->votingWindow()->button(VotingWindow::Control::Start)->click();
    QCOMPARE(f.window->votingController()->phase(), VotingController::Phase::Announcing);
    QVERIFY(!f.window->press(Control::SignIn));
    QCOMPARE(f.lastMessage(), OperatorText::catalogue("FrmConmee", "MsgClewVoteErr"));
    QCOMPARE(f.window->currentPage(), Page::Voting);

    // Refused until the closing command has gone out.
    VotingController *voting = f.window->votingController();
    voting->onAnnounce();
    voting->onCollect();
    voting->stop();
    f.link.sequencer().raise(LinkEvent::VotePassDone);
    voting->onFinalPassCheck();
    QVERIFY(!f.window->press(Control::SignIn));
    voting->onRelease();
    QVERIFY(f.window->press(Control::SignIn));
    QCOMPARE(f.window->currentPage(), Page::SignIn);
}

void TestConferenceWindow::exitAsksFirstAndNoKeepsTheConference()
{
    Fixture f("1");
    f.meeting.notifier.queueAnswer(false);
    f.window->press(Control::Exit);
    QCOMPARE(f.meeting.notifier.entries().constLast().kind, RecordingNotifier::Kind::Question);
    QCOMPARE(f.lastMessage(), OperatorText::catalogue("FrmConmee", "MsgClewExit"));
    QVERIFY(f.window->isVisible());

    f.meeting.notifier.queueAnswer(false);
    QTest::keyClick(f.window.get(), Qt::Key_Escape); // Escape goes the exit button's way
    QCOMPARE(f.meeting.notifier.count(), 2);
    QVERIFY(f.window->isVisible());

    f.meeting.notifier.queueAnswer(true);
    f.window->close();
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.window->result(), int(QDialog::Accepted));
}

void TestConferenceWindow::enterInAFieldPressesNoButton()
{
    Fixture f("1");
    // A dialog presses its default button on an Enter that a field passes on; the console has none.
    for (const QPushButton *button : f.window->findChildren<QPushButton *>())
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->text()));
    QLineEdit *field = f.window->signInWindow()->keypadField();
    QTest::keyClicks(field, "3");
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(f.window->currentPage(), Page::SignIn);
    QVERIFY(!f.window->signInController()->isRunning());
    QCOMPARE(f.meeting.notifier.count(), 0);
}

void TestConferenceWindow::bannerGoesToTheHallTextPane()
{
    Fixture f("1");
    f.hall.textDocument().setPlainText("left over");
    f.window->runMenuItem(1402);
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Text);
    QVERIFY(f.hall.textDocument().isEmpty()); // the meeting has no banner yet

    QTextDocument banner;
    banner.setPlainText("Annual plenary");
    QVERIFY(QDir(f.meeting.dir.path()).mkpath("MeeFile/Meebanner"));
    QVERIFY(RtfWriter::writeFile(banner, f.meeting.dir.filePath("MeeFile/Meebanner/20261208090000.rtf")));
    QVERIFY(f.meeting.system->recordBanner("20261208090000", "20261208090000.rtf"));
    QSignalSpy arrived(&f.hall, &HallScreen::textDocumentReplaced);
    f.window->runMenuItem(1402);
    QVERIFY(arrived.wait());
    QCOMPARE(f.hall.textDocument().toPlainText().trimmed(), "Annual plenary");

    // The banner file goes missing: the hall keeps its pane and text, and the operator is told which file.
    f.hall.show(HallScreen::Pane::Chart);
    const QString path = f.meeting.dir.filePath("MeeFile/Meebanner/20261208090000.rtf");
    QVERIFY(QFile::remove(path));
    f.meeting.notifier.clear();
    f.window->runMenuItem(1402);
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Chart);
    QCOMPARE(f.hall.textDocument().toPlainText().trimmed(), "Annual plenary");
    QVERIFY(!f.hall.isReadingDocument());
    QCOMPARE(f.meeting.notifier.count(), 1);
    QCOMPARE(f.lastMessage().key, "MsgBannerMissing");
    QCOMPARE(f.lastMessage().args, QStringList{QDir::toNativeSeparators(path)});
}

void TestConferenceWindow::screenTextSentFromTheConsoleIsOnTheHall()
{
    // The console's own wiring: the insert-display button runs the editor modally over the conference.
    Fixture *fixture = nullptr;
    HallScreen *hall = nullptr;
    ConferenceHooks hooks;
    hooks.openScreenTextEditor = [&](QWidget *parent) {
        ScreenTextEditor::open(parent, *hall, fixture->meeting.root, fixture->meeting.notifier, TextCatalogue());
    };
    Fixture f("1", false, std::move(hooks));
    fixture = &f;
    hall = &f.hall;
    BigScreenWindow screen(f.hall);
    f.hall.show(HallScreen::Pane::Chart);

    bool sent = false;
    QTimer::singleShot(0, this, [&] {
        auto *editor = qobject_cast<ScreenTextEditor *>(QApplication::activeModalWidget());
        QVERIFY(editor);
        QTRY_VERIFY(editor->findChild<QPushButton *>("IDC_SEND_INSBNT")->isEnabled());
        editor->editor()->setPlainText("Coffee break");
        editor->findChild<QPushButton *>("IDC_SEND_INSBNT")->click();
        sent = true;
        editor->findChild<QPushButton *>("IDOK")->click();
    });
    QVERIFY(f.window->press(Control::InsertDisplay));
    QVERIFY(sent);
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Text);
    QTRY_COMPARE(f.hall.textDocument().toPlainText(), "Coffee break");
    // What the hall window shows is that document.
    QCOMPARE(screen.findChild<QTextEdit *>()->document(), &f.hall.textDocument());
    QVERIFY(screen.isVisible());
}

void TestConferenceWindow::titleNamesTheMeetingAndThePreparationGetsItAsOpen()
{
    QStringList handed;
    ConferenceHooks hooks;
    hooks.runMeetingPreparation = [&handed](QWidget *, const QString &openMeeting) {
        handed.append(openMeeting);
    };
    Fixture f("1", false, std::move(hooks));
    QCOMPARE(f.window->windowTitle(), "Meeting in progress — Plenary O'Brien");
    f.window->runMenuItem(1401);
    QCOMPARE(handed, QStringList{"Plenary O'Brien"});
}

void TestConferenceWindow::queryResultCarriesTheStoredBallot()
{
    Fixture f("1");
    f.window->conferenceState().signInClosed = true;
    f.window->press(Control::Voting);
    VotingController *voting = f.window->votingController();
    voting->selectMotion(0);
    voting->start();
    voting->onAnnounce();
    voting->onCollect();
    f.link.table().entry(1)->keyCode = 0x01;
    voting->stop();
    f.link.sequencer().raise(LinkEvent::VotePassDone);
    voting->onFinalPassCheck();
    const StoredResult result = f.window->selectedResult();
    QCOMPARE(result.meetingName, f.meeting.meetingName);
    QCOMPARE(result.motionName, "Budget");
    QCOMPARE(result.type, VoteType::YesNo);
    QVERIFY(!result.result.isEmpty());
    QVERIFY(!result.pollTime.isEmpty());
    QCOMPARE(result.percentageFlag, 1);
    QCOMPARE(result.screenSize, f.hall.geometry().size());
}

// The text player reached by its button: opening the page changes nothing on the hall, a file read there
// is the hall's until another page takes it, and leaving the page stops the automatic stepping, so the
// motion the voting page puts up next keeps its colours.
void TestConferenceWindow::textPlayerFromTheButtonColumnLeavesTheHallAsItFoundIt()
{
    Fixture f("2", false, {}, true);
    QCOMPARE(f.button(Control::Document)->geometry(), QRect(10, 450, 180, 50));
    QVERIFY(f.button(Control::Document)->isEnabled());
    QTextCursor(&f.hall.clearText()).insertText("Welcome");
    f.hall.show(HallScreen::Pane::Text);

    QVERIFY(f.window->press(Control::Document));
    QCOMPARE(f.window->currentPage(), Page::Document);
    QVERIFY(!f.button(Control::Document)->isEnabled());
    auto *player = f.window->findChild<TextPlayerPage *>();
    QVERIFY(player && player->isVisible());
    QCOMPARE(f.hall.textDocument().toPlainText(), "Welcome");

    QFile file(f.meeting.dir.filePath("speech.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("First. Second. Third.");
    file.close();
    QVERIFY(player->openFile(file.fileName()));
    QCOMPARE(f.hall.textDocument().toPlainText(), "First. Second. Third.\n");
    player->automaticButton()->click();
    player->controller().tick();
    QVERIFY(player->controller().isTimerActive());

    f.window->conferenceState().signInClosed = true;
    QVERIFY(f.window->press(Control::Voting));
    QVERIFY(!player->controller().isTimerActive());
    VotingController *voting = f.window->votingController();
    voting->selectMotion(0);
    voting->showMotionOnHall();
    const QString motion = f.hall.textDocument().toPlainText();
    QVERIFY(motion.contains("Budget"));
    QTextCursor at(&f.hall.textDocument());
    at.setPosition(motion.indexOf("Budget") + 1);
    const QColor before = at.charFormat().foreground().color();
    player->controller().tick();
    player->controller().nextSentence();
    QCOMPARE(f.hall.textDocument().toPlainText(), motion);
    QTextCursor after(&f.hall.textDocument());
    after.setPosition(motion.indexOf("Budget") + 1);
    QCOMPARE(after.charFormat().foreground().color(), before);

    QVERIFY(f.window->press(Control::Document));
    QCOMPARE(f.hall.pane(), HallScreen::Pane::Text);
    QCOMPARE(f.hall.textDocument().toPlainText(), "First. Second. Third.\n");
    QCOMPARE(f.meeting.notifier.count(), 0);
}

void TestConferenceWindow::escapeClosesTheVoteMonitorDuringABallot()
{
    Fixture f("1");
    f.window->conferenceState().signInClosed = true;
    f.window->press(Control::Voting);
    VotingController *voting = f.window->votingController();
    voting->selectMotion(0);
    voting->start();
    voting->onAnnounce();
    voting->onCollect();
    emit f.window->votingWindow()->monitorRequested();
    VoteMonitorWindow *monitor = f.window->voteMonitor();
    QVERIFY(monitor && monitor->isVisible());
    QPointer<VoteMonitorWindow> watched(monitor);
    QTest::keyClick(monitor, Qt::Key_Escape);
    QTRY_VERIFY(!watched); // closed, and so deleted
    // Nothing reached the conference: no refusal, the ballot runs on.
    QCOMPARE(f.meeting.notifier.count(), 0);
    QVERIFY(f.window->isVisible());
    QCOMPARE(voting->phase(), VotingController::Phase::Live);
}

QTEST_MAIN(TestConferenceWindow)
#include "testconferencewindow.moc"
