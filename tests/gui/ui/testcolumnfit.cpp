#include "gui/ui/columnfit.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

#include "core/base/textcatalogue.h"
#include "gui/ui/listtable.h"

using namespace Qt::StringLiterals;

namespace {

const QString menuDir = QStringLiteral(QUORIX_SOURCE_DIR) + u"/data/System/Menu/"_s;

// Whether a text shows whole in a column: its advance and the least a cell's frame takes.
bool showsWhole(const QFontMetrics &metrics, const QString &text, int width)
{
    return metrics.horizontalAdvance(text) + 6 <= width;
}

} // namespace

class TestColumnFit final : public QObject
{
    Q_OBJECT

private slots:
    void rosterHeadingsAndCellsShowWhole_data();
    void rosterHeadingsAndCellsShowWhole();
    void aListThatMayNotScrollKeepsItsHeadings();
};

void TestColumnFit::rosterHeadingsAndCellsShowWhole_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("Chinese") << u"menu.ini"_s
                             << QStringList{u"12"_s, u"欧阳建国·阿卜杜热合曼"_s, u"女"_s,
                                            u"中华人民共和国"_s};
    QTest::newRow("English") << u"menu_e.ini"_s
                             << QStringList{u"12"_s, u"Bruno Costa Albuquerque"_s, u"Female"_s,
                                            u"Netherlands"_s};
    QTest::newRow("Portuguese") << u"menu_p.ini"_s
                                << QStringList{u"12"_s, u"Maria da Conceição Vasconcelos"_s, u"Feminino"_s,
                                               u"Moçambicana"_s};
}

// The roster's list as the preparation lays it out, with its headings in each language and cells longer
// than the layout's widths.
void TestColumnFit::rosterHeadingsAndCellsShowWhole()
{
    QFETCH(QString, file);
    QFETCH(QStringList, cells);
    const TextCatalogue catalogue(menuDir + file);
    QStringList headings;
    for (int i = 1; i <= 10; ++i)
        headings.append(catalogue.text(u"FrmManinfo"_s, u"LstText%1"_s.arg(i)));
    QVERIFY(!headings.contains(QString()));
    const QList<int> layout{50, 110, 50, 50, 80, 80, 120, 120, 80, 60};

    ListTable list;
    list.resize(800, 300);
    list.setColumns(headings, layout);
    QStringList row = cells;
    while (row.size() < 10)
        row.append(catalogue.text(u"Public"_s, u"VoteType1"_s)); // long texts in the later columns too
    list.setRows({row, {u"3"_s, u"A"_s}});

    const QFontMetrics headingMetrics = list.horizontalHeader()->fontMetrics();
    const QFontMetrics cellMetrics = list.fontMetrics();
    for (int c = 0; c < 10; ++c) {
        const int width = list.columnWidth(c);
        QVERIFY2(width >= layout[c], qPrintable(u"column %1 below its layout width"_s.arg(c)));
        QVERIFY2(showsWhole(headingMetrics, headings[c], width),
                 qPrintable(u"heading \"%1\" cut at %2 pixels"_s.arg(headings[c]).arg(width)));
        QVERIFY2(showsWhole(cellMetrics, row[c], width),
                 qPrintable(u"cell \"%1\" cut at %2 pixels"_s.arg(row[c]).arg(width)));
    }
}

void TestColumnFit::aListThatMayNotScrollKeepsItsHeadings()
{
    QTableWidget table(1, 3);
    table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.resize(400, 200);
    table.setHorizontalHeaderLabels({u"No."_s, u"Motion"_s, u"Voting state"_s});
    table.setItem(0, 0, new QTableWidgetItem(u"1"_s));
    const QString title = u"Approval of the minutes of the general meeting of the members, 2024, "
                          "with the amendments tabled by the finance committee"_s;
    table.setItem(0, 1, new QTableWidgetItem(title));
    table.setItem(0, 2, new QTableWidgetItem(u"Voted"_s));
    ColumnFit::fit(table, {30, 200, 60});

    int total = 0;
    for (int c = 0; c < 3; ++c)
        total += table.columnWidth(c);
    QVERIFY(total <= table.viewport()->width());
    const QFontMetrics headingMetrics = table.horizontalHeader()->fontMetrics();
    QVERIFY(showsWhole(headingMetrics, u"Voting state"_s, table.columnWidth(2)));
    QVERIFY(table.columnWidth(1) >= 200);
    QVERIFY(!showsWhole(table.fontMetrics(), title, table.columnWidth(1))); // the one that gave way
}

QTEST_MAIN(TestColumnFit)
#include "testcolumnfit.moc"
