#include "meetingfixture.h"

#include "core/output/ballotreportcontroller.h"
#include "core/output/reportfiles.h"
#include "core/output/reportpagerenderer.h"
#include "core/output/sheetfile.h"
#include "core/output/signinreportcontroller.h"
#include "core/base/textcatalogue.h"
#include "core/store/meetingdatabase.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {
using Kind = RecordingNotifier::Kind;
using Category = BallotReportController::Category;

QString menu(const char *file)
{
    return QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/") + QLatin1String(file);
}

// English in use; the Chinese and Portuguese files wrote some of the stored marks.
ReportLanguages englishFirst()
{
    return ReportLanguages({TextCatalogue(menu("menu_e.ini")).lookup(),
                            TextCatalogue(menu("menu.ini")).lookup(),
                            TextCatalogue(menu("menu_p.ini")).lookup()});
}

MotionRecord motion(const QString &name, const QString &type, const QString &state, const QString &result,
                    const QString &candidate = {})
{
    MotionRecord m;
    m.OveName = name;
    m.OveType = type;
    m.VoteState = state;
    m.result = result;
    m.candidate = candidate;
    m.insertdate = name;
    m.PollTimel = QStringLiteral("2026/12/08/-10:00:00");
    return m;
}

// The whole file, or only page `page`.
QString pdfText(const QString &path, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments << path << QStringLiteral("-"));
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
// Ballots of every category, one of them of a type no language file knows.
bool storeBallots(MeetingFixture &meeting)
{
    MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
    const QList<MotionRecord> motions = {
        motion("Budget", "Vote (yes/no/abstain)", "Voted", "2:10:8:5:2:1:0:50.00%:20.00%:10.00%:Passed:"),
        motion("Minutes", "Vote (yes/no/abstain)", "Voted", "1:10:8:4:1:3:0:40.00%:10.00%:30.00%:Failed:"),
        motion("Agenda", "Vote (yes/no/abstain)", "Not voted", ""),
        // Written under the Chinese language file.
        motion("Chair", "选举（三选一）", "已表决", "4:3:1:", "Ann:Bob:Cy:"),
        motion("Board", "Election: several of 5", "Voted", "5:4:3:2:1:", "A:B:C:D:E:"),
        motion("Catering", "Scoring", "Voted", "8.25:"),
        motion("Venue", "Appraisal", "Voted", "2:10:9:6:2:0:1:60.00%:20.00%:0.00%::"),
        motion("Broken", "no such type", "Voted", "1:2:3:"),
    };
    for (const MotionRecord &m : motions) {
        if (!database.insertMotion(m))
            return false;
    }
    for (const MotionRecord &m : motions) {
        if (!database.storeResult(m.OveName, m.result, m.VoteState, m.PollTimel) ||
            !database.storeCandidates(m.OveName, m.candidate))
            return false;
    }
    return true;
}

// Every pixel drawn on page `page` lies inside `area`, and something was drawn.
bool inkStaysInside(const ReportPageRenderer &renderer, int page)
{
    // A4 at 150 dpi, printable area 15 mm / 12 mm in.
    QImage image(1240, 1754, QImage::Format_RGB32);
    const QRect area(89, 71, 1240 - 2 * 89, 1754 - 2 * 71);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.drawPage(painter, area, page);
    painter.end();
    int inside = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == qRgb(255, 255, 255))
                continue;
            if (!area.contains(x, y)) {
                qWarning("ink at %d,%d on page %d", x, y, page);
                return false;
            }
            ++inside;
        }
    }
    return inside > 1000;
}
} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void signInListsFindMarksOfEveryLanguage();
    void markWithQuotesIsFoundByBinding();
    void ballotCategoriesDecodeStoredResults();
    void exportWritesTheListAndReportsFailure();
    void pagesBreakAndStayInsideThePrintableArea();
    void ballotPrintsOneFormPageForEachListedMotion();
    void pdfHoldsNamesAndFiguresWhole();
};

void TestReports::signInListsFindMarksOfEveryLanguage()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(7, 7));
    MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
    // 1, 2 present in English, 3 in Chinese; 4 absent in English, 5 in Portuguese; 6 an unknown mark,
    // 7 never signed in.
    QVERIFY(database.storeSignIn({{"1", "Present"},
                                  {"2", "Present"},
                                  {"3", "已签到"},
                                  {"4", "Absent"},
                                  {"5", "Ausente"},
                                  {"6", "maybe"}}));
    SignInReportController report(meeting.root, englishFirst(), meeting.notifier);
    report.setMeeting(meeting.meetingName);
    QCOMPARE(report.dueCount(), 7);
    QCOMPARE(report.presentCount(), 3);
    QCOMPARE(report.table().title, "Delegates due");
    QCOMPARE(report.table().headings.first(), "Keypad");
    QCOMPARE(report.table().headings.last(), "Seat");
    QCOMPARE(report.table().size(), 7);

    auto keypads = [&report] {
        QStringList k;
        for (const QStringList &row : report.table().rows)
            k.append(row.first());
        return k;
    };
    report.show(SignInReportController::List::Present);
    QCOMPARE(keypads(), QStringList({"1", "2", "3"}));
    QCOMPARE(report.table().rows[2][1], "Delegate 3");
    report.show(SignInReportController::List::Absent);
    QCOMPARE(keypads(), QStringList({"4", "5"}));
    QCOMPARE(report.table().title, "Delegates absent");
    QCOMPARE(meeting.notifier.count(), 0);
}

void TestReports::markWithQuotesIsFoundByBinding()
{
    // Pasted into the statement in double quotes, this mark read as a column name or broke the SQL.
    const QString mark = QStringLiteral("Pres\"ent' ok");
    // The sign-in writes its own section's mark; the report's key names it too.
    ReportLanguages languages({[&mark](QStringView section, QStringView key) {
        return section == u"FrmManChe" && key == u"MsgScrView9" ? mark : QString();
    }});
    MeetingFixture meeting;
    QVERIFY(meeting.create(3, 3));
    MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
    QVERIFY(database.storeSignIn({{"2", mark}, {"3", "Present"}}));
    SignInReportController report(meeting.root, languages, meeting.notifier);
    report.setMeeting(meeting.meetingName);
    report.show(SignInReportController::List::Present);
    QCOMPARE(report.table().size(), 1);
    QCOMPARE(report.table().rows[0][0], "2");
    QCOMPARE(meeting.notifier.count(), 0);
}

void TestReports::ballotCategoriesDecodeStoredResults()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(10, 10));
    QVERIFY(storeBallots(meeting));

    BallotReportController report(meeting.root, englishFirst(), meeting.notifier);
    report.setMeeting(meeting.meetingName);
    QCOMPARE(report.unrecognised(), 1);
    const QString t = "2026/12/08/-10:00:00";
    QCOMPARE(report.table().rows,
             QList<QStringList>({{"1", "Budget", "10", "8", "5", "2", "1", "0", "Passed", t},
                                 {"2", "Minutes", "10", "8", "4", "1", "3", "", "Failed", t},
                                 {"3", "Agenda", "", "", "", "", "", "", "", t}}));
    QCOMPARE(report.table().headings.size(), 10);
    report.viewVoted();
    QCOMPARE(report.table().size(), 2);

    // Elections only: the scoring's average is no candidate count.
    report.setCategory(Category::Elections);
    QCOMPARE(report.table().rows,
             QList<QStringList>({{"1", "Chair", "Ann", "4", "Bob", "3", "Cy", "1", "", "", "", "", t},
                                 {"2", "Board", "A", "5", "B", "4", "C", "3", "D", "2", "E", "1", t}}));
    QCOMPARE(report.table().headings.size(), 13);

    report.setCategory(Category::Scorings);
    QCOMPARE(report.table().rows, QList<QStringList>({{"1", "Catering", "8.25", "", t}}));
    report.setCategory(Category::Appraisals);
    QCOMPARE(report.table().rows, QList<QStringList>({{"1", "Venue", "10", "9", "6", "2", "0", "1", t}}));
    QCOMPARE(report.table().title, "Appraisal results");
    QCOMPARE(meeting.notifier.count(), 0);
}

void TestReports::exportWritesTheListAndReportsFailure()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(3, 3));
    SignInReportController report(meeting.root, englishFirst(), meeting.notifier);
    report.setMeeting(meeting.meetingName);
    const QString path = meeting.dir.filePath("due.xlsx");
    QVERIFY(report.exportTo(path));
    QCOMPARE(meeting.notifier.entries().last().text.key, "ExcelSave");
    const SheetReading sheet = SheetFile::read(path, "Sheet1");
    QCOMPARE(sheet.rows.size(), 4);
    QCOMPARE(sheet.rows[0][1], "Name");
    QCOMPARE(sheet.rows[3][1], "Delegate 3");

    report.show(SignInReportController::List::Present); // nobody signed in: the heading row alone
    QVERIFY(report.exportTo(meeting.dir.filePath("present.csv")));
    QCOMPARE(SheetFile::read(meeting.dir.filePath("present.csv"), "Sheet1").rows.size(), 1);

    meeting.notifier.clear();
    const QString missing = meeting.dir.filePath("no/such/folder/due.xlsx");
    QVERIFY(!report.exportTo(missing));
    QCOMPARE(meeting.notifier.count(), 1);
    QCOMPARE(meeting.notifier.entries()[0].kind, Kind::Error);
    QCOMPARE(meeting.notifier.entries()[0].text.key, "ExcelSaveErr");
    QVERIFY(!report.exportTo(meeting.dir.filePath("due.pdf")));
    QCOMPARE(meeting.notifier.entries().last().text.key, "MsgEduceType");
    QVERIFY(!QFile::exists(meeting.dir.filePath("due.pdf")));
}

void TestReports::pagesBreakAndStayInsideThePrintableArea()
{
    ReportDocument document;
    document.meetingName = "Plenary";
    document.table.headings = {"Keypad", "Name"};
    document.table.columnPixels = {60, 80};
    for (int n = 1; n <= 249; ++n)
        document.table.rows.append(
            {QString::number(n), "Delegate with a rather long name " + QString::number(n)});
    // A4 less 12 mm at top and foot: (273 - 26 - 8) / 7 = 34 rows, one of them the headings.
    const ReportPageRenderer renderer(document);
    QCOMPARE(ReportPageRenderer::rowsPerPage(), 33);
    QCOMPARE(renderer.pageCount(), 8);
    QCOMPARE(ReportPageRenderer(ReportDocument()).pageCount(), 1);

    for (int page : {1, 8})
        QVERIFY2(inkStaysInside(renderer, page), qPrintable(QString::number(page)));
}

void TestReports::ballotPrintsOneFormPageForEachListedMotion()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(10, 10));
    QVERIFY(storeBallots(meeting));
    BallotReportController report(meeting.root, englishFirst(), meeting.notifier);
    report.setMeeting(meeting.meetingName);
    QVERIFY(report.printable());
    const ReportPageRenderer votes(report.document(QDate(2026, 12, 8)));
    QCOMPARE(votes.pageCount(), 3);
    QVERIFY(inkStaysInside(votes, 1));
    const QString votesPdf = meeting.dir.filePath("votes.pdf");
    QVERIFY(ReportFiles::savePdf(votesPdf, votes, "Votes", meeting.notifier));
    QCOMPARE(pdfText(votesPdf).count(QChar(u'\f')), 3);
    // Each label with its value beside it in the same box, and page n holds row n only.
    const QString page1 = pdfText(votesPdf, 1);
    for (const char *expected :
         {"Motion +Budget", "Due +10", "Present +8", "Yes +5", "No +2", "Abstain +1", "Not voted +0",
          "Verdict +Passed", "Time +2026/12/08/-10:00:00", "Printed on: 2026-12-08", " 1 page"})
        QVERIFY2(page1.contains(QRegularExpression(expected)), expected);
    QVERIFY(page1.contains(meeting.meetingName));
    QVERIFY(!page1.contains("Minutes"));
    const QString page2 = pdfText(votesPdf, 2);
    for (const char *expected :
         {"Motion +Minutes", "Yes +4", "No +1", "Abstain +3", "Verdict +Failed", " 2 page"})
        QVERIFY2(page2.contains(QRegularExpression(expected)), expected);
    // Stored with Unit 1: the not-voted box stays empty.
    QVERIFY(page2.contains(QRegularExpression("Not voted *\n")));
    QVERIFY(!page2.contains("Budget"));
    QVERIFY(pdfText(votesPdf, 3).contains(QRegularExpression("Motion +Agenda")));

    report.viewVoted();
    QCOMPARE(ReportPageRenderer(report.document(QDate(2026, 12, 8))).pageCount(), 2);
    report.setCategory(Category::Elections);
    QVERIFY(report.printable());
    const ReportPageRenderer elections(report.document(QDate(2026, 12, 8)));
    QCOMPARE(elections.pageCount(), 2);
    QVERIFY(inkStaysInside(elections, 2));
    const QString electionsPdf = meeting.dir.filePath("elections.pdf");
    QVERIFY(ReportFiles::savePdf(electionsPdf, elections, "Elections", meeting.notifier));
    const QString chair = pdfText(electionsPdf, 1);
    for (const char *expected : {"Motion +Chair", "Candidate +Votes", "Ann +4", "Bob +3", "Cy +1"})
        QVERIFY2(chair.contains(QRegularExpression(expected)), expected);
    QVERIFY(!chair.contains("Board"));
    const QString board = pdfText(electionsPdf, 2);
    for (const char *expected : {"Motion +Board", "A +5", "E +1", " 2 page"})
        QVERIFY2(board.contains(QRegularExpression(expected)), expected);

    // Scorings and appraisals only export.
    for (Category category : {Category::Scorings, Category::Appraisals}) {
        report.setCategory(category);
        QCOMPARE(report.table().size(), 1);
        QVERIFY(!report.printable());
    }
    QCOMPARE(meeting.notifier.entries().last().text.key, "MsgPdfSaved");
}

void TestReports::pdfHoldsNamesAndFiguresWhole()
{
    MeetingFixture meeting;
    // Longer than the 49 characters the print hand-over once kept.
    meeting.meetingName = "Annual General Assembly of the Harbour Cooperative 2026";
    QVERIFY(meeting.create(249, 249));
    MeetingDatabase database(meeting.root, meeting.meetingName, meeting.notifier);
    DelegateRecord chinese;
    QVERIFY(database.readDelegate("17", chinese));
    chinese.EmpName = "张伟";
    QVERIFY(database.updateDelegate("17", chinese.Grouping, chinese));
    QList<SignInMark> marks;
    for (int n = 1; n <= 249; ++n)
        marks.append({QString::number(n), n <= 200 ? "Present" : "Absent"});
    QVERIFY(database.storeSignIn(marks));
    SignInReportController report(meeting.root, englishFirst(), meeting.notifier);
    report.setMeeting(meeting.meetingName);
    const ReportPageRenderer renderer(report.document(QDate(2026, 12, 8)));
    QCOMPARE(renderer.pageCount(), 8);

    const QString path = meeting.dir.filePath("signin.pdf");
    QVERIFY(ReportFiles::savePdf(path, renderer, "Sign-in", meeting.notifier));
    QCOMPARE(meeting.notifier.entries().last().text.key, "MsgPdfSaved");
    const QString text = pdfText(path);
    QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils) did not read the file");
    if (qEnvironmentVariableIsSet("QUORIX_DUMP"))
        qWarning().noquote() << text;
    QCOMPARE(text.count(QChar(u'\f')), 8);
    for (const char *expected : {"Annual General Assembly of the Harbour Cooperative 2026", "Delegates due",
                                 "Due: 249 persons", "Present: 200 persons", "Printed on: 2026-12-08",
                                 "Delegate 1\n", "Delegate 249", "张伟", "page 8 / 8"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);

    meeting.notifier.clear();
    QVERIFY(!ReportFiles::savePdf(meeting.dir.filePath("no/folder/x.pdf"), renderer, "x", meeting.notifier));
    QCOMPARE(meeting.notifier.count(), 1);
    QCOMPARE(meeting.notifier.entries()[0].kind, Kind::Error);
    QCOMPARE(meeting.notifier.entries()[0].text.key, "MsgPdfErr");
}

QTEST_MAIN(TestReports)
#include "testreports.moc"
