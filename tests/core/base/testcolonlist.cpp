#include "core/base/colonlist.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestColonList final : public QObject
{
    Q_OBJECT

private slots:
    void splitTakesFieldsUpToTheLimit_data();
    void splitTakesFieldsUpToTheLimit();
    void fieldsPadsMissingFieldsWithEmpty();
    void splitIntoKeepsEarlierValuesOfMissingFields();
    void joinWritesWhatSplitReads();
    void colonInsideAFieldDoesNotSplitIt();
};

void TestColonList::splitTakesFieldsUpToTheLimit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three candidates") << u"A:B:C:"_s << 5 << QStringList{u"A"_s, u"B"_s, u"C"_s};
    QTest::newRow("text after the last colon dropped") << u"A:B"_s << 5 << QStringList{u"A"_s};
    QTest::newRow("no colon at all") << u"Alice"_s << 5 << QStringList{};
    QTest::newRow("empty text") << QString() << 5 << QStringList{};
    QTest::newRow("fields beyond the limit discarded")
        << u"1:2:3:4:5:6:7:"_s << 5 << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
    QTest::newRow("empty field between colons") << u"A::C:"_s << 5 << QStringList{u"A"_s, QString(), u"C"_s};
    QTest::newRow("leading colon gives an empty first field")
        << u":B:"_s << 5 << QStringList{QString(), u"B"_s};
    QTest::newRow("limit zero") << u"A:B:"_s << 0 << QStringList{};
    QTest::newRow("full ballot result")
        << u"1:50:48:30:10:8:5:60.00%:20.00%:16.00%:Motion passed:"_s << 11
        << QStringList{u"1"_s, u"50"_s,     u"48"_s,     u"30"_s,     u"10"_s,           u"8"_s,
                       u"5"_s, u"60.00%"_s, u"20.00%"_s, u"16.00%"_s, u"Motion passed"_s};
    QTest::newRow("blanks belong to the field") << u" A : B :"_s << 5 << QStringList{u" A "_s, u" B "_s};
}

void TestColonList::splitTakesFieldsUpToTheLimit()
{
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QStringList, expected);
    QCOMPARE(ColonList::split(text, limit), expected);
}

void TestColonList::fieldsPadsMissingFieldsWithEmpty()
{
    // A candidate list of three in a five-candidate election leaves names 4 and 5 empty.
    QCOMPARE(ColonList::fields(u"A:B:C:", 5), (QStringList{u"A"_s, u"B"_s, u"C"_s, QString(), QString()}));
    QCOMPARE(ColonList::fields(u"A:B", 5), (QStringList{u"A"_s, QString(), QString(), QString(), QString()}));
    QCOMPARE(ColonList::fields(u"A:B:C:D:E:F:", 2), (QStringList{u"A"_s, u"B"_s}));
}

void TestColonList::splitIntoKeepsEarlierValuesOfMissingFields()
{
    QStringList fields{u"old0"_s, u"old1"_s, u"old2"_s, u"old3"_s};
    QCOMPARE(ColonList::splitInto(u"new0::tail", fields), 2);
    QCOMPARE(fields, (QStringList{u"new0"_s, QString(), u"old2"_s, u"old3"_s}));

    QCOMPARE(ColonList::splitInto(u"a:b:c:d:e:f:", fields), 4);
    QCOMPARE(fields, (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
}

void TestColonList::joinWritesWhatSplitReads()
{
    const QStringList fields{u"1"_s, QString(), u"60.00%"_s, u"已通过"_s};
    const QString text = ColonList::join(fields);
    QCOMPARE(text, u"1::60.00%:已通过:"_s);
    QCOMPARE(ColonList::split(text, 10), fields);
    QCOMPARE(ColonList::join({}), QString());
}

void TestColonList::colonInsideAFieldDoesNotSplitIt()
{
    const QString text = ColonList::join({u"Motion 3: budget"_s, u"x"_s});
    const QStringList back = ColonList::split(text, 10);
    QCOMPARE(back.size(), 2);
    QCOMPARE(back.at(0), u"Motion 3\uFF1A budget"_s);
    QCOMPARE(back.at(1), u"x"_s);
}

QTEST_GUILESS_MAIN(TestColonList)
#include "testcolonlist.moc"
