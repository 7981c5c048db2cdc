// The journal page of the meeting records: entries listed and filtered, a ballot verified with its
// verdict explained, a changed result found, and the entries exported as .csv and PDF.

#include "meetingfixture.h"

#include "core/conduct/ballotjournal.h"
#include "core/conduct/journalaudit.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingchangejournal.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"
#include "gui/conduct/meetingmanagementwindow.h"
#include "gui/output/journalpage.h"
#include "gui/output/reportpagetools.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/listtable.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestJournalPage : public QObject
{
    Q_OBJECT

private slots:
    void verifiesFiltersAndExports();
};

void TestJournalPage::verifiesFiltersAndExports()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(60, 3));
    const TextCatalogue catalogue(QStringLiteral(QUORIX_SOURCE_DIR) + "/data/System/Menu/menu_e.ini");
    const TallyTexts texts = TallyTexts::lookUp(catalogue.lookup());
    MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
    for (const char *name : {"Budget", "Statutes"}) {
        MotionRecord motion;
        motion.OveName = name;
        motion.insertdate = name;
        QVERIFY(database.insertMotion(motion));
    }
    // A ballot on the budget as the voting journals it: 31 of 60 due in favour, more than 50 % needed.
    BallotStartRecord start;
    start.settings = {texts.cbBaseOne, texts.cbAbetOne, "50", "2", "", ""};
    start.texts = texts;
    start.due = 60;
    start.present = 55;
    QMap<int, int> codes;
    for (int n = 1; n <= 40; ++n) {
        start.counted.append(n);
        codes.insert(n, n <= 31 ? 1 : 2);
    }
    MotionRecord budget;
    QVERIFY(database.readMotion("Budget", budget));
    QVERIFY(database.updateMotion(budget, {BallotJournal::start("Budget", start)}));
    const QString stored = "2:60:55:31:9:0:15:51.67%:15.00%:0.00%:Passed:";
    const BallotOutcomeRecord outcome{codes, JournalAudit::recount(start, codes).counters, stored, "Passed",
                                      texts.DateYes, "2026/12/08/-10:00:00"};
    QVERIFY(database.storeResult("Budget", stored, texts.DateYes, outcome.PollTimel,
                                 {BallotJournal::outcome(JournalKind::BallotResult, "Budget", outcome)}));

    MeetingManagementWindow window(*meeting.system, catalogue, QString(),
                                   ReportPageTools::hooks(meeting.root, catalogue, meeting.notifier));
    auto *page = window.findChild<JournalPage *>();
    QVERIFY(page);
    QVERIFY(!window.button(MeetingManagementWindow::Control::Journal)->isEnabled());
    window.chooseMeeting(0);
    window.button(MeetingManagementWindow::Control::Journal)->click();
    QCOMPARE(window.currentPage(), MeetingManagementWindow::Page::Journal);
    QVERIFY(!page->isHidden());

    // Three delegates, two motions, the budget's update with the ballot's start, and the result.
    QCOMPARE(page->entries()->rowCount(), 8);
    QCOMPARE(page->entries()->cellText(0, 2), "Delegate changed");
    QCOMPARE(page->entries()->cellText(6, 2), "Ballot started");
    QCOMPARE(page->entries()->cellText(7, 2), "Ballot result");
    QCOMPARE(page->motions()->count(), 3); // every entry, the budget, the statutes
    page->motions()->setCurrentIndex(1);
    emit page->motions()->activated(1);
    QCOMPARE(page->entries()->rowCount(), 4);
    for (int row = 0; row < 4; ++row)
        QCOMPARE(page->entries()->cellText(row, 3), "Budget");

    page->button(JournalPage::Control::Verify)->click();
    QCOMPARE(page->chain()->text(), "The journal's 8 entries are intact.");
    QCOMPARE(page->ballots()->rowCount(), 1);
    QCOMPARE(page->ballots()->cellText(0, 1), "matches");
    QCOMPARE(page->ballots()->cellText(0, 2),
             "Yes 31 of 60 delegates due = 51.67 %, more than 50 % needed: passed");
    // For a look at the page: QUORIX_JOURNAL_SHOT=file.png.
    if (const QString shot = qEnvironmentVariable("QUORIX_JOURNAL_SHOT"); !shot.isEmpty())
        window.grab().save(shot);

    const QString csv = meeting.dir.filePath("journal.csv");
    QVERIFY(page->controller().exportSheet(csv));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QCOMPARE(written.count('\n'), 5); // the headings and the budget's four entries
    QVERIFY(written.contains("Ballot result"));
    const QString pdf = meeting.dir.filePath("journal.pdf");
    QVERIFY(page->controller().exportPdf(pdf));
    QFile pdfFile(pdf);
    QVERIFY(pdfFile.open(QIODevice::ReadOnly));
    QVERIFY(pdfFile.read(5) == "%PDF-");

    // A change of the meeting's register row joins the journal under no motion; verification reads past it.
    QCOMPARE(MeetingChangeJournal::record(meeting.root, *meeting.system, meeting.meetingName,
                                          MeetingChangeJournal::Updated, meeting.notifier),
             MeetingChangeJournal::Outcome::Journalled);
    page->motions()->setCurrentIndex(0);
    emit page->motions()->activated(0);
    page->button(JournalPage::Control::Verify)->click();
    QCOMPARE(page->entries()->rowCount(), 9);
    QCOMPARE(page->entries()->cellText(8, 2), "Meeting changed");
    QCOMPARE(page->entries()->cellText(8, 3), "");
    QVERIFY(page->entries()->cellText(8, 4).contains("\"DueNum\":\"60\""));
    QCOMPARE(page->chain()->text(), "The journal's 9 entries are intact.");
    QCOMPARE(page->ballots()->cellText(0, 1), "matches");
    if (const QString shot = qEnvironmentVariable("QUORIX_JOURNAL_SHOT"); !shot.isEmpty())
        window.grab().save(shot.chopped(4) + "-meeting.png");

    // The result changed behind the console's back: the page says so.
    {
        DatabaseAccess db(MeetingFiles::filePath(meeting.root, meeting.meetingName), meeting.notifier);
        QVERIFY(db.execute("update Overture set result = '2:60:55:9:31:0:15:15.00%:51.67%:0.00%:Not passed:' "
                           "where OveName = 'Budget'"));
    }
    page->button(JournalPage::Control::Verify)->click();
    QVERIFY(page->ballots()->cellText(0, 1).startsWith("differs"));
    // Export and its messages: the two successes above told the operator, nothing else was shown.
    QCOMPARE(meeting.notifier.count(), 2);
}

QTEST_MAIN(TestJournalPage)
#include "testjournalpage.moc"
