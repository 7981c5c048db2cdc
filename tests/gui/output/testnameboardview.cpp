#include "gui/output/nameboardview.h"

#include <QImage>
#include <QTest>

#include "core/output/nameboard.h"
#include "core/output/nameboardpainter.h"

using namespace Qt::StringLiterals;

namespace {

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

// Pixels of the rectangle in the colour.
int countOf(const QImage &image, const QRect &area, const QColor &colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) == colour.rgb() ? 1 : 0;
    }
    return n;
}

} // namespace

class TestNameBoardView final : public QObject
{
    Q_OBJECT

private slots:
    void showsTheBoardAsThePainterDrawsIt();
    void repaintsWhenTheBoardChanges();
};

void TestNameBoardView::showsTheBoardAsThePainterDrawsIt()
{
    NameBoard board;
    board.setColours(QColor(0, 0, 255), QColor(255, 255, 255));
    board.setFont(450, u"粗体"_s);
    board.setGrid(8, 3);
    board.setTitle(u"已签到代表"_s);
    board.setNames({u"王建国"_s, u"李秀英"_s, u"张伟"_s, u"刘芳"_s}, 4);
    NameBoardView view(&board);
    view.resize(1024, 768);
    QCOMPARE(grabbed(view),
             NameBoardPainter::render(board, QSize(1024, 768)).convertToFormat(QImage::Format_RGB32));
}

void TestNameBoardView::repaintsWhenTheBoardChanges()
{
    NameBoard board;
    board.setColours(QColor(0, 0, 255), QColor(255, 255, 255));
    board.setFont(450, QString());
    NameBoardView view(&board);
    view.resize(800, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    PaintCounter counter;
    view.installEventFilter(&counter);

    // Where the first name goes: one row below the top of the work area.
    const NameBoardLayout layout = NameBoardPainter::layout(board, view.rect());
    const QRect firstName(layout.work.left(), layout.work.top() + (layout.work.height() + 1) / board.rows(),
                          200, 50);
    QCOMPARE(countOf(grabbed(view), firstName, QColor(255, 255, 255)), 0);

    board.setNames({u"WANG Jianguo"_s}, 1);
    QTRY_VERIFY(counter.count > 0);
    QCOMPARE(NameBoardPainter::layout(board, view.rect()).names.value(0), firstName.topLeft());
    // White text in the first name's place.
    QVERIFY(countOf(grabbed(view), firstName, QColor(255, 255, 255)) > 30);

    const int before = counter.count;
    board.setColours(QColor(0, 128, 0), QColor(255, 255, 255));
    QTRY_VERIFY(counter.count > before);
    QCOMPARE(QColor(grabbed(view).pixel(790, 590)), QColor(0, 128, 0));
}

QTEST_MAIN(TestNameBoardView)
#include "testnameboardview.moc"
