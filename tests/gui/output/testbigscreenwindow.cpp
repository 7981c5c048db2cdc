#include "gui/output/bigscreenwindow.h"

#include <QImage>
#include <QScrollBar>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include "core/output/chartpainter.h"
#include "core/output/chartrenderer.h"
#include "core/output/documentlayoutpacer.h"
#include "core/output/hallscreen.h"
#include "gui/output/chartview.h"
#include "gui/output/nameboardview.h"

using namespace Qt::StringLiterals;

class TestBigScreenWindow final : public QObject
{
    Q_OBJECT

private slots:
    void isCreatedHiddenWithThePanesOfTheHall();
    void showsHidesAndSwitchesPanesWithTheHall();
    void movesAndRecoloursWithTheHallGeometry();
    void placement_data();
    void placement();
    void chartPaneShowsTheHallChart();
    void chartPaneShowsTheNewestResultWhenResultsComeFasterThanPaintings();
    void scrollsTheTextPaneByPages();
    void aLargeDocumentArrivesWholeAndIsLaidOutAtThePanesWidth();
};

void TestBigScreenWindow::isCreatedHiddenWithThePanesOfTheHall()
{
    HallScreen hall;
    BigScreenWindow window(hall);
    QVERIFY(!window.isVisible());
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(window.textPane()->document(), &hall.textDocument());
    QVERIFY(window.textPane()->isReadOnly());
    QCOMPARE(window.chartPane()->model(), &hall.chart());
    QCOMPARE(window.nameBoard()->board(), &hall.nameBoard());

    // A document read from a file takes the old one's place, and the pane shows it.
    QTemporaryDir dir;
    QFile file(dir.filePath(u"banner.rtf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\\rtf1 Welcome}") > 0);
    file.close();
    QSignalSpy arrived(&hall, &HallScreen::textDocumentReplaced);
    QCOMPARE(hall.showDocument(file.fileName()), DocumentReader::Start::Reading);
    QVERIFY(arrived.wait());
    QCOMPARE(window.textPane()->document(), &hall.textDocument());
    QCOMPARE(window.textPane()->toPlainText(), u"Welcome"_s);
}

void TestBigScreenWindow::showsHidesAndSwitchesPanesWithTheHall()
{
    HallScreen hall;
    hall.setGeometry(QRect(0, 0, 640, 480), QColor(0, 0, 255), QColor(255, 255, 255));
    BigScreenWindow window(hall);

    hall.show(HallScreen::Pane::Chart);
    QVERIFY(window.isVisible());
    QCOMPARE(window.currentPane(), window.chartPane());
    QVERIFY(window.chartPane()->isVisible());
    QVERIFY(!window.textPane()->isVisible());
    QVERIFY(!window.nameBoard()->isVisible());

    hall.show(HallScreen::Pane::NameBoard);
    QCOMPARE(window.currentPane(), window.nameBoard());
    QVERIFY(window.nameBoard()->isVisible());
    QVERIFY(!window.chartPane()->isVisible());

    hall.hide();
    QVERIFY(!window.isVisible());

    // Shown again with another pane: the window comes back with that one, filling it.
    hall.show(HallScreen::Pane::Text);
    QVERIFY(window.isVisible());
    QCOMPARE(window.currentPane(), window.textPane());
    QVERIFY(window.textPane()->isVisible());
    QCOMPARE(window.textPane()->geometry(), QRect(0, 0, 640, 480));

    // A window made while the hall already shows follows it from the start.
    BigScreenWindow late(hall);
    QVERIFY(late.isVisible());
    QCOMPARE(late.currentPane(), late.textPane());
}

void TestBigScreenWindow::movesAndRecoloursWithTheHallGeometry()
{
    HallScreen hall;
    BigScreenWindow window(hall);
    hall.setGeometry(QRect(0, 0, 800, 600), QColor(0, 0, 255), QColor(255, 255, 255));
    hall.show(HallScreen::Pane::Text);
    QCOMPARE(window.size(), QSize(800, 600));

    hall.setGeometry(QRect(40, 0, 1280, 720), QColor(0, 128, 0), QColor(255, 255, 0));
    // The test platform reports one screen: the window goes exactly where the hall says.
    QCOMPARE(window.geometry(), QRect(40, 0, 1280, 720));
    QCOMPARE(window.textPane()->geometry(), QRect(0, 0, 1280, 720));
    QCOMPARE(window.textPane()->palette().color(QPalette::Base), QColor(0, 128, 0));
    QCOMPARE(window.textPane()->palette().color(QPalette::Text), QColor(255, 255, 0));

    hall.textDocument().setPlainText(u"Welcome"_s);
    const QImage image = window.grab().toImage();
    QCOMPARE(QColor(image.pixel(1200, 700)), QColor(0, 128, 0));
}

void TestBigScreenWindow::placement_data()
{
    QTest::addColumn<QRect>("hall");
    QTest::addColumn<QRect>("primary");
    QTest::addColumn<QList<QRect>>("others");
    QTest::addColumn<QRect>("expected");

    const QRect primary(0, 0, 1920, 1080);
    QTest::newRow("one display: right of it")
        << QRect(1920, 0, 1280, 720) << primary << QList<QRect>{} << QRect(1920, 0, 1280, 720);
    QTest::newRow("second display to the right")
        << QRect(1920, 0, 1024, 768) << primary << QList<QRect>{QRect(1920, 0, 1024, 768)}
        << QRect(1920, 0, 1024, 768);
    QTest::newRow("second display to the left")
        << QRect(1920, 0, 1280, 720) << primary << QList<QRect>{QRect(-1280, 0, 1280, 720)}
        << QRect(-1280, 0, 1280, 720);
    QTest::newRow("second display below, offset kept")
        << QRect(1940, 10, 800, 600) << primary << QList<QRect>{QRect(0, 1080, 1024, 768)}
        << QRect(20, 1090, 800, 600);
    QTest::newRow("the first other display is taken")
        << QRect(1920, 0, 800, 600) << primary
        << QList<QRect>{QRect(1920, 0, 800, 600), QRect(2720, 0, 1920, 1080)} << QRect(1920, 0, 800, 600);
}

void TestBigScreenWindow::placement()
{
    QFETCH(QRect, hall);
    QFETCH(QRect, primary);
    QFETCH(QList<QRect>, others);
    QFETCH(QRect, expected);
    QCOMPARE(BigScreenWindow::placement(hall, primary, others), expected);
}

void TestBigScreenWindow::chartPaneShowsTheHallChart()
{
    HallScreen hall;
    hall.setGeometry(QRect(0, 0, 1024, 768), QColor(0, 0, 255), QColor(255, 255, 255));
    BigScreenWindow window(hall);
    hall.chart().setScreen(2, 2);
    hall.chart().showResult(u"21:17:10:"_s, u"Ann:Bob:Cy:"_s, QColor(255, 255, 255));
    hall.show(HallScreen::Pane::Chart);
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected =
        ChartPainter::render(hall.chart(), QSize(1024, 768)).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, expected);
}

void TestBigScreenWindow::chartPaneShowsTheNewestResultWhenResultsComeFasterThanPaintings()
{
    HallScreen hall;
    hall.setGeometry(QRect(0, 0, 640, 480), QColor(0, 0, 255), QColor(255, 255, 255));
    BigScreenWindow window(hall);
    ChartRenderer *renderer = window.chartPane()->renderer();
    QVERIFY(renderer);
    // The paintings are kept here and finished when the test says, as if the worker were slow.
    QList<std::pair<ChartRenderer::Painting, ChartRenderer::Done>> paintings;
    renderer->setRunner([&paintings](ChartRenderer::Painting painting, ChartRenderer::Done done) {
        paintings.append({std::move(painting), std::move(done)});
    });
    const auto finishOne = [&paintings] {
        auto [painting, done] = paintings.takeFirst();
        done(painting());
    };
    ChartModel &chart = hall.chart();
    const auto result = [&chart](const QString &text) {
        chart.showResult(text, u"Ann:Bob:Cy:"_s, QColor(255, 255, 255));
    };
    const auto shown = [&window] { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const auto drawn = [&chart](const QSize &size) {
        return ChartPainter::render(chart, size).convertToFormat(QImage::Format_RGB32);
    };

    chart.setScreen(1, 2);
    result(u"1:0:0:"_s);
    hall.show(HallScreen::Pane::Chart);
    // The first picture at a size cannot wait for a worker.
    const QImage first = drawn(QSize(640, 480));
    QCOMPARE(shown(), first);
    QVERIFY(paintings.isEmpty());

    // Three votes while one picture is being painted: the interface thread paints none of them, and the
    // worker paints the second one next, from the newest state, skipping the one between.
    result(u"2:0:0:"_s);
    const QImage second = drawn(QSize(640, 480));
    result(u"2:1:0:"_s);
    result(u"2:1:1:"_s);
    const QImage newest = drawn(QSize(640, 480));
    QCOMPARE(paintings.size(), 1);
    QCOMPARE(shown(), first);
    finishOne();
    QCOMPARE(shown(), second);
    QCOMPARE(paintings.size(), 1);
    finishOne();
    QCOMPARE(shown(), newest);
    QVERIFY(paintings.isEmpty());

    // A picture that finishes after a newer one was shown is dropped: a new size is painted at once, so
    // the painting begun before it is older.
    result(u"3:1:1:"_s);
    QCOMPARE(paintings.size(), 1);
    hall.setGeometry(QRect(0, 0, 800, 600), QColor(0, 0, 255), QColor(255, 255, 255));
    chart.setScreen(1, 2);
    const QImage resized = drawn(QSize(800, 600));
    QCOMPARE(shown(), resized);
    finishOne();
    QCOMPARE(shown(), resized);
    QVERIFY(paintings.isEmpty());
}

void TestBigScreenWindow::scrollsTheTextPaneByPages()
{
    HallScreen hall;
    hall.setGeometry(QRect(0, 0, 400, 300), QColor(0, 0, 255), QColor(255, 255, 255));
    BigScreenWindow window(hall);
    hall.show(HallScreen::Pane::Text);
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << u"Line %1"_s.arg(i);
    hall.textDocument().setPlainText(lines.join(u'\n'));
    QScrollBar *bar = window.textPane()->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);

    window.scrollText(BigScreenWindow::Scroll::PageDown);
    QCOMPARE(bar->value(), bar->pageStep());
    window.scrollText(BigScreenWindow::Scroll::Bottom);
    QCOMPARE(bar->value(), bar->maximum());
    window.scrollText(BigScreenWindow::Scroll::PageUp);
    QCOMPARE(bar->value(), bar->maximum() - bar->pageStep());
    window.scrollText(BigScreenWindow::Scroll::Top);
    QCOMPARE(bar->value(), 0);
}

void TestBigScreenWindow::aLargeDocumentArrivesWholeAndIsLaidOutAtThePanesWidth()
{
    HallScreen hall;
    hall.setGeometry(QRect(0, 0, 640, 480), QColor(0, 0, 255), QColor(255, 255, 255));
    BigScreenWindow window(hall);
    hall.show(HallScreen::Pane::Text);
    constexpr int Paragraphs = 5000;
    QTemporaryDir dir;
    QFile file(dir.filePath(u"motion.rtf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1\\ansi ");
    for (int i = 0; i < Paragraphs; ++i)
        file.write("Paragraph " + QByteArray::number(i) +
                   " of the motion, long enough to wrap on a narrow pane.\\par\n");
    file.write("The end.}");
    file.close();

    QSignalSpy arrived(&hall, &HallScreen::textDocumentReplaced);
    QCOMPARE(hall.showDocument(file.fileName()), DocumentReader::Start::Reading);
    QVERIFY(arrived.wait());
    QTextDocument &document = hall.textDocument();
    QCOMPARE(window.textPane()->document(), &document);
    QCOMPARE(document.blockCount(), Paragraphs + 1);
    QCOMPARE(document.findBlockByNumber(1234).text(),
             u"Paragraph 1234 of the motion, long enough to wrap on a narrow pane."_s);
    QCOMPARE(document.lastBlock().text(), u"The end."_s);
    // The reader left the page empty; the pane's width and the hall's margin are what it is laid out at.
    QCOMPARE(document.pageSize().width(), qreal(window.textPane()->viewport()->width()));
    QCOMPARE(document.documentMargin(), 16.0);

    // The pacer lays it out to the last paragraph, and the pane scrolls there.
    auto *pacer = document.findChild<DocumentLayoutPacer *>();
    QVERIFY(pacer);
    while (pacer->layOutSlice()) {
    }
    QVERIFY(pacer->isComplete());
    QVERIFY(document.lastBlock().layout()->lineCount() > 0);
    window.scrollText(BigScreenWindow::Scroll::Bottom);
    const QTextCursor bottom =
        window.textPane()->cursorForPosition(QPoint(20, window.textPane()->viewport()->height() - 20));
    QVERIFY(bottom.blockNumber() > Paragraphs - 20);
}

QTEST_MAIN(TestBigScreenWindow)
#include "testbigscreenwindow.moc"
