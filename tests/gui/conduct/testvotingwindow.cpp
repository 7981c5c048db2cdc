#include "fakelinkport.h"
#include "meetingfixture.h"
#include "motionfixture.h"

#include "core/conduct/votingcontroller.h"
#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/store/meetingdatabase.h"
#include "gui/conduct/votingwindow.h"
#include "gui/output/chartview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {
using Control = VotingWindow::Control;

// Motions of a yes/no ballot, an election of one of three and an appraisal, in that order.
struct Fixture
{
    MeetingFixture meeting;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), meeting.notifier};
    HallScreen hall;
    std::unique_ptr<ConferenceContext> context;
    std::unique_ptr<VotingController> voting;
    std::unique_ptr<VotingWindow> window;

    Fixture()
    {
        link.applySettings({10, 1, 1, 1});
        if (!meeting.create(10, 10))
            qFatal("meeting set-up failed");
        meeting.system->recordSignInCount(meeting.meetingName, "8");
        const TextCatalogue catalogue(languageFile());
        MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
        int stamp = 0;
        for (int type : {1, 2, 7}) {
            MotionRecord motion =
                motionOfType(QString("Motion %1").arg(type), type, QString("2026120810000%1").arg(++stamp));
            motion.VoteTimelRes = type == 7 ? "1" : "2";
            motion.VoteTimelValue = "30";
            motion.Unit = "1";
            database.insertMotion(motion);
            if (!motion.candidate.isEmpty())
                database.storeCandidates(motion.OveName, motion.candidate);
        }
        context = meeting.conference(link, hall, catalogue);
        voting = std::make_unique<VotingController>(*context);
        voting->open();
        window = std::make_unique<VotingWindow>(*voting, catalogue);
        window->show();
    }
    // The voting texts plus the start and stop captions of three types.
    QString languageFile()
    {
        QFile file(writeVotingLanguageFile(meeting.dir));
        file.open(QIODevice::ReadOnly);
        QByteArray text = file.readAll();
        file.close();
        text.replace("[FrmMeeVote]\n",
                     "[FrmMeeVote]\nBtnVoteStart1=Vote\nBtnVoteStart2=Elect\n"
                     "BtnVoteStart4=Appraise\nBtnVoteEnd1=Close vote\nBtnVoteEnd2=Close election\n"
                     "BtnVoteEnd4=Close appraisal\n");
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
        return file.fileName();
    }
    bool enabled(Control control) const { return window->button(control)->isEnabled(); }
    void select(int row) { window->motionList()->selectRow(row); }
    void runBallot()
    {
        window->button(Control::Start)->click();
        voting->onAnnounce();
        voting->onCollect();
        voting->onLiveTick();
        window->button(Control::Stop)->click();
        link.sequencer().raise(LinkEvent::VotePassDone);
        voting->onFinalPassCheck();
        voting->onRelease();
    }
};
} // namespace

class TestVotingWindow : public QObject
{
    Q_OBJECT

private slots:
    void listShowsTheMotionsInFourColumns();
    void startBeforeASignInShowsMsgLogFirst();
    void controlsFollowTheBallotSequence();
    void optionsShowTheSelectedMotion();
    void optionGroupByType_data();
    void optionGroupByType();
    void checkBoxesEditTheControllersCopies();
    void candidateAndResultCommandsNeedTheirWindows();
};

void TestVotingWindow::listShowsTheMotionsInFourColumns()
{
    Fixture f;
    QTableWidget *list = f.window->motionList();
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->columnCount(), 4);
    QCOMPARE(list->columnWidth(1), 580);
    QCOMPARE(list->item(2, 0)->text(), "3");
    QCOMPARE(list->item(1, 1)->text(), "Motion 2");
    QCOMPARE(list->item(1, 2)->text(), "T2");
    QCOMPARE(list->item(1, 3)->text(), "Ready");
    QCOMPARE(f.window->countText(0), "10");
    QCOMPARE(f.window->countText(1), "8");
    QVERIFY(!f.enabled(Control::Start)); // nothing selected yet
    QVERIFY(!f.window->optionGroup()->isEnabled());
    QCOMPARE(f.window->preview()->model(), &f.voting->preview());
}

void TestVotingWindow::startBeforeASignInShowsMsgLogFirst()
{
    Fixture f;
    f.select(0);
    QVERIFY(f.enabled(Control::Start));
    f.window->button(Control::Start)->click();
    QCOMPARE(f.meeting.notifier.count(), 1);
    QCOMPARE(f.meeting.notifier.entries().first().kind, RecordingNotifier::Kind::Information);
    QCOMPARE(f.meeting.notifier.entries().first().caption, OperatorText::catalogue("FrmMeeVote", "MsgClew"));
    QCOMPARE(f.meeting.notifier.entries().first().text, OperatorText::catalogue("FrmMeeVote", "MsgLogFirst"));
    QCOMPARE(f.voting->phase(), VotingController::Phase::Idle);
    QVERIFY(f.enabled(Control::Start));
    QVERIFY(f.window->motionList()->isEnabled());
}

void TestVotingWindow::controlsFollowTheBallotSequence()
{
    Fixture f;
    f.context->state.signInClosed = true;
    f.select(0);
    QVERIFY(!f.enabled(Control::QueryResult)); // not voted yet
    QVERIFY(!f.enabled(Control::Stop));

    f.window->button(Control::Start)->click();
    QCOMPARE(f.voting->phase(), VotingController::Phase::Announcing);
    QVERIFY(!f.enabled(Control::Start) && !f.enabled(Control::Stop) && !f.enabled(Control::Monitor));
    QVERIFY(!f.window->motionList()->isEnabled());
    QVERIFY(!f.window->optionGroup()->isEnabled());

    f.voting->onAnnounce();
    f.voting->onCollect();
    QVERIFY(f.enabled(Control::Stop) && f.enabled(Control::Monitor));
    f.link.table().entry(1)->keyCode = 0x01;
    f.voting->onLiveTick();
    QCOMPARE(f.voting->preview().screen(), ChartModel::Screen::Table);

    f.window->button(Control::Stop)->click();
    QVERIFY(!f.enabled(Control::Stop) && !f.enabled(Control::Monitor));
    f.link.sequencer().raise(LinkEvent::VotePassDone);
    f.voting->onFinalPassCheck();
    QVERIFY(f.window->motionList()->isEnabled());
    QVERIFY(f.enabled(Control::QueryResult));
    QCOMPARE(f.window->motionList()->item(0, 3)->text(), "Voted");
    QCOMPARE(f.window->motionList()->selectedRanges().constFirst().topRow(), 0);
    QVERIFY(!f.enabled(Control::Start));
    f.voting->onRelease();
    QVERIFY(f.enabled(Control::Start));
    QCOMPARE(f.meeting.notifier.count(), 0);
}

void TestVotingWindow::optionsShowTheSelectedMotion()
{
    Fixture f;
    f.select(2); // the appraisal with a 30-second limit
    QVERIFY(f.window->timeLimitCheck()->isChecked());
    QCOMPARE(f.window->secondsCombo()->currentText(), "30");
    QVERIFY(f.window->secondsCombo()->isEnabled());
    f.select(0);
    QVERIFY(!f.window->timeLimitCheck()->isChecked());
    QVERIFY(!f.window->secondsCombo()->isEnabled());
    const auto base = f.window->findChildren<QComboBox *>();
    QVERIFY(
        std::any_of(base.begin(), base.end(), [](QComboBox *c) { return c->currentText() == "present"; }));
    QVERIFY(std::any_of(base.begin(), base.end(), [](QComboBox *c) { return c->currentText() == "least"; }));
}

void TestVotingWindow::optionGroupByType_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("unit");
    QTest::addColumn<bool>("percentages");
    QTest::addColumn<QString>("startCaption");
    QTest::addColumn<QString>("stopCaption");
    QTest::newRow("yes/no ballot") << 0 << true << true << "Vote"
                                   << "Close vote";
    QTest::newRow("election") << 1 << false << false << "Elect"
                              << "Close election";
    QTest::newRow("appraisal") << 2 << false << true << "Appraise"
                               << "Close appraisal";
}

void TestVotingWindow::optionGroupByType()
{
    QFETCH(int, row);
    QFETCH(bool, unit);
    QFETCH(bool, percentages);
    QFETCH(QString, startCaption);
    QFETCH(QString, stopCaption);
    Fixture f;
    f.select(row);
    QCOMPARE(f.window->findChild<QCheckBox *>("IDC_CHECK_UNITE")->isEnabled(), unit);
    QCOMPARE(f.window->findChild<QCheckBox *>("IDC_CHECK_VIEWPRE")->isEnabled(), percentages);
    QVERIFY(f.window->timeLimitCheck()->isEnabled());
    QCOMPARE(f.window->button(Control::Start)->text(), startCaption);
    QCOMPARE(f.window->button(Control::Stop)->text(), stopCaption);
}

void TestVotingWindow::checkBoxesEditTheControllersCopies()
{
    Fixture f;
    f.select(0);
    QCheckBox *unit = f.window->findChild<QCheckBox *>("IDC_CHECK_UNITE");
    QVERIFY(unit->isChecked());
    unit->click();
    QCOMPARE(f.voting->motion().Unit, "2");
    f.window->timeLimitCheck()->click();
    QCOMPARE(f.voting->motion().VoteTimelRes, "1");
    QCOMPARE(f.voting->motion().VoteTimelValue, "5"); // ticking the limit starts at its first choice
    QCOMPARE(f.window->secondsCombo()->currentText(), "5");
    QVERIFY(f.window->secondsCombo()->isEnabled());
}

void TestVotingWindow::candidateAndResultCommandsNeedTheirWindows()
{
    Fixture f;
    f.context->state.signInClosed = true;
    QSignalSpy candidates(f.window.get(), &VotingWindow::candidatesRequested);
    QSignalSpy result(f.window.get(), &VotingWindow::resultRequested);
    f.select(0);
    QVERIFY(!f.enabled(Control::Candidates)); // not an election
    f.select(1);
    QVERIFY(f.enabled(Control::Candidates));
    f.window->button(Control::Candidates)->click();
    QCOMPARE(candidates.count(), 1);
    f.window->setCandidateWindowAvailable(false);
    QVERIFY(!f.enabled(Control::Candidates));

    f.runBallot();
    QVERIFY(f.enabled(Control::QueryResult));
    f.window->button(Control::QueryResult)->click();
    QCOMPARE(result.count(), 1);
    f.window->setResultWindowAvailable(false);
    QVERIFY(!f.enabled(Control::QueryResult));
}

QTEST_MAIN(TestVotingWindow)
#include "testvotingwindow.moc"
