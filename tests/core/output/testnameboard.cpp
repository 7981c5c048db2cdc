#include "core/output/nameboardpainter.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "core/output/nameboard.h"

using namespace Qt::StringLiterals;

namespace {

int inkIn(const QImage &image, const QRect &area, const QColor &background)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) != background.rgb() ? 1 : 0;
    }
    return n;
}

} // namespace

class TestNameBoard final : public QObject
{
    Q_OBJECT

private slots:
    void titleIsPlacedByItsLengthAndFontSize_data();
    void titleIsPlacedByItsLengthAndFontSize();
    void namesFillRowsBelowTheTitle();
    void onlyTheCountedNamesAreDrawn();
    void defaultsAreBlueWhiteNineByThree();
    void gridOfNoRowsIsTakenAsOne();
    void paintingPutsTextWhereTheLayoutSays();
    void everyNameStaysInItsCell_data();
    void everyNameStaysInItsCell();
    void shortNamesKeepTheBoardsFont();
};

void TestNameBoard::titleIsPlacedByItsLengthAndFontSize_data()
{
    QTest::addColumn<QRect>("client");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QPoint>("expected");

    // Work left 51; (51 + 1024) / 2 = 537; (10 / 2) * 450 / 7 = 321.
    QTest::newRow("ten characters at 45 points on 1024")
        << QRect(0, 0, 1024, 768) << 450 << u"0123456789"_s << QPoint(216, 10);
    // An odd length loses its half character: 11 / 2 = 5.
    QTest::newRow("eleven characters")
        << QRect(0, 0, 1024, 768) << 450 << u"01234567890"_s << QPoint(216, 10);
    QTest::newRow("32 points on 800")
        << QRect(0, 0, 800, 600) << 320 << u"代表签到"_s << QPoint(420 - 91, 10);
    QTest::newRow("empty title sits in the middle")
        << QRect(0, 0, 1024, 768) << 450 << QString() << QPoint(537, 10);
    QTest::newRow("client not at the origin")
        << QRect(100, 50, 1024, 768) << 450 << u"0123456789"_s << QPoint((151 + 1124) / 2 - 321, 60);
}

void TestNameBoard::titleIsPlacedByItsLengthAndFontSize()
{
    QFETCH(QRect, client);
    NameBoard board;
    QFETCH(int, tenths);
    board.setFont(tenths, u"粗体"_s);
    QFETCH(QString, title);
    board.setTitle(title);
    QFETCH(QPoint, expected);
    QCOMPARE(NameBoardPainter::layout(board, client).title, expected);
}

void TestNameBoard::namesFillRowsBelowTheTitle()
{
    NameBoard board;
    board.setGrid(8, 3);
    QStringList names;
    for (int i = 0; i < 24; ++i)
        names.append(u"N%1"_s.arg(i));
    board.setNames(names, 24);
    const NameBoardLayout l = NameBoardPainter::layout(board, QRect(0, 0, 1024, 768));
    QCOMPARE(l.work, QRect(QPoint(51, 38), QPoint(1023, 767)));
    QCOMPARE(l.names.size(), 24);
    // Cells of 973 / 3 by 730 / 8; the first row lies one row below the top of the work area.
    QCOMPARE(l.names[0], QPoint(51, 38 + 91));
    QCOMPARE(l.names[1], QPoint(51 + 324, 129));
    QCOMPARE(l.names[2], QPoint(51 + 648, 129));
    QCOMPARE(l.names[3], QPoint(51, int(38 + 2 * 91.25)));
    // With eight rows the eighth row of names starts at the bottom edge of the work area.
    QCOMPARE(l.names[21].y(), 768);
}

void TestNameBoard::onlyTheCountedNamesAreDrawn()
{
    NameBoard board;
    board.setNames({u"A"_s, u"B"_s, u"C"_s}, 2);
    QCOMPARE(NameBoardPainter::layout(board, QRect(0, 0, 800, 600)).names.size(), 2);
    board.setNames({u"A"_s}, 24); // a count beyond the list is held to the list
    QCOMPARE(board.count(), 1);
    board.setNames({u"A"_s}, -3);
    QCOMPARE(board.count(), 0);
    board.setNames(QStringList(300, u"x"_s), 300);
    QCOMPARE(board.count(), NameBoard::MaxNames);
}

void TestNameBoard::defaultsAreBlueWhiteNineByThree()
{
    NameBoard board;
    QCOMPARE(board.rows(), 9);
    QCOMPARE(board.columns(), 3);
    QCOMPARE(board.background(), QColor(0, 0, 255));
    QCOMPARE(board.textColour(), QColor(255, 255, 255));
    QCOMPARE(board.count(), 0);
    QVERIFY(board.title().isEmpty());
}

void TestNameBoard::gridOfNoRowsIsTakenAsOne()
{
    NameBoard board;
    QSignalSpy changed(&board, &NameBoard::changed);
    board.setGrid(0, -2);
    QCOMPARE(board.rows(), 1);
    QCOMPARE(board.columns(), 1);
    board.setNames({u"A"_s, u"B"_s}, 2);
    const NameBoardLayout l = NameBoardPainter::layout(board, QRect(0, 0, 100, 100));
    QCOMPARE(l.names[1], QPoint(5, 5 + 2 * 95));
    QCOMPARE(changed.count(), 2);
}

void TestNameBoard::paintingPutsTextWhereTheLayoutSays()
{
    NameBoard board;
    const QColor background(0, 0, 255);
    board.setColours(background, QColor(255, 255, 0));
    board.setFont(450, u"粗体"_s);
    board.setTitle(u"签到名单"_s);
    board.setNames({u"王建国"_s, QString(), u"李秀英"_s}, 3);
    const QImage image = NameBoardPainter::render(board, QSize(1024, 768));
    const NameBoardLayout l = NameBoardPainter::layout(board, QRect(0, 0, 1024, 768));
    const QColor textColour(255, 255, 0);
    // Text starts at its point and runs right and down from it.
    QVERIFY(inkIn(image, QRect(l.title, QSize(250, 70)), background) > 300);
    QCOMPARE(inkIn(image, QRect(0, 0, l.title.x() - 2, 100), background), 0);
    QVERIFY(inkIn(image, QRect(l.names[0], QSize(180, 70)), background) > 300);
    QCOMPARE(inkIn(image, QRect(l.names[1], QSize(180, 70)), background), 0);
    QVERIFY(inkIn(image, QRect(l.names[2], QSize(180, 70)), background) > 300);
    bool sawTextColour = false;
    for (int x = l.names[0].x(); x < l.names[0].x() + 180 && !sawTextColour; ++x) {
        for (int y = l.names[0].y(); y < l.names[0].y() + 70 && !sawTextColour; ++y)
            sawTextColour = image.pixel(x, y) == textColour.rgb();
    }
    QVERIFY(sawTextColour);
}

void TestNameBoard::everyNameStaysInItsCell_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("name");

    const QString latin = u"Bruno Costa Albuquerque de Vasconcelos e Sá"_s;
    const QString medium = u"Ivo Petrov (alternate delegate)"_s;
    const QString chinese = u"欧阳建国·阿卜杜热合曼·买买提明"_s;
    for (const QSize &size : {QSize(1024, 768), QSize(1920, 1080)}) {
        const int w = size.width();
        const int h = size.height();
        QTest::addRow("long Latin at %dx%d", w, h) << size << latin;
        QTest::addRow("a little too long at %dx%d", w, h) << size << medium;
        QTest::addRow("long Chinese at %dx%d", w, h) << size << chinese;
    }
}

// A page of 24 names as the sign-in hands it over; no ink may fall in the gap after a cell (where the
// next column or the screen's edge begins) or below it, and every name leaves some ink in its own cell.
void TestNameBoard::everyNameStaysInItsCell()
{
    QFETCH(QSize, screen);
    QFETCH(QString, name);
    NameBoard board;
    const QColor background(0, 0, 255);
    board.setColours(background, QColor(255, 255, 255));
    board.setFont(450, u"粗体"_s);
    board.setGrid(9, 3);
    board.setTitle(u"Signed in"_s);
    board.setNames(QStringList(24, name), 24);
    const QImage image = NameBoardPainter::render(board, screen);
    const NameBoardLayout l = NameBoardPainter::layout(board, QRect(QPoint(0, 0), screen));
    QCOMPARE(l.cells.size(), 24);
    const int columnWidth = (screen.width() - screen.width() / 20) / 3;
    for (int i = 0; i < 24; ++i) {
        const QRect cell = l.cells[i];
        QVERIFY2(cell.width() < columnWidth, qPrintable(u"cell %1 is as wide as its column"_s.arg(i)));
        QVERIFY2(inkIn(image, cell, background) > 100, qPrintable(u"name %1 not drawn"_s.arg(i)));
        const QRect after(cell.right() + 1, cell.top(), screen.width() - cell.right() - 1, cell.height());
        const int nextColumn = (i % 3 == 2) ? screen.width() : l.cells[i + 1].left();
        QCOMPARE(inkIn(image, after.intersected(QRect(0, 0, nextColumn, screen.height())), background), 0);
    }
    // Below the last row's cells nothing is drawn either.
    QCOMPARE(inkIn(image, QRect(0, l.cells[23].bottom() + 1, screen.width(), screen.height()), background),
             0);
}

void TestNameBoard::shortNamesKeepTheBoardsFont()
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(60);
    const FittedName shortName = NameBoardPainter::fit(font, u"Chen Wei"_s, QSize(320, 80));
    QCOMPARE(shortName.font.pixelSize(), 60);
    QCOMPARE(shortName.text, u"Chen Wei"_s);
    // Too long at any allowed size: shrunk to the floor, then cut with an ellipsis.
    const FittedName longName =
        NameBoardPainter::fit(font, u"Bruno Costa Albuquerque de Vasconcelos"_s, QSize(320, 80));
    QCOMPARE(longName.font.pixelSize(), 36);
    QVERIFY(longName.text.endsWith(QChar(0x2026)));
    QVERIFY(longName.text.startsWith(u"Bruno"_s));
}

QTEST_MAIN(TestNameBoard)
#include "testnameboard.moc"
