#include "core/store/textnumber.h"

#include <QString>
#include <QTest>

class TestTextNumber : public QObject
{
    Q_OBJECT

private slots:
    void readsTheLeadingNumber_data();
    void readsTheLeadingNumber();
};

void TestTextNumber::readsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("plain") << QStringLiteral("100") << 100;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("not a number") << QStringLiteral("abc") << 0;
    QTest::newRow("digits then text") << QStringLiteral("12abc") << 12;
    QTest::newRow("leading blanks") << QStringLiteral("  42") << 42;
    QTest::newRow("negative") << QStringLiteral("-7") << -7;
    QTest::newRow("plus sign") << QStringLiteral("+9") << 9;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0;
    QTest::newRow("decimal point stops") << QStringLiteral("3.9") << 3;
    QTest::newRow("too large is held") << QStringLiteral("99999999999") << 2147483647;
    QTest::newRow("too small is held") << QStringLiteral("-99999999999") << int(-2147483647 - 1);
    QTest::newRow("arabic-indic digits are not decimal text") << QStringLiteral("٣") << 0;
}

void TestTextNumber::readsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(textNumber(text), number);
}

QTEST_GUILESS_MAIN(TestTextNumber)
#include "testtextnumber.moc"
