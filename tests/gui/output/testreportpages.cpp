#include "meetingfixture.h"

#include "core/base/textcatalogue.h"
#include "core/store/meetingdatabase.h"
#include "gui/conduct/meetingmanagementwindow.h"
#include "gui/output/ballotreportpage.h"
#include "gui/output/printpreviewwindow.h"
#include "gui/output/reportpagetools.h"
#include "gui/output/reportprinting.h"
#include "gui/output/signinreportpage.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/listtable.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

namespace {
using Command = PrintPreviewWindow::Command;

ReportDocument rows(int count)
{
    ReportDocument document;
    document.meetingName = "Plenary";
    document.table.headings = {"Keypad", "Name"};
    for (int n = 1; n <= count; ++n)
        document.table.rows.append({QString::number(n), "Delegate " + QString::number(n)});
    return document;
}

// First and previous, then next and last, as enabled.
QList<bool> enabled(const PrintPreviewWindow &window)
{
    return {window.button(Command::First)->isEnabled(), window.button(Command::Previous)->isEnabled(),
            window.button(Command::Next)->isEnabled(), window.button(Command::Last)->isEnabled()};
}
} // namespace

class TestReportPages : public QObject
{
    Q_OBJECT

private slots:
    void previewNavigatesAndClampsGoTo();
    void onePagePreviewHasNoNavigation();
    void previewSavesPdfAndReportsMissingPrinter();
    void failedPrintJobIsReportedAsFailure();
    void meetingRecordsShowBothReports();
};

void TestReportPages::previewNavigatesAndClampsGoTo()
{
    RecordingNotifier notifier;
    // 33 rows a page: 200 rows make 7 pages.
    PrintPreviewWindow window(rows(200), "Report", TextCatalogue(), notifier);
    QCOMPARE(window.pages().count(), 7);
    QCOMPARE(window.pages().current(), 1);
    QCOMPARE(enabled(window), QList<bool>({false, false, true, true}));
    const QImage first = window.pageImage();
    QVERIFY(!first.isNull());

    window.button(Command::Next)->click();
    QCOMPARE(window.pages().current(), 2);
    QCOMPARE(enabled(window), QList<bool>({true, true, true, true}));
    QVERIFY(window.pageImage() != first);
    window.button(Command::Last)->click();
    QCOMPARE(window.pages().current(), 7);
    QCOMPARE(enabled(window), QList<bool>({true, true, false, false}));
    window.button(Command::Previous)->click();
    QCOMPARE(window.pages().current(), 6);

    std::optional<int> answer = 50;
    window.askPage = [&answer](int) { return answer; };
    window.button(Command::GoTo)->click();
    QCOMPARE(window.pages().current(), 7);
    answer = 0;
    window.button(Command::GoTo)->click();
    QCOMPARE(window.pages().current(), 1);
    answer = 4;
    window.button(Command::GoTo)->click();
    QCOMPARE(window.pages().current(), 4);
    answer = std::nullopt; // cancelled
    window.button(Command::GoTo)->click();
    QCOMPARE(window.pages().current(), 4);
    window.button(Command::First)->click();
    QCOMPARE(window.pages().current(), 1);
    QCOMPARE(window.pageImage(), first);
}

void TestReportPages::onePagePreviewHasNoNavigation()
{
    RecordingNotifier notifier;
    PrintPreviewWindow window(rows(0), "Report", TextCatalogue(), notifier);
    QCOMPARE(window.pages().count(), 1);
    QCOMPARE(enabled(window), QList<bool>({false, false, false, false}));
    window.goTo(3);
    QCOMPARE(window.pages().current(), 1);
}

void TestReportPages::previewSavesPdfAndReportsMissingPrinter()
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    PrintPreviewWindow window(rows(40), "Report", TextCatalogue(), notifier);
    const QString path = dir.filePath("report.pdf");
    window.askPdfPath = [&path](const QString &) { return path; };
    window.button(Command::Pdf)->click();
    QCOMPARE(notifier.entries().last().text.key, "MsgPdfSaved");
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer; the test would print on it");
    notifier.clear();
    window.button(Command::Print)->click(); // No to the question: nothing happens
    QCOMPARE(notifier.count(), 1);
    notifier.queueAnswer(true);
    window.button(Command::Print)->click();
    QCOMPARE(notifier.count(), 3);
    QCOMPARE(notifier.entries().last().kind, RecordingNotifier::Kind::Error);
    QCOMPARE(notifier.entries().last().text.key, "MsgClewErr");
}

void TestReportPages::failedPrintJobIsReportedAsFailure()
{
    // A printer that writes to a file stands in for a spooler: one that cannot take the job must say so.
    QTemporaryDir dir;
    RecordingNotifier notifier;
    const ReportPageRenderer renderer(rows(40));
    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(dir.filePath("no/such/folder/job.pdf"));
    QVERIFY(!ReportPrinting::printOn(broken, renderer, notifier));
    QCOMPARE(notifier.count(), 1);
    QCOMPARE(notifier.entries()[0].kind, RecordingNotifier::Kind::Error);
    QCOMPARE(notifier.entries()[0].text.key, "MsgPrintErr");

    notifier.clear();
    QPrinter working(QPrinter::HighResolution);
    working.setOutputFormat(QPrinter::PdfFormat);
    working.setOutputFileName(dir.filePath("job.pdf"));
    QVERIFY(ReportPrinting::printOn(working, renderer, notifier));
    QCOMPARE(notifier.entries().last().text.key, "MsgPrinted");
    QVERIFY(QFileInfo(dir.filePath("job.pdf")).size() > 1000);
}

void TestReportPages::meetingRecordsShowBothReports()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(5, 5));
    MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
    QVERIFY(database.storeSignIn({{"1", "Present"}, {"2", "Present"}, {"3", "Absent"}}));
    MotionRecord motion;
    motion.OveName = "Budget";
    motion.OveType = "Vote";
    motion.insertdate = "1";
    QVERIFY(database.insertMotion(motion));
    QVERIFY(database.storeResult("Budget", "2:5:2:1:1:0:0:::::", "Voted", "2026/12/08/-10:00:00"));
    // A scoring and an appraisal, listed but never printed.
    for (const char *type : {"Scoring", "Appraisal"}) {
        motion.OveName = type;
        motion.OveType = type;
        QVERIFY(database.insertMotion(motion));
        QVERIFY(database.storeResult(type, "2:5:2:1:1:0:0:::::", "Voted", "2026/12/08/-10:00:00"));
    }

    // A language file with the marks, types and states the fixture stored.
    QTemporaryDir menuDir;
    QFile menu(menuDir.filePath("menu.ini"));
    QVERIFY(menu.open(QIODevice::WriteOnly));
    menu.write(
        "[FrmRegque]\nMsgClew17=Present\nMsgClew18=Absent\nIDC_BUTTON_PRINT=Preview\n"
        "[FrmMeeVote]\nDateYes=Voted\n[Public]\nVoteType1=Vote\nVoteType6=Scoring\nVoteType7=Appraisal\n"
        "[FrmVoteput]\nMsgUnknown=%1 not listed\n");
    menu.close();
    const TextCatalogue catalogue(menu.fileName());

    MeetingManagementWindow window(*meeting.system, catalogue, QString(),
                                   ReportPageTools::hooks(meeting.root, catalogue, meeting.notifier));
    auto *signIn = window.findChild<SignInReportPage *>();
    auto *ballots = window.findChild<BallotReportPage *>();
    QVERIFY(signIn && ballots);
    window.chooseMeeting(0);
    window.button(MeetingManagementWindow::Control::SignInReport)->click();
    QCOMPARE(signIn->dueText(), "5");
    QCOMPARE(signIn->presentText(), "2");
    QCOMPARE(signIn->list()->rowCount(), 5);
    signIn->button(SignInReportPage::Control::Absent)->click();
    QCOMPARE(signIn->list()->rowCount(), 1);
    QCOMPARE(signIn->list()->cellText(0, 1), "Delegate 3");
    QCOMPARE(signIn->button(SignInReportPage::Control::Print)->text(), "Preview");

    window.button(MeetingManagementWindow::Control::BallotReport)->click();
    QCOMPARE(ballots->list()->rowCount(), 1);
    QCOMPARE(ballots->list()->cellText(0, 4), "1");
    QVERIFY(ballots->button(BallotReportPage::Control::Print)->isEnabled());
    // Elections print too, but this meeting held none: nothing to print.
    ballots->categories()->setCurrentIndex(1);
    emit ballots->categories()->activated(1);
    QCOMPARE(ballots->list()->rowCount(), 0);
    QVERIFY(!ballots->button(BallotReportPage::Control::Print)->isEnabled());
    // Scorings and appraisals are listed and exported, never printed.
    for (int category : {2, 3}) {
        ballots->categories()->setCurrentIndex(category);
        emit ballots->categories()->activated(category);
        QCOMPARE(ballots->list()->rowCount(), 1);
        QVERIFY(ballots->button(BallotReportPage::Control::Export)->isEnabled());
        QVERIFY(!ballots->button(BallotReportPage::Control::Print)->isEnabled());
    }
    QCOMPARE(meeting.notifier.count(), 0);
}

QTEST_MAIN(TestReportPages)
#include "testreportpages.moc"
