#include "core/output/chartpainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include "core/output/chartgeometry.h"
#include "core/output/chartmodel.h"

using namespace Qt::StringLiterals;

namespace {

const QColor Background(0, 0, 255);
const QColor Plot(0, 64, 0); // differs from the background, so a fill in the wrong place shows
const QColor Text(255, 255, 255);
const QSize Screen(1024, 768);

QRgb rgb(const QColor &c)
{
    return c.rgb();
}

QString describe(const QImage &image, const QPoint &p)
{
    return u"pixel %1,%2 is %3"_s.arg(p.x()).arg(p.y()).arg(QColor(image.pixel(p)).name());
}

#define COMPARE_PIXEL(image, point, colour)                                                                  \
    QVERIFY2((image).pixel(point) == rgb(colour), qPrintable(describe((image), (point))))

// Pixels of the rectangle that differ from the colour.
int countOther(const QImage &image, const QRect &area, const QColor &colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) != colour.rgb() ? 1 : 0;
    }
    return n;
}

void setUp(ChartModel &m, int screen, int kind, const QString &result, const QString &labels)
{
    m.setColours(Background, Plot);
    m.setScreen(screen, kind);
    m.showResult(result, labels, Text);
}

} // namespace

class TestChartPainter final : public QObject
{
    Q_OBJECT

private slots:
    void fillsBackgroundAndASymmetricPlot();
    void barsHaveTheirColourAndHeightWhereTheGeometryPutsThem();
    void fullBallotChartsTheAnswersAndWritesTheAttendance();
    void pieSliceHasItsColourAtItsMiddleAngle();
    void pieRimShowsTheSideColourBelowTheFront();
    void zeroSumDrawsNoBarsAndNoPie();
    void scoringShowsOnlyItsTable();
    void captionHangsAboveThePlot();
    void textsStayInsideTheClient_data();
    void textsStayInsideTheClient();
};

void TestChartPainter::fillsBackgroundAndASymmetricPlot()
{
    ChartModel m;
    m.setColours(Background, Plot);
    const QImage image = ChartPainter::render(m, Screen);
    const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), Screen));
    QCOMPARE(g.plot, QRect(51, 102, 922, 666));
    COMPARE_PIXEL(image, QPoint(10, 400), Background);
    COMPARE_PIXEL(image, QPoint(1013, 400), Background); // the right margin matches the left one
    COMPARE_PIXEL(image, QPoint(512, 50), Background);
    COMPARE_PIXEL(image, QPoint(60, 110), Plot);
    COMPARE_PIXEL(image, QPoint(960, 760), Plot);
    QCOMPARE(countOther(image, g.plot, Plot), 0); // screen 0: fills only
}

void TestChartPainter::barsHaveTheirColourAndHeightWhereTheGeometryPutsThem()
{
    ChartModel m;
    setUp(m, 1, 2, u"10:5:0:"_s, u"Ann:Bob:Cy:"_s);
    const QImage image = ChartPainter::render(m, Screen);
    const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), Screen));
    QCOMPARE(g.barWidth, 922 / 7);
    QCOMPARE(g.baseLine, 102 + 666 * 4 / 5);
    // The largest count reaches from the floor up to the band of its value text under the attendance
    // line: 532 - 2 x 66 - the 11 pixels of the top face; the others in proportion.
    QCOMPARE(g.barFronts[0].height(), 389);
    QCOMPARE(g.barFronts[1].height(), 194);

    for (int i = 0; i < 2; ++i) {
        const QRect front = g.barFronts[i];
        const ChartModel::PaletteEntry colours = ChartModel::palette(i);
        const int middle = front.left() + front.width() / 2;
        COMPARE_PIXEL(image, front.center(), colours.front);
        COMPARE_PIXEL(image, QPoint(middle, g.baseLine - 3), colours.front);
        COMPARE_PIXEL(image, QPoint(middle, front.top() + 3), colours.front);
        // The top face is in the front colour and the side face in the darker side colour.
        COMPARE_PIXEL(image, QPoint(middle, front.top() - g.barDepth / 2), colours.front);
        COMPARE_PIXEL(image, QPoint(front.right() + 1 + g.barDepth / 2, front.center().y()), colours.side);
        // Nothing above the bar's top face, nothing beside it.
        COMPARE_PIXEL(image, QPoint(middle, front.top() - g.barDepth - 3), Plot);
        COMPARE_PIXEL(image, QPoint(front.left() - 3, front.center().y()), Plot);
    }
    // The third candidate has no votes: no bar at all above the floor.
    // (Its value text "0" stands a tenth of the plot height above the floor.)
    const QRect empty(g.barLeft(2), g.plot.top() + 10, g.barWidth + g.barDepth,
                      g.baseLine - g.plot.height() / 10 - g.plot.top() - 14);
    QCOMPARE(countOther(image, empty, Plot), 0);
    // Each bar carries its label below the floor.
    for (int i = 0; i < 3; ++i) {
        const QRect labelArea(g.barLeft(i) - g.barWidth / 2, g.baseLine + 4, 2 * g.barWidth, 60);
        QVERIFY2(countOther(image, labelArea, Plot) > 20, qPrintable(u"no label under bar %1"_s.arg(i)));
    }
}

void TestChartPainter::fullBallotChartsTheAnswersAndWritesTheAttendance()
{
    ChartModel m;
    setUp(m, 1, 1, u"1:50:48:30:10:8:0:62.50%:20.83%:16.67%:passed:"_s,
          u"Due:Present:Yes:No:Abstain:None:"_s);
    m.setUnits(u"delegates"_s, u"votes"_s);
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        const QImage image = ChartPainter::render(m, size);
        const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), size));
        QCOMPARE(g.barFronts.size(), 3);
        // "Yes" fills the room up to the value text's band; due and present make no bar.
        const QRect yes = g.barFronts[0];
        QCOMPARE(yes.top(), g.plot.top() + 2 * (g.plot.height() / 10) + g.barDepth);
        QCOMPARE(g.barFronts[1].height(), yes.height() * 10 / 30);
        const QRect last = g.barFronts.last();
        QVERIFY(last.right() + g.barDepth < size.width());
        COMPARE_PIXEL(image, last.center(), ChartModel::palette(2).front);
        // Due and present are written across the top of the plot.
        QVERIFY(countOther(image, g.attendance, Plot) > 100);
        QVERIFY(g.attendance.bottom() < yes.top() - g.barDepth);
    }

    // The pie is the 48 answers: yes 30/48 of the circle, no 10/48, abstain 8/48.
    m.setScreen(2, 1);
    const QImage pie = ChartPainter::render(m, Screen);
    const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), Screen));
    const QList<ChartSliceSpan> spans = m.sliceSpans();
    QCOMPARE(spans.size(), 3);
    QCOMPARE(spans[0].spanDegrees, 225);
    QCOMPARE(spans[1].spanDegrees, 300 - 225);
    QCOMPARE(spans[2].spanDegrees, 360 - 300);
    // Off the middle angles, where the leaders run.
    COMPARE_PIXEL(pie, g.pieDirection(60, 0.35).toPoint(), ChartModel::palette(0).front);
    COMPARE_PIXEL(pie, g.pieDirection(250, 0.35).toPoint(), ChartModel::palette(1).front);
    COMPARE_PIXEL(pie, g.pieDirection(345, 0.35).toPoint(), ChartModel::palette(2).front);
    QVERIFY(countOther(pie, g.attendance, Plot) > 100);
    QVERIFY(g.attendance.bottom() < g.pie.top());
}

void TestChartPainter::pieSliceHasItsColourAtItsMiddleAngle()
{
    ChartModel m;
    setUp(m, 2, 2, u"1:1:2:"_s, u"Ann:Bob:Cy:"_s);
    const QImage image = ChartPainter::render(m, Screen);
    const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), Screen));
    const QList<ChartSliceSpan> spans = m.sliceSpans();
    QCOMPARE(spans.size(), 3);
    QCOMPARE(spans[2].spanDegrees, 180);
    for (int i = 0; i < spans.size(); ++i) {
        // Beside the leader, which runs along the middle angle.
        const double middle = spans[i].startDegrees + spans[i].spanDegrees / 2.0 + 12;
        const QPoint p = g.pieDirection(middle, 0.32).toPoint();
        COMPARE_PIXEL(image, p, ChartModel::palette(i).front);
    }
    // Slices run counter-clockwise from 3 o'clock: the first one is in the upper right quarter.
    COMPARE_PIXEL(image, g.pieDirection(30, 0.4).toPoint(), ChartModel::palette(0).front);
    COMPARE_PIXEL(image, g.pieDirection(150, 0.4).toPoint(), ChartModel::palette(1).front);
    // Outside the ellipse and clear of labels and leaders: the plot.
    COMPARE_PIXEL(image, QPoint(g.pie.left() + 4, g.pie.top() + 4), Plot);
}

void TestChartPainter::pieRimShowsTheSideColourBelowTheFront()
{
    ChartModel m;
    setUp(m, 2, 2, u"1:1:2:"_s, u"Ann:Bob:Cy:"_s);
    const QImage image = ChartPainter::render(m, Screen);
    const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), Screen));
    QVERIFY(g.rimDepth == 666 / 20);
    // Below the bottom of the ellipse, a little off the leader of the third slice at 270 degrees.
    const QPoint rim(g.pie.center().x() + 30, g.pie.top() + g.pie.height() + g.rimDepth / 2);
    COMPARE_PIXEL(image, rim, ChartModel::palette(2).side);
    COMPARE_PIXEL(image, QPoint(rim.x(), g.pie.top() + g.pie.height() + g.rimDepth + 4), Plot);
    // The back half has no rim: right above the ellipse is plot.
    COMPARE_PIXEL(image, QPoint(g.pie.center().x() + 30, g.pie.top() - 3), Plot);
}

void TestChartPainter::zeroSumDrawsNoBarsAndNoPie()
{
    ChartModel m;
    setUp(m, 2, 1, u"2:0:0:0:0:0:0:0.00%:0.00%:0.00%:failed:"_s, u"Due:Present:Yes:No:Abstain:None:"_s);
    const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), Screen));
    // Only the attendance line ("Due 0 Present 0") is written.
    const QRect underAttendance = g.plot.adjusted(0, g.attendance.height() + 1, 0, 0);
    QCOMPARE(countOther(ChartPainter::render(m, Screen), underAttendance, Plot), 0);

    m.setScreen(1, 1);
    const QImage bars = ChartPainter::render(m, Screen);
    for (int i = 0; i < 3; ++i) {
        const QRect above(g.barLeft(i), underAttendance.top(), g.barWidth + g.barDepth,
                          g.baseLine - g.plot.height() / 10 - underAttendance.top() - 4);
        QCOMPARE(countOther(bars, above.intersected(g.plot), Plot), 0);
    }
}

void TestChartPainter::scoringShowsOnlyItsTable()
{
    ChartModel m;
    const ChartGeometry g = ChartGeometry::compute(m, QRect(QPoint(), Screen));
    for (const int screen : {1, 2}) {
        setUp(m, screen, 6, u"8.67:"_s, u"Average:"_s);
        QCOMPARE(countOther(ChartPainter::render(m, Screen), g.plot, Plot), 0);
    }
    setUp(m, 3, 6, u"8.67:"_s, u"Average:"_s);
    QVERIFY(countOther(ChartPainter::render(m, Screen), g.plot, Plot) > 100);
}

void TestChartPainter::captionHangsAboveThePlot()
{
    ChartModel m;
    m.setColours(Background, Plot);
    const QRect band(0, 0, Screen.width(), 102);
    QCOMPARE(countOther(ChartPainter::render(m, Screen), band, Background), 0);
    m.setCaption(u"Ballot Report"_s, Text);
    const QImage captioned = ChartPainter::render(m, Screen);
    QVERIFY(countOther(captioned, band, Background) > 200);
    // Centred: as much ink left of the middle as right of it, within a tenth.
    const int left = countOther(captioned, QRect(0, 0, 512, 102), Background);
    const int right = countOther(captioned, QRect(512, 0, 512, 102), Background);
    QVERIFY2(std::abs(left - right) < (left + right) / 10, qPrintable(u"%1 vs %2"_s.arg(left).arg(right)));
}

void TestChartPainter::textsStayInsideTheClient_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("labels");

    const QString longNames = u"Anastasia Konstantinopoulou:Bartholomew Featherstonehaugh:"
                              "欧阳建国欧阳建国欧阳建国:Dissatisfied with everything:Ed:"_s;
    const QString ballot = u"1:1250:1248:1030:100:80:38:82.40%:8.00%:6.40%:passed:"_s;
    const QString ballotLabels = u"Delegates due to attend:Delegates present:In favour of the motion:"
                                 "Against the motion:Abstaining:Did not press a key:"_s;
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080), QSize(800, 600)}) {
        const QString at = u" at %1x%2"_s.arg(size.width()).arg(size.height());
        QTest::addRow("bars, long labels%s", qPrintable(at))
            << size << 1 << 5 << u"1:2:3:4:5:"_s << longNames;
        QTest::addRow("pie, long labels%s", qPrintable(at)) << size << 2 << 5 << u"1:1:1:1:1:"_s << longNames;
        QTest::addRow("pie, slivers%s", qPrintable(at)) << size << 2 << 4 << u"500:1:1:1:1:"_s << longNames;
        QTest::addRow("table, ballot%s", qPrintable(at)) << size << 3 << 1 << ballot << ballotLabels;
        QTest::addRow("table, election%s", qPrintable(at)) << size << 3 << 5 << u"1:2:3:4:5:"_s << longNames;
        QTest::addRow("bars, ballot%s", qPrintable(at)) << size << 1 << 1 << ballot << ballotLabels;
        QTest::addRow("message%s", qPrintable(at)) << size << 4 << 0 << QString() << QString();
        QTest::addRow("legend%s", qPrintable(at)) << size << 5 << 5 << QString() << QString();
    }
}

void TestChartPainter::textsStayInsideTheClient()
{
    QFETCH(QSize, size);
    QFETCH(int, screen);
    ChartModel m;
    QFETCH(int, kind);
    QFETCH(QString, result);
    QFETCH(QString, labels);
    setUp(m, screen, kind, result, labels);
    m.setPercentageDisplay(1);
    m.setCaption(u"Ballot Report on the Motion of the Standing Committee"_s, Text);
    m.showMessage(u"The floor is given to the delegate of the third delegation, Bartholomew"_s,
                  u"欧阳建国欧阳建国欧阳建国欧阳建国欧阳建国欧阳建国欧阳建国"_s, u"Five minutes"_s, Text);
    m.showKeyLegend(u"Key 1 - first candidate:Key 2:Key 3:Key 4:Key 5:Anastasia Konstantinopoulou:B:C:D:"
                    "Bartholomew Featherstonehaugh the Younger:"_s,
                    u"Press the key of your choice; the last key pressed counts"_s, Text);

    // Painted into the middle of a larger image: whatever a text loses at the client's edge lands outside.
    const QColor outside(255, 0, 255);
    QImage image(size + QSize(400, 400), QImage::Format_RGB32);
    image.fill(outside);
    const QRect client(QPoint(200, 200), size);
    {
        QPainter p(&image);
        ChartPainter::paint(p, client, m);
    }
    QCOMPARE(countOther(image, QRect(0, 0, image.width(), 200), outside), 0);
    QCOMPARE(countOther(image, QRect(0, client.bottom() + 1, image.width(), 200), outside), 0);
    QCOMPARE(countOther(image, QRect(0, 0, 200, image.height()), outside), 0);
    QCOMPARE(countOther(image, QRect(client.right() + 1, 0, 200, image.height()), outside), 0);
}

QTEST_MAIN(TestChartPainter)
#include "testchartpainter.moc"
