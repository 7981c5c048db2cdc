#include "core/prepare/stampclock.h"

#include <QTest>

class TestStampClock : public QObject
{
    Q_OBJECT

private slots:
    void stampsHaveTheStoredForm();
    void stampsNeverRepeatOrGoBack();
    void passedStampsAreNotIssuedAgain();
};

void TestStampClock::stampsHaveTheStoredForm()
{
    StampClock clock([] { return QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5, 678)); });
    QCOMPARE(clock.next(), QString("20240102030405"));
    QCOMPARE(StampClock::parse("20240102030405"), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    QVERIFY(!StampClock::parse("20240102").isValid());
}

void TestStampClock::stampsNeverRepeatOrGoBack()
{
    QDateTime now(QDate(2024, 12, 31), QTime(23, 59, 59));
    StampClock clock([&now] { return now; });
    QCOMPARE(clock.next(), QString("20241231235959"));
    QCOMPARE(clock.next(), QString("20250101000000"));
    now = now.addSecs(-3600); // the clock was set back
    QCOMPARE(clock.next(), QString("20250101000001"));
    now = QDateTime(QDate(2025, 2, 1), QTime(8, 0));
    QCOMPARE(clock.next(), QString("20250201080000"));
}

void TestStampClock::passedStampsAreNotIssuedAgain()
{
    StampClock clock([] { return QDateTime(QDate(2024, 5, 17), QTime(9, 30)); });
    clock.passStamp("20240517093005");
    clock.passStamp("not a stamp");
    clock.passStamp("20240517093001");
    QCOMPARE(clock.next(), QString("20240517093006"));
}

QTEST_GUILESS_MAIN(TestStampClock)
#include "teststampclock.moc"
