#include "core/output/resultviewcontroller.h"

#include <QTest>

#include "core/output/chartmodel.h"

Q_DECLARE_METATYPE(VoteType)

using namespace Qt::StringLiterals;

namespace {

QString lookup(QStringView section, QStringView key)
{
    // Every text names its place, so a wrong section or key shows in the comparison.
    return section.toString() + u'.' + key.toString();
}

StoredResult stored(VoteType type, const QString &candidate, const QString &result)
{
    return {u"Assembly"_s,    u"Motion 1"_s, type, candidate, result, u"2026/12/07/-18:30:05"_s, 1,
            QSize(1024, 768), false,         true};
}

} // namespace

class TestResultViewController final : public QObject
{
    Q_OBJECT

private slots:
    void labelListAndKindFollowTheVoteType_data();
    void labelListAndKindFollowTheVoteType();
    void openingColoursBothChartsAndShowsTheTable();
    void verdictOnlyWhenTheMotionShowsIt();
    void everyViewIsMirroredOnEveryChart();
    void scoringAlwaysShowsTheTable();
    void barAndPieClearTheSecondCaption();
    void candidatesAreTheFirstFiveFields();
    void aChartDestroyedEarlyIsDropped();
};

void TestResultViewController::labelListAndKindFollowTheVoteType_data()
{
    QTest::addColumn<VoteType>("type");
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typeText");

    QTest::newRow("yes/no") << VoteType::YesNo << QString()
                            << u"FrmResult.strYD:FrmResult.strQD:FrmResult.MsgVote1:FrmResult.MsgVote2:"
                               "FrmResult.MsgVote3:FrmResult.MsgVote4:"_s
                            << 1 << u"Public.VoteType1"_s;
    QTest::newRow("one of three adds the no-key entry")
        << VoteType::ElectOneOfThree << u"Ann:Bob:Cy:"_s << u"Ann:Bob:Cy:FrmResult.MsgClewNokey:"_s << 2
        << u"Public.VoteType2"_s;
    QTest::newRow("several of three") << VoteType::ElectSeveralOfThree << u"Ann:Bob:Cy:"_s << u"Ann:Bob:Cy:"_s
                                      << 3 << u"Public.VoteType3"_s;
    QTest::newRow("one of five") << VoteType::ElectOneOfFive << u"A:B:C:D:E:"_s << u"A:B:C:D:E:"_s << 4
                                 << u"Public.VoteType4"_s;
    QTest::newRow("several of five") << VoteType::ElectSeveralOfFive << u"A:B:C:D:E:"_s << u"A:B:C:D:E:"_s
                                     << 5 << u"Public.VoteType5"_s;
    QTest::newRow("scoring") << VoteType::Scoring << QString() << u"FrmResult.MsgClewMark:"_s << 6
                             << u"Public.VoteType6"_s;
    QTest::newRow("appraisal")
        << VoteType::Appraisal << QString()
        << u"FrmResult.strYD:FrmResult.strQD:FrmScrText.ScrSatisfied:FrmScrText.ScrDissatisfied:"
           "FrmScrText.ScrUnknown:FrmResult.MsgVote4:"_s
        << 1 << u"Public.VoteType7"_s;
}

void TestResultViewController::labelListAndKindFollowTheVoteType()
{
    QFETCH(VoteType, type);
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    QFETCH(QString, candidate);
    view.open(stored(type, candidate, u"1:2:3:"_s));
    QFETCH(QString, labels);
    QCOMPARE(view.labelList(), labels);
    QFETCH(int, kind);
    QCOMPARE(view.chartKind(), kind);
    QFETCH(QString, typeText);
    QCOMPARE(view.typeText(), typeText);
    QCOMPARE(view.windowTitle(), u"Public.VoteTitle"_s);
}

void TestResultViewController::openingColoursBothChartsAndShowsTheTable()
{
    ChartModel own;
    ChartModel hall;
    hall.setSecondCaption(u"left over"_s, Qt::red);
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    view.addChart(&own);
    view.addChart(&hall);
    view.open(stored(VoteType::YesNo, QString(), u"1:50:48:30:10:8:5:60.00%:20.00%:16.00%:passed:"_s));
    for (const ChartModel *chart : {&own, &hall}) {
        QCOMPARE(chart->background(), QColor(0, 0, 255));
        QCOMPARE(chart->plotColour(), QColor(0, 0, 255));
        QCOMPARE(chart->screen(), ChartModel::Screen::Table);
        QCOMPARE(chart->kind(), ChartModel::Kind::FullBallot);
        // The motion over its result, and its verdict under the title when the motion shows it.
        QCOMPARE(chart->caption(), u"Motion 1"_s);
        QCOMPARE(chart->subcaption(), u"passed"_s);
        QCOMPARE(chart->captionColour(), QColor(255, 255, 255));
        QCOMPARE(chart->contentColour(), QColor(255, 255, 255));
        QCOMPARE(chart->percentageFlag(), 1);
        QCOMPARE(chart->field(3), u"30"_s);
        QCOMPARE(chart->label(2), u"FrmResult.MsgVote1"_s);
    }
    // The table view leaves the second caption as it was.
    QCOMPARE(hall.secondCaption(), u"left over"_s);
    QCOMPARE(view.currentStyle(), ResultStyle::Table);
}

void TestResultViewController::verdictOnlyWhenTheMotionShowsIt()
{
    ChartModel hall;
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    view.addChart(&hall);
    StoredResult result =
        stored(VoteType::YesNo, QString(), u"1:50:48:30:10:8:5:60.00%:20.00%:16.00%:passed:"_s);
    result.showVerdict = false;
    view.open(result);
    QCOMPARE(hall.caption(), u"Motion 1"_s);
    QVERIFY(hall.subcaption().isEmpty());
    // A halted ballot says so under the title, never a verdict.
    result.showVerdict = true;
    result.interrupted = true;
    view.open(result);
    QCOMPARE(hall.subcaption(), u"FrmResult.MsgInterrupted"_s);
    // An election has no verdict field: its fourth count is no verdict.
    view.open(stored(VoteType::ElectOneOfFive, u"A:B:C:D:E:"_s, u"5:4:3:2:1:9:9:9:9:9:9:"_s));
    QVERIFY(hall.subcaption().isEmpty());
}

void TestResultViewController::everyViewIsMirroredOnEveryChart()
{
    ChartModel own;
    ChartModel hall;
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    view.addChart(&own);
    view.addChart(&hall);
    view.addChart(&hall); // added twice, served once
    view.open(stored(VoteType::ElectOneOfFive, u"A:B:C:D:E:"_s, u"5:4:3:2:1:"_s));
    view.showView(ResultStyle::Pie);
    QCOMPARE(own.screen(), ChartModel::Screen::Pie);
    QCOMPARE(hall.screen(), ChartModel::Screen::Pie);
    QCOMPARE(hall.slices().size(), 5);
    QCOMPARE(hall.slices().first().label, u"A"_s);
    view.showView(ResultStyle::Bar);
    QCOMPARE(own.screen(), ChartModel::Screen::Bar);
    QCOMPARE(hall.screen(), ChartModel::Screen::Bar);
    QCOMPARE(own.bars().size(), 5);
}

void TestResultViewController::scoringAlwaysShowsTheTable()
{
    ChartModel own;
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    view.addChart(&own);
    view.open(stored(VoteType::Scoring, QString(), u"8.67:"_s));
    view.showView(ResultStyle::Bar);
    QCOMPARE(view.currentStyle(), ResultStyle::Table);
    QCOMPARE(own.screen(), ChartModel::Screen::Table);
    QCOMPARE(own.kind(), ChartModel::Kind::Scoring);
    QCOMPARE(own.field(0), u"8.67"_s);
}

void TestResultViewController::barAndPieClearTheSecondCaption()
{
    ChartModel own;
    own.setSecondCaption(u"Voting in progress"_s, Qt::white);
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    view.addChart(&own);
    view.open(stored(VoteType::YesNo, QString(), u"2:10:10:5:5:0:0:"_s));
    QCOMPARE(own.secondCaption(), u"Voting in progress"_s);
    view.showView(ResultStyle::Bar);
    QVERIFY(own.secondCaption().isEmpty());
}

void TestResultViewController::candidatesAreTheFirstFiveFields()
{
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    view.open(stored(VoteType::ElectOneOfFive, u"A:B:C:"_s, u"1:1:1:0:0:"_s));
    QCOMPARE(view.candidateNames(), (QStringList{u"A"_s, u"B"_s, u"C"_s, {}, {}}));
    view.open(stored(VoteType::ElectOneOfFive, u"A:B"_s, u"1:1:1:0:0:"_s));
    QCOMPARE(view.candidateNames(), (QStringList{u"A"_s, {}, {}, {}, {}}));
}

void TestResultViewController::aChartDestroyedEarlyIsDropped()
{
    ResultViewController view(ResultViewTexts::lookUp(lookup));
    auto hall = std::make_unique<ChartModel>();
    ChartModel own;
    view.addChart(hall.get());
    view.addChart(&own);
    hall.reset();
    view.open(stored(VoteType::YesNo, QString(), u"2:10:10:5:5:0:0:"_s));
    QCOMPARE(own.screen(), ChartModel::Screen::Table);
}

QTEST_MAIN(TestResultViewController)
#include "testresultviewcontroller.moc"
