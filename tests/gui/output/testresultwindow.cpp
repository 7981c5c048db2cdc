#include "gui/output/resultwindow.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/output/chartpainter.h"
#include "core/output/hallscreen.h"
#include "core/base/textcatalogue.h"
#include "gui/output/chartview.h"
#include "outputlanguagefile.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(VoteType)
Q_DECLARE_METATYPE(ResultStyle)

namespace {

StoredResult storedResult(VoteType type, const QString &candidate, const QString &result)
{
    StoredResult s;
    s.meetingName = u"Plenary"_s;
    s.motionName = u"Motion one"_s;
    s.type = type;
    s.candidate = candidate;
    s.result = result;
    s.pollTime = u"2026/12/07/-18:30:05"_s;
    s.percentageFlag = 1;
    s.screenSize = QSize(1024, 768);
    return s;
}

StoredResult ballot()
{
    return storedResult(VoteType::YesNo, {}, u"1:50:48:30:10:8:0:60%:20%:16%:passed:"_s);
}

QString labelText(const ResultWindow &window, const QString &name)
{
    const auto *label = window.findChild<QLabel *>(name);
    return label ? label->text() : u"<no label %1>"_s.arg(name);
}

QImage picture(const ChartModel &chart)
{
    return ChartPainter::render(chart, QSize(1024, 768)).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestResultWindow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensOnTheTableAndPutsTheHallOnItsChartPane();
    void everyViewIsMirroredOnTheHall_data();
    void everyViewIsMirroredOnTheHall();
    void scoringOffersOnlyTheTable();
    void electionsShowTheirCandidates_data();
    void electionsShowTheirCandidates();
    void closingLeavesTheHallOnTheLastView();
    void theHallTakesTheStoredScreenSize();

private:
    QTemporaryDir m_dir;
    TextCatalogue m_catalogue;
};

void TestResultWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_catalogue = TextCatalogue(writeOutputLanguageFile(m_dir));
}

void TestResultWindow::opensOnTheTableAndPutsTheHallOnItsChartPane()
{
    HallScreen hall;
    hall.show(HallScreen::Pane::Text);
    ResultWindow window(ballot(), hall, m_catalogue);

    QCOMPARE(window.windowTitle(), u"Ballot result"_s);
    QCOMPARE(labelText(window, u"IDC_VOTE_NAME"_s), u"Motion:"_s);
    QCOMPARE(labelText(window, u"motionName"_s), u"Motion one"_s);
    QCOMPARE(labelText(window, u"voteType"_s), u"T1"_s);
    QCOMPARE(labelText(window, u"pollTime"_s), u"2026/12/07/-18:30:05"_s);
    QVERIFY(window.viewButton(ResultStyle::Table)->isChecked());
    // The button that once sent a view to the hall is never offered: the hall always follows.
    QVERIFY(window.findChild<QPushButton *>(u"IDC_BNT_SENSCR"_s)->isHidden());

    QVERIFY(hall.isVisible());
    QCOMPARE(hall.pane(), HallScreen::Pane::Chart);
    for (const ChartModel *chart : {&window.chart(), static_cast<const ChartModel *>(&hall.chart())}) {
        QCOMPARE(chart->screen(), ChartModel::Screen::Table);
        QCOMPARE(chart->kind(), ChartModel::Kind::FullBallot);
        QCOMPARE(chart->caption(), u"Motion one"_s); // the motion, not a generic heading
        QCOMPARE(chart->background(), QColor(0, 0, 255));
        QCOMPARE(chart->labelList(), u"Due:Present:Yes:No:Abstain:None:"_s);
        QCOMPARE(chart->field(1), u"50"_s);
        QVERIFY(chart->showsPercentages());
    }
}

void TestResultWindow::everyViewIsMirroredOnTheHall_data()
{
    QTest::addColumn<VoteType>("type");
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("result");
    QTest::addColumn<ResultStyle>("style");

    const QString three = u"Ann:Bob:Cy:"_s;
    QTest::newRow("ballot as bars") << VoteType::YesNo << QString() << ballot().result << ResultStyle::Bar;
    QTest::newRow("ballot as a pie") << VoteType::YesNo << QString() << ballot().result << ResultStyle::Pie;
    QTest::newRow("election as bars")
        << VoteType::ElectOneOfThree << three << u"21:17:10:"_s << ResultStyle::Bar;
    QTest::newRow("election as a pie")
        << VoteType::ElectOneOfThree << three << u"21:17:10:"_s << ResultStyle::Pie;
    QTest::newRow("election back to the table")
        << VoteType::ElectOneOfFive << u"Ann:Bob:Cy:Di:Ed:"_s << u"1:2:3:4:5:"_s << ResultStyle::Table;
    QTest::newRow("appraisal as bars")
        << VoteType::Appraisal << QString() << u"2:50:48:33:9:4:2:66%:18%:8%:ok:"_s << ResultStyle::Bar;
}

void TestResultWindow::everyViewIsMirroredOnTheHall()
{
    QFETCH(VoteType, type);
    QFETCH(QString, candidate);
    QFETCH(QString, result);
    QFETCH(ResultStyle, style);

    HallScreen hall;
    ResultWindow window(storedResult(type, candidate, result), hall, m_catalogue);
    // Away from the table first, so that a view that stays put cannot pass.
    window.viewButton(style == ResultStyle::Pie ? ResultStyle::Bar : ResultStyle::Pie)->click();
    window.viewButton(style)->click();

    QCOMPARE(int(window.controller().currentStyle()), int(style));
    QCOMPARE(int(window.chart().screen()), int(style));
    QCOMPARE(int(hall.chart().screen()), int(style));
    // Both charts draw the very same picture, and the window shows its own.
    QCOMPARE(picture(hall.chart()), picture(window.chart()));
    const QSize shown = window.chartView()->size();
    QCOMPARE(window.chartView()->grab().toImage().convertToFormat(QImage::Format_RGB32),
             ChartPainter::render(window.chart(), shown).convertToFormat(QImage::Format_RGB32));
    if (style != ResultStyle::Table)
        QVERIFY(hall.chart().secondCaption().isEmpty());
}

void TestResultWindow::scoringOffersOnlyTheTable()
{
    HallScreen hall;
    ResultWindow window(storedResult(VoteType::Scoring, {}, u"8.67:"_s), hall, m_catalogue);
    QVERIFY(!window.viewButton(ResultStyle::Bar)->isEnabled());
    QVERIFY(!window.viewButton(ResultStyle::Pie)->isEnabled());
    window.showView(ResultStyle::Pie);
    QVERIFY(window.viewButton(ResultStyle::Table)->isChecked());
    QCOMPARE(hall.chart().screen(), ChartModel::Screen::Table);
    QCOMPARE(hall.chart().label(0), u"Average"_s);
    QCOMPARE(hall.chart().field(0), u"8.67"_s);
}

void TestResultWindow::electionsShowTheirCandidates_data()
{
    QTest::addColumn<VoteType>("type");
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("ballot: none") << VoteType::YesNo << QString() << QStringList{};
    QTest::newRow("one of three") << VoteType::ElectOneOfThree << u"Ann:Bob:Cy:"_s
                                  << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s};
    QTest::newRow("several of five, one name missing")
        << VoteType::ElectSeveralOfFive << u"Ann:Bob:Cy:Di:"_s
        << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Di"_s, QString()};
}

void TestResultWindow::electionsShowTheirCandidates()
{
    QFETCH(VoteType, type);
    QFETCH(QString, candidate);
    QFETCH(QStringList, shown);

    HallScreen hall;
    ResultWindow window(storedResult(type, candidate, u"0:0:0:0:0:"_s), hall, m_catalogue);
    window.show();
    for (int i = 1; i <= ResultViewController::CandidateCount; ++i) {
        const auto *caption = window.findChild<QLabel *>(u"IDC_STATIC_CANDIDATE%1"_s.arg(i));
        const auto *name = window.findChild<QLabel *>(u"candidate%1"_s.arg(i));
        QVERIFY(caption && name);
        const bool expected = i <= shown.size();
        QCOMPARE(caption->isVisible(), expected);
        QCOMPARE(name->isVisible(), expected);
        if (expected) {
            QCOMPARE(caption->text(), u"C%1:"_s.arg(i));
            QCOMPARE(name->text(), shown[i - 1]);
        }
    }
}

void TestResultWindow::closingLeavesTheHallOnTheLastView()
{
    HallScreen hall;
    // The way the voting window opens it: modally, until the operator presses close.
    QTimer::singleShot(0, this, [] {
        auto *window = qobject_cast<ResultWindow *>(QApplication::activeModalWidget());
        QVERIFY(window);
        window->viewButton(ResultStyle::Pie)->click();
        window->findChild<QPushButton *>(u"IDC_RESULT_EXIT"_s)->click();
    });
    ResultWindow::open(nullptr, storedResult(VoteType::ElectOneOfThree, u"Ann:Bob:Cy:"_s, u"3:2:1:"_s), hall,
                       m_catalogue);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(hall.isVisible());
    QCOMPARE(hall.pane(), HallScreen::Pane::Chart);
    QCOMPARE(hall.chart().screen(), ChartModel::Screen::Pie);
    QCOMPARE(hall.chart().slices().size(), 3);
}

void TestResultWindow::theHallTakesTheStoredScreenSize()
{
    HallScreen hall;
    hall.setGeometry(QRect(1920, 0, 1024, 768), QColor(0, 0, 128), QColor(255, 255, 255));
    StoredResult stored = ballot();
    stored.screenSize = QSize(1280, 720);
    ResultWindow window(stored, hall, m_catalogue);
    QCOMPARE(hall.geometry(), QRect(1920, 0, 1280, 720));
    QCOMPARE(hall.background(), QColor(0, 0, 128));
}

QTEST_MAIN(TestResultWindow)
#include "testresultwindow.moc"
