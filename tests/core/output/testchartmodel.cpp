#include "core/output/chartmodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QColor White(255, 255, 255);

QList<qint64> values(const QList<ChartItem> &items)
{
    QList<qint64> v;
    for (const ChartItem &i : items)
        v.append(i.value);
    return v;
}

QStringList labelsOf(const QList<ChartItem> &items)
{
    QStringList l;
    for (const ChartItem &i : items)
        l.append(i.label);
    return l;
}

QStringList valueTexts(const QList<ChartItem> &items)
{
    QStringList l;
    for (const ChartItem &i : items)
        l.append(i.valueText);
    return l;
}

const QString BallotLabels = u"Due:Present:Yes:No:Abstain:None:"_s;
const QString ThreeLabels = u"Ann:Bob:Cy:"_s;
const QString FiveLabels = u"Ann:Bob:Cy:Di:Ed:"_s;

} // namespace

class TestChartModel final : public QObject
{
    Q_OBJECT

private slots:
    void derivesBarsAndSlicesPerKind_data();
    void derivesBarsAndSlicesPerKind();
    void ballotWithNoAnswersShowsOnlyNonZeroSlices();
    void emptyElectionShowsOneFullSliceAndSlivers();
    void shorterResultKeepsEarlierFields();
    void repeatedHandOverChangesNothingButAKindChangeRederives();
    void theLargestAnswerFillsTheBarsRoom();
    void zeroOrNegativeSumGivesEmptyBarsAndNoSlices_data();
    void zeroOrNegativeSumGivesEmptyBarsAndNoSlices();
    void sliceSpansCloseTheCircleInWholeDegrees();
    void setColoursDropsTheScreen();
    void screenCodesOutsideTheRangeDrawNothing();
    void keyLegendReplacesAllTenFields();
    void everyOperationAnnouncesAChange();
};

void TestChartModel::derivesBarsAndSlicesPerKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<QList<qint64>>("bars");
    QTest::addColumn<QStringList>("barLabels");
    QTest::addColumn<QList<qint64>>("slices");
    QTest::addColumn<QStringList>("sliceLabels");
    QTest::addColumn<int>("divisor");

    // Due and present are no answers: neither bars nor slices, whatever the unit.
    QTest::newRow("full ballot, unit 1: the three answers")
        << 1 << u"1:50:48:30:10:8:5:60.00%:20.00%:16.00%:passed:"_s << BallotLabels
        << QList<qint64>{30, 10, 8} << QStringList{u"Yes"_s, u"No"_s, u"Abstain"_s}
        << QList<qint64>{30, 10, 8} << QStringList{u"Yes"_s, u"No"_s, u"Abstain"_s} << 7;
    QTest::newRow("full ballot, unit 2: the three answers")
        << 1 << u"2:50:48:30:10:3:5:60.00%:20.00%:6.00%:passed:"_s << BallotLabels << QList<qint64>{30, 10, 3}
        << QStringList{u"Yes"_s, u"No"_s, u"Abstain"_s} << QList<qint64>{30, 10, 3}
        << QStringList{u"Yes"_s, u"No"_s, u"Abstain"_s} << 7;
    QTest::newRow("full ballot, unknown unit: nothing")
        << 1 << u"3:50:48:30:10:3:5:"_s << BallotLabels << QList<qint64>{} << QStringList{} << QList<qint64>{}
        << QStringList{} << 0;
    QTest::newRow("one of three: zero counts give bars but no slices")
        << 2 << u"7:0:5:"_s << ThreeLabels << QList<qint64>{7, 0, 5}
        << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s} << QList<qint64>{7, 5} << QStringList{u"Ann"_s, u"Cy"_s}
        << 7;
    QTest::newRow("several of three") << 3 << u"4:4:4:"_s << ThreeLabels << QList<qint64>{4, 4, 4}
                                      << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s} << QList<qint64>{4, 4, 4}
                                      << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s} << 7;
    QTest::newRow("one of five") << 4 << u"1:2:3:4:5:"_s << FiveLabels << QList<qint64>{1, 2, 3, 4, 5}
                                 << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Di"_s, u"Ed"_s}
                                 << QList<qint64>{1, 2, 3, 4, 5}
                                 << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Di"_s, u"Ed"_s} << 11;
    QTest::newRow("several of five") << 5 << u"9:0:0:0:1:"_s << FiveLabels << QList<qint64>{9, 0, 0, 0, 1}
                                     << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Di"_s, u"Ed"_s}
                                     << QList<qint64>{9, 1} << QStringList{u"Ann"_s, u"Ed"_s} << 11;
    QTest::newRow("scoring: neither bars nor slices")
        << 6 << u"8.67:"_s << u"Average:"_s << QList<qint64>{} << QStringList{} << QList<qint64>{}
        << QStringList{} << 0;
    QTest::newRow("persons table") << 7 << u"3:1:0:2:2:"_s << FiveLabels << QList<qint64>{3, 1, 0, 2, 2}
                                   << QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Di"_s, u"Ed"_s}
                                   << QList<qint64>{3, 1, 2, 2}
                                   << QStringList{u"Ann"_s, u"Bob"_s, u"Di"_s, u"Ed"_s} << 11;
}

void TestChartModel::derivesBarsAndSlicesPerKind()
{
    QFETCH(int, kind);
    QFETCH(QString, result);
    QFETCH(QString, labels);
    ChartModel m;
    m.setScreen(1, kind);
    m.showResult(result, labels, White);
    QFETCH(QList<qint64>, bars);
    QCOMPARE(values(m.bars()), bars);
    QFETCH(QStringList, barLabels);
    QCOMPARE(labelsOf(m.bars()), barLabels);
    QFETCH(QList<qint64>, slices);
    QCOMPARE(values(m.slices()), slices);
    QFETCH(QStringList, sliceLabels);
    QCOMPARE(labelsOf(m.slices()), sliceLabels);
    QFETCH(int, divisor);
    QCOMPARE(m.barWidthDivisor(), divisor);
    // The n-th bar takes the n-th colour, slices keep the colour of their place in the list.
    for (int i = 0; i < m.bars().size(); ++i)
        QCOMPARE(m.bars()[i].paletteIndex, i);
}

void TestChartModel::ballotWithNoAnswersShowsOnlyNonZeroSlices()
{
    ChartModel m;
    m.setScreen(2, 1);
    m.showResult(u"1:10:8:0:0:8:8:0.00%:0.00%:80.00%:failed:"_s, BallotLabels, White);
    QCOMPARE(values(m.bars()), (QList<qint64>{0, 0, 8}));
    QCOMPARE(labelsOf(m.slices()), (QStringList{u"Abstain"_s}));
    QCOMPARE(valueTexts(m.slices()), (QStringList{u"8"_s}));
    QVERIFY(m.hasAttendance());
    // With no answer at all the pie is empty rather than a circle of due and present.
    m.showResult(u"2:10:0:0:0:0:0:0.00%:0.00%:0.00%:failed:"_s, BallotLabels, White);
    QVERIFY(m.sliceSpans().isEmpty());
}

void TestChartModel::emptyElectionShowsOneFullSliceAndSlivers()
{
    ChartModel m;
    m.setScreen(2, 2);
    m.showResult(u"0:0:0:"_s, ThreeLabels, White);
    QCOMPARE(values(m.bars()), (QList<qint64>{0, 0, 0}));
    QCOMPARE(values(m.slices()), (QList<qint64>{100, 1, 1}));
    QCOMPARE(labelsOf(m.slices()), (QStringList{u"Ann"_s, u"Bob"_s, u"Cy"_s}));
    QCOMPARE(valueTexts(m.slices()), (QStringList{u"0"_s, u"0"_s, u"0"_s}));
    QCOMPARE(m.barHeights(600), (QList<int>{0, 0, 0}));

    m.setScreen(2, 4);
    m.showResult(u"0:0:0:0:0:"_s, FiveLabels, White);
    QCOMPARE(values(m.slices()), (QList<qint64>{100, 1, 1, 1, 1}));
}

void TestChartModel::shorterResultKeepsEarlierFields()
{
    ChartModel m;
    m.setScreen(1, 4);
    m.showResult(u"1:2:3:4:5:"_s, FiveLabels, White);
    m.showResult(u"9:8:"_s, u"X:"_s, White);
    QCOMPARE(values(m.bars()), (QList<qint64>{9, 8, 3, 4, 5}));
    QCOMPARE(labelsOf(m.bars()), (QStringList{u"X"_s, u"Bob"_s, u"Cy"_s, u"Di"_s, u"Ed"_s}));
    // Text after the last colon is not a field.
    m.showResult(u"7:6"_s, FiveLabels, White);
    QCOMPARE(values(m.bars()), (QList<qint64>{7, 8, 3, 4, 5}));
}

void TestChartModel::theLargestAnswerFillsTheBarsRoom()
{
    ChartModel m;
    m.setScreen(1, 2);
    m.showResult(u"10:0:0:"_s, ThreeLabels, White);
    QCOMPARE(m.barHeights(1000), (QList<int>{1000, 0, 0}));
    m.showResult(u"1:2:3:"_s, ThreeLabels, White);
    QCOMPARE(m.barHeights(600), (QList<int>{200, 400, 600}));
    m.showResult(u"1:1:1:"_s, ThreeLabels, White);
    QCOMPARE(m.barHeights(100), (QList<int>{100, 100, 100}));
    // A ballot of 200 due and 180 present, 7 in favour, 2 against: the 7 is the full height.
    m.setScreen(1, 1);
    m.showResult(u"2:200:180:7:2:0:171:3.50%:1.00%:0.00%:failed:"_s, BallotLabels, White);
    QCOMPARE(m.barHeights(350), (QList<int>{350, 100, 0}));
}

void TestChartModel::zeroOrNegativeSumGivesEmptyBarsAndNoSlices_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("result");

    QTest::newRow("ballot with zero counts everywhere") << 1 << u"2:0:0:0:0:0:0:"_s;
    QTest::newRow("fields not yet written") << 4 << u"::::"_s;
    QTest::newRow("a negative count") << 2 << u"-3:0:0:"_s;
    QTest::newRow("written as 00") << 2 << u"00:00:00:"_s;
}

void TestChartModel::zeroOrNegativeSumGivesEmptyBarsAndNoSlices()
{
    QFETCH(int, kind);
    QFETCH(QString, result);
    ChartModel m;
    m.setScreen(1, kind);
    m.showResult(result, FiveLabels, White);
    for (const int h : m.barHeights(500))
        QCOMPARE(h, 0);
    QVERIFY(m.sliceSpans().isEmpty());
}

void TestChartModel::sliceSpansCloseTheCircleInWholeDegrees()
{
    ChartModel m;
    m.setScreen(2, 2);
    m.showResult(u"1:1:1:"_s, ThreeLabels, White);
    const QList<ChartSliceSpan> thirds = m.sliceSpans();
    QCOMPARE(thirds.size(), 3);
    QCOMPARE(thirds[0].startDegrees, 0);
    QCOMPARE(thirds[0].spanDegrees, 120);
    QCOMPARE(thirds[1].startDegrees, 120);
    QCOMPARE(thirds[2].startDegrees + thirds[2].spanDegrees, 360);

    m.showResult(u"0:0:0:"_s, ThreeLabels, White); // 100, 1, 1
    const QList<ChartSliceSpan> slivers = m.sliceSpans();
    QCOMPARE(slivers[0].spanDegrees, 352);
    QVERIFY(slivers[1].spanDegrees >= 3 && slivers[1].spanDegrees <= 4);
    QCOMPARE(slivers[2].startDegrees + slivers[2].spanDegrees, 360);
    int start = 0;
    for (const ChartSliceSpan &s : slivers) {
        QCOMPARE(s.startDegrees, start);
        start += s.spanDegrees;
    }
}

void TestChartModel::setColoursDropsTheScreen()
{
    ChartModel m;
    m.setScreen(3, 1);
    m.setColours(QColor(0, 0, 255), QColor(0, 128, 0));
    QCOMPARE(m.screen(), ChartModel::Screen::None);
    QCOMPARE(m.kind(), ChartModel::Kind::FullBallot);
    QCOMPARE(m.background(), QColor(0, 0, 255));
    QCOMPARE(m.plotColour(), QColor(0, 128, 0));
}

void TestChartModel::screenCodesOutsideTheRangeDrawNothing()
{
    ChartModel m;
    m.setScreen(9, 1);
    QCOMPARE(m.screen(), ChartModel::Screen::None);
    m.setScreen(2, 42);
    QCOMPARE(m.kind(), ChartModel::Kind::None);
    m.showResult(u"1:2:3:"_s, ThreeLabels, White);
    QVERIFY(m.bars().isEmpty());
}

void TestChartModel::keyLegendReplacesAllTenFields()
{
    ChartModel m;
    m.showKeyLegend(u"1:2:3:4:5:A:B:C:D:E:"_s, u"Press a key"_s, White);
    QCOMPARE(m.legendFields().size(), 10);
    QCOMPARE(m.legendFields()[9], u"E"_s);
    m.showKeyLegend(u"1:2:3:"_s, QString(), White);
    QCOMPARE(m.legendFields(), (QStringList{u"1"_s, u"2"_s, u"3"_s, {}, {}, {}, {}, {}, {}, {}}));
    QCOMPARE(m.legendLine3(), QString());
}

void TestChartModel::everyOperationAnnouncesAChange()
{
    ChartModel m;
    QSignalSpy changed(&m, &ChartModel::changed);
    m.setCaption(u"a"_s, White);
    m.setSecondCaption(u"b"_s, White);
    m.setScreen(1, 1);
    m.setColours(White, White);
    m.setPercentageDisplay(1);
    m.showMessage(u"1"_s, u"2"_s, u"3"_s, White);
    m.showKeyLegend(u"x:"_s, u"y"_s, White);
    m.showResult(u"1:"_s, u"l:"_s, White);
    QCOMPARE(changed.count(), 8);
}

void TestChartModel::repeatedHandOverChangesNothingButAKindChangeRederives()
{
    // The live tick hands the whole chart over twice a second; an unchanged chart must not repaint.
    ChartModel m;
    QSignalSpy changed(&m, &ChartModel::changed);
    const auto handOver = [&m](int kind, const QString &result) {
        m.setCaption(u"Vote now"_s, White);
        m.setPercentageDisplay(1);
        m.setScreen(1, kind);
        m.showResult(result, FiveLabels, White);
    };
    handOver(4, u"1:2:3:4:5:"_s);
    const qsizetype afterFirst = changed.count();
    QVERIFY(afterFirst > 0);
    handOver(4, u"1:2:3:4:5:"_s);
    QCOMPARE(changed.count(), afterFirst);
    const QList<qint64> fiveBars = values(m.bars());
    QCOMPARE(fiveBars.size(), 5);
    // Same text, other kind: the bars are derived for the new kind.
    handOver(2, u"1:2:3:4:5:"_s);
    QVERIFY(changed.count() > afterFirst);
    QCOMPARE(values(m.bars()).size(), 3);
    handOver(4, u"1:2:4:4:5:"_s);
    QCOMPARE(values(m.bars()).size(), 5);
    QVERIFY(values(m.bars()) != fiveBars);
}

QTEST_MAIN(TestChartModel)
#include "testchartmodel.moc"
