#include "core/prepare/candidatelistcontroller.h"

#include <QTest>

class TestCandidateListController : public QObject
{
    Q_OBJECT

private slots:
    void storedListFillsTheFieldsInKeyOrder_data();
    void storedListFillsTheFieldsInKeyOrder();
    void electionsNameTheirKeysOnly_data();
    void electionsNameTheirKeysOnly();
    void votedMotionKeepsItsCandidates();
    void colonInANameStaysOneName();
};

void TestCandidateListController::storedListFillsTheFieldsInKeyOrder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("three") << "Ana:Bo:Chen:" << QStringList{"Ana", "Bo", "Chen", "", ""};
    QTest::newRow("text after the last colon is no name") << "Ana:Bo" << QStringList{"Ana", "", "", "", ""};
    QTest::newRow("more than five") << "1:2:3:4:5:6:" << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("empty") << "" << QStringList{"", "", "", "", ""};
}

void TestCandidateListController::storedListFillsTheFieldsInKeyOrder()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, names);
    QCOMPARE(CandidateListController(stored, 3, false).names(), names);
}

void TestCandidateListController::electionsNameTheirKeysOnly_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("editable");
    QTest::addColumn<QString>("result");

    QTest::newRow("one of three") << 1 << 3 << "A:B:C:";
    QTest::newRow("several of three") << 2 << 3 << "A:B:C:";
    QTest::newRow("one of five") << 3 << 5 << "A:B:C:D:E:";
    QTest::newRow("several of five") << 4 << 5 << "A:B:C:D:E:";
    QTest::newRow("yes/no ballot keeps the list") << 0 << 0 << "x:y:";
    QTest::newRow("scoring keeps the list") << 5 << 0 << "x:y:";
    QTest::newRow("unknown type keeps the list") << 9 << 0 << "x:y:";
}

void TestCandidateListController::electionsNameTheirKeysOnly()
{
    QFETCH(int, type);
    QFETCH(int, editable);
    QFETCH(QString, result);

    CandidateListController list("x:y:", type, false);
    const QStringList typed{"A", "B", "C", "D", "E"};
    for (int i = 0; i < CandidateListController::FieldCount; ++i) {
        QCOMPARE(list.editable(i), i < editable);
        list.setName(i, typed[i]);
    }
    QCOMPARE(list.result(), result);
}

void TestCandidateListController::votedMotionKeepsItsCandidates()
{
    CandidateListController list("Ana:Bo:Chen:", 1, true);
    for (int i = 0; i < CandidateListController::FieldCount; ++i)
        QVERIFY(!list.editable(i));
    list.setName(0, "Someone else");
    QCOMPARE(list.result(), QString("Ana:Bo:Chen:"));
}

void TestCandidateListController::colonInANameStaysOneName()
{
    CandidateListController list({}, 1, false);
    list.setName(0, "Dr: Ana");
    list.setName(1, "Bo");
    const QString result = list.result();
    QCOMPARE(result.count(u':'), 3);
    QCOMPARE(CandidateListController(result, 1, false).names().at(1), QString("Bo"));
}

QTEST_GUILESS_MAIN(TestCandidateListController)
#include "testcandidatelistcontroller.moc"
