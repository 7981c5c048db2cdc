#include "gui/conduct/startupprogressdialog.h"

#include <QTest>

class TestStartupProgressDialog : public QObject
{
    Q_OBJECT

private slots:
    void fiftyStepsOfTwiceTheKeypadCountThenOk();
};

void TestStartupProgressDialog::fiftyStepsOfTwiceTheKeypadCountThenOk()
{
    StartupProgressDialog dialog(100, QString());
    QCOMPARE(dialog.tickInterval(), 200);
    QCOMPARE(dialog.value(), 0);
    dialog.show();
    for (int i = 1; i < 50; ++i)
        dialog.onTick();
    QCOMPARE(dialog.value(), 98);
    QVERIFY(dialog.isVisible());
    dialog.onTick();
    QCOMPARE(dialog.value(), 100);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    StartupProgressDialog held(1000, QString());
    held.show();
    QTest::keyClick(&held, Qt::Key_Escape); // nothing cuts the wait short
    QVERIFY(held.isVisible());
}

QTEST_MAIN(TestStartupProgressDialog)
#include "teststartupprogressdialog.moc"
