// The seat table, its file and the seat view's model: the grid's geometry, what a damaged seat.ini
// still gives, and carrying seats about.

#include "core/seating/seatplanfile.h"
#include "core/seating/seatplanmodel.h"
#include "core/seating/seattable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSeatPlan : public QObject
{
    Q_OBJECT

private slots:
    void gridPlacesSeatsRowByRow_data();
    void gridPlacesSeatsRowByRow();
    void gridIsBoundedToTheTable();
    void saveThenLoadGivesTheSamePlan();
    void damagedFilesStillLoad_data();
    void damagedFilesStillLoad();
    void saveReplacesTheWholeFile();
    void carriedSeatFollowsAndDrops();

private:
    QString writeFile(const QByteArray &text);
    QTemporaryDir m_dir;
};

QString TestSeatPlan::writeFile(const QByteArray &text)
{
    const QString path = m_dir.filePath("seat.ini");
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text);
    return path;
}

void TestSeatPlan::gridPlacesSeatsRowByRow_data()
{
    QTest::addColumn<int>("seats");
    QTest::addColumn<int>("perRow");
    QTest::addColumn<int>("gapX");
    QTest::addColumn<int>("gapY");
    QTest::addColumn<int>("seat"); // 1-based
    QTest::addColumn<QRect>("button");
    QTest::addColumn<QRect>("label");
    // Rows of 12, 12 and 1: seat 13 opens the second row.
    QTest::newRow("25 in rows of 12, seat 13")
        << 25 << 12 << 10 << 30 << 13 << QRect(QPoint(0, 72), QPoint(41, 113))
        << QRect(QPoint(0, 114), QPoint(41, 128));
    QTest::newRow("25 in rows of 12, seat 25")
        << 25 << 12 << 10 << 30 << 25 << QRect(0, 144, 42, 42) << QRect(0, 186, 42, 15);
    // Fewer seats than a row holds: all in row 0.
    QTest::newRow("10 in rows of 12, seat 10")
        << 10 << 12 << 10 << 30 << 10 << QRect(468, 0, 42, 42) << QRect(468, 42, 42, 15);
    QTest::newRow("no gaps") << 8 << 4 << 0 << 0 << 6 << QRect(42, 42, 42, 42) << QRect(42, 84, 42, 15);
    // A row of no seats is one seat a row, instead of a division by zero.
    QTest::newRow("0 per row") << 3 << 0 << 10 << 30 << 3 << QRect(0, 144, 42, 42) << QRect(0, 186, 42, 15);
}

void TestSeatPlan::gridPlacesSeatsRowByRow()
{
    QFETCH(int, seats);
    QFETCH(int, perRow);
    QFETCH(int, gapX);
    QFETCH(int, gapY);
    QFETCH(int, seat);
    QFETCH(QRect, button);
    QFETCH(QRect, label);
    const SeatTable table = SeatTable::grid({seats, perRow, gapX, gapY});
    QCOMPARE(table.count(), seats);
    QCOMPARE(table.at(seat - 1).caption, QString::number(seat));
    QCOMPARE(table.at(seat - 1).button, button);
    QCOMPARE(table.at(seat - 1).label, label);
}

void TestSeatPlan::gridIsBoundedToTheTable()
{
    QCOMPARE(SeatTable::grid({300, 12, 10, 30}).count(), SeatTable::MaxSeats);
    QCOMPARE(SeatTable::grid({0, 12, 10, 30}).count(), 0);
    QCOMPARE(SeatTable::grid({-4, 12, 10, 30}).count(), 0);
    SeatTable full = SeatTable::grid({255, 12, 10, 30});
    QVERIFY(!full.append("256", QPoint()));
    QCOMPARE(full.count(), 255);
    // 250 seats in rows of 12 reach about 1,500 pixels down.
    QCOMPARE(SeatTable::grid({250, 12, 10, 30}).bounds().bottom() + 1, 20 * 72 + 57);
}

void TestSeatPlan::saveThenLoadGivesTheSamePlan()
{
    const QString path = m_dir.filePath("roundtrip.ini");
    SeatTable table = SeatTable::grid({40, 7, 5, 20});
    table.moveSeat(3, QPoint(500, 333));
    SeatTable named;
    named.append(QStringLiteral("  Chair, 主席 "), QPoint(10, 20));
    named.append(QString(), QPoint(60, 20));
    for (const SeatTable &plan : {table, named, SeatTable()}) {
        QVERIFY(SeatPlanFile(path).save(plan));
        QCOMPARE(SeatPlanFile(path).load(), plan);
    }
    // The rectangles are written one past their last pixel, as the file always had them.
    QVERIFY(SeatPlanFile(path).save(table));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("[Control4]\ncaption=4\nleft=500\ntop=333\nright=542\nbottom=375\n"
                          "left1=500\ntop1=375\nright1=542\nbottom1=390\n"));
    QVERIFY(text.startsWith("[appInfo]\ncount=40\n"));
}

void TestSeatPlan::damagedFilesStillLoad_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("seat");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("button");
    QTest::addColumn<QRect>("label");
    // The label stands under the button, whatever the file says of it.
    QTest::newRow("label from the button") << QByteArray("[appInfo]\ncount=1\n[Control1]\ncaption=7\nleft=0\n"
                                                         "top=100\nright=42\nbottom=142\ntop1=0\nbottom1=3\n")
                                           << 1 << 1 << "7" << QRect(0, 100, 42, 42) << QRect(0, 142, 42, 15);
    QTest::newRow("missing section") << QByteArray(
                                            "[appInfo]\ncount=2\n[Control1]\ncaption=1\nleft=50\ntop=50\n")
                                     << 2 << 2 << "" << QRect(0, 0, 42, 42) << QRect(0, 42, 42, 15);
    QTest::newRow("non-numeric values") << QByteArray("[appInfo]\ncount=1\n[Control1]\ncaption=A\nleft=abc\n"
                                                      "top=12px\nright=x\nbottom=\n")
                                        << 1 << 1 << "A" << QRect(0, 12, 42, 42) << QRect(0, 54, 42, 15);
    QTest::newRow("negative place") << QByteArray("[appInfo]\ncount=1\n[Control1]\nleft=-80\ntop=-5\n") << 1
                                    << 1 << "" << QRect(0, 0, 42, 42) << QRect(0, 42, 42, 15);
    QTest::newRow("count beyond the table")
        << QByteArray("[appInfo]\ncount=100000\n[Control255]\ncaption=last\n"
                      "left=9\ntop=9\n[Control256]\ncaption=over\n")
        << 255 << 255 << "last" << QRect(9, 9, 42, 42) << QRect(9, 51, 42, 15);
    QTest::newRow("negative count") << QByteArray("[appInfo]\ncount=-3\n") << 0 << 0 << "" << QRect()
                                    << QRect();
    QTest::newRow("non-numeric count")
        << QByteArray("[appInfo]\ncount=many\n") << 0 << 0 << "" << QRect() << QRect();
    QTest::newRow("no appInfo") << QByteArray("[Control1]\ncaption=1\n") << 0 << 0 << "" << QRect()
                                << QRect();
}

void TestSeatPlan::damagedFilesStillLoad()
{
    QFETCH(QByteArray, file);
    QFETCH(int, count);
    QFETCH(int, seat);
    QFETCH(QString, caption);
    QFETCH(QRect, button);
    QFETCH(QRect, label);
    const SeatTable table = SeatPlanFile(writeFile(file)).load();
    QCOMPARE(table.count(), count);
    if (seat == 0)
        return;
    QCOMPARE(table.at(seat - 1).caption, caption);
    QCOMPARE(table.at(seat - 1).button, button);
    QCOMPARE(table.at(seat - 1).label, label);
}

void TestSeatPlan::saveReplacesTheWholeFile()
{
    // A plan of 30 seats saved over one of 60 leaves no seat of the old plan behind.
    const QString path = writeFile("; hand notes\n[appInfo]\ncount=60\n[Control60]\ncaption=60\n");
    QVERIFY(SeatPlanFile(path).save(SeatTable::grid({30, 12, 10, 30})));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(!text.contains("Control60"));
    QVERIFY(!text.contains("Control31"));
    QCOMPARE(SeatPlanFile(path).load().count(), 30);
    // Nothing is left behind of the temporary file it was written through.
    QCOMPARE(QDir(m_dir.path()).entryList({"seat.ini*", ".seat.ini*"}, QDir::Files | QDir::Hidden),
             QStringList{"seat.ini"});
}

void TestSeatPlan::carriedSeatFollowsAndDrops()
{
    SeatPlanModel model(m_dir.filePath("model.ini"));
    model.generate({3, 12, 10, 30});
    QList<int> clicked;
    connect(&model, &SeatPlanModel::seatClicked, this, [&](int i) { clicked << i; });

    // With moving off a click only names the seat.
    model.click(1);
    QCOMPARE(clicked, QList<int>{1});
    QCOMPARE(model.carried(), -1);
    model.carryTo(QPoint(300, 300));
    QCOMPARE(model.table().at(1).button.topLeft(), QPoint(52, 0));

    model.setMoving(true);
    model.click(1);
    QCOMPARE(model.carried(), 1);
    model.carryTo(QPoint(300, 1400));
    QCOMPARE(model.table().at(1).button, QRect(300, 1400, 42, 42));
    QCOMPARE(model.table().at(1).label, QRect(300, 1442, 42, 15));
    model.click(1); // a second click puts it down
    QCOMPARE(model.carried(), -1);
    model.carryTo(QPoint(0, 0));
    QCOMPARE(model.table().at(1).button.topLeft(), QPoint(300, 1400));

    // The right button drops too; so does moving off.
    model.click(2);
    model.drop();
    QCOMPARE(model.carried(), -1);
    model.click(0);
    model.setMoving(false);
    QCOMPARE(model.carried(), -1);
    QCOMPARE(clicked, QList<int>{1});

    QVERIFY(model.save());
    SeatPlanModel reloaded(m_dir.filePath("model.ini"));
    reloaded.load();
    QCOMPARE(reloaded.table(), model.table());
}

QTEST_GUILESS_MAIN(TestSeatPlan)
#include "testseatplan.moc"
