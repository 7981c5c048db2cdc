#include "gui/output/chartview.h"

#include <QImage>
#include <QTest>

#include "core/output/chartgeometry.h"
#include "core/output/chartmodel.h"

using namespace Qt::StringLiterals;

namespace {

const QColor Blue(0, 0, 255);
const QColor Plot(0, 64, 0);
const QColor White(255, 255, 255);

QString describe(const QImage &image, const QPoint &p)
{
    return u"pixel %1,%2 is %3"_s.arg(p.x()).arg(p.y()).arg(QColor(image.pixel(p)).name());
}

#define COMPARE_PIXEL(image, point, colour)                                                                  \
    QVERIFY2((image).pixel(point) == (colour).rgb(), qPrintable(describe((image), (point))))

// Counts the paint events a widget receives.
class PaintCounter final : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QImage grabbed(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestChartView final : public QObject
{
    Q_OBJECT

private slots:
    void paintsTheBarsWhereTheGeometryPutsThem();
    void repaintsWhenTheModelChanges();
    void followsANewModelAndSurvivesOneDestroyedFirst();
};

void TestChartView::paintsTheBarsWhereTheGeometryPutsThem()
{
    ChartModel model;
    model.setColours(Blue, Plot);
    model.setScreen(1, 2);
    model.showResult(u"10:5:0:"_s, u"Ann:Bob:Cy:"_s, White);
    ChartView view(&model);
    view.resize(800, 600);

    const QImage image = grabbed(view);
    QCOMPARE(image.size(), QSize(800, 600));
    const ChartGeometry g = ChartGeometry::compute(model, view.rect());
    QCOMPARE(g.barFronts.size(), 3);
    for (int i = 0; i < 2; ++i)
        COMPARE_PIXEL(image, g.barFronts[i].center(), ChartModel::palette(i).front);
    COMPARE_PIXEL(image, QPoint(g.barLeft(2) + g.barWidth / 2, g.plot.top() + 20), Plot);
    COMPARE_PIXEL(image, QPoint(5, 300), Blue);
}

void TestChartView::repaintsWhenTheModelChanges()
{
    ChartModel model;
    model.setColours(Blue, Plot);
    model.setScreen(1, 2);
    model.showResult(u"10:5:0:"_s, u"Ann:Bob:Cy:"_s, White);
    ChartView view(&model);
    view.resize(640, 480);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    PaintCounter counter;
    view.installEventFilter(&counter);

    const ChartGeometry g = ChartGeometry::compute(model, view.rect());
    const QPoint firstBar = g.barFronts[0].center();
    COMPARE_PIXEL(grabbed(view), firstBar, ChartModel::palette(0).front);

    // The same result as a table: the bar's place is plot colour now, and the widget was told to repaint.
    model.setScreen(3, 2);
    QTRY_VERIFY(counter.count > 0);
    COMPARE_PIXEL(grabbed(view), firstBar, Plot);

    const int before = counter.count;
    model.setColours(White, White);
    QTRY_VERIFY(counter.count > before);
    COMPARE_PIXEL(grabbed(view), QPoint(5, 240), White);
}

void TestChartView::followsANewModelAndSurvivesOneDestroyedFirst()
{
    ChartModel first;
    first.setColours(Blue, Blue);
    ChartView view(&first);
    view.resize(320, 240);
    COMPARE_PIXEL(grabbed(view), QPoint(160, 200), Blue);

    auto second = std::make_unique<ChartModel>();
    second->setColours(White, Plot);
    view.setModel(second.get());
    QCOMPARE(view.model(), second.get());
    COMPARE_PIXEL(grabbed(view), QPoint(160, 200), Plot);
    // The old model no longer drives the view.
    first.setColours(Plot, Plot);
    COMPARE_PIXEL(grabbed(view), QPoint(2, 2), White);

    second.reset();
    QCOMPARE(view.model(), nullptr);
    QCOMPARE(grabbed(view).size(), QSize(320, 240));
}

QTEST_MAIN(TestChartView)
#include "testchartview.moc"
