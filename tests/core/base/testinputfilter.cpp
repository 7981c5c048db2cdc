#include "core/base/inputfilter.h"

#include <QTest>

class TestInputFilter : public QObject
{
    Q_OBJECT

private slots:
    void filters_data();
    void filters();
    void canonicalNumberDropsLeadingZeros_data();
    void canonicalNumberDropsLeadingZeros();
};

void TestInputFilter::filters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("quotes go") << "quotes"
                               << "It's \"done\""
                               << "Its done";
    QTest::newRow("typographic quotes stay") << "quotes"
                                             << "“Budget” ‘25"
                                             << "“Budget” ‘25";
    QTest::newRow("slash stays in a title") << "quotes"
                                            << "1/2"
                                            << "1/2";
    QTest::newRow("meeting name loses separators") << "meeting"
                                                   << "a/b\\c'd"
                                                   << "abcd";
    QTest::newRow("letter between digits") << "digits"
                                           << "5a0"
                                           << "50";
    QTest::newRow("signs and points") << "digits"
                                      << "-1.5e3"
                                      << "153";
    QTest::newRow("nothing numeric") << "digits"
                                     << "abc"
                                     << "";
    QTest::newRow("other scripts' digits") << "digits"
                                           << "٣3"
                                           << "3";
}

void TestInputFilter::filters()
{
    QFETCH(QString, filter);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    if (filter == "quotes")
        QCOMPARE(InputFilter::withoutQuotes(typed), kept);
    else if (filter == "meeting")
        QCOMPARE(InputFilter::meetingName(typed), kept);
    else
        QCOMPARE(InputFilter::digitsOnly(typed), kept);
}

void TestInputFilter::canonicalNumberDropsLeadingZeros_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("number");
    QTest::newRow("plain") << "250"
                           << "250";
    QTest::newRow("leading zeros") << "007"
                                   << "7";
    QTest::newRow("all zeros") << "000"
                               << "0";
    QTest::newRow("empty") << ""
                           << "0";
}

void TestInputFilter::canonicalNumberDropsLeadingZeros()
{
    QFETCH(QString, digits);
    QFETCH(QString, number);
    QCOMPARE(InputFilter::canonicalNumber(digits), number);
}

QTEST_GUILESS_MAIN(TestInputFilter)
#include "testinputfilter.moc"
