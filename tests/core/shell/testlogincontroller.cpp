#include "recordingnotifier.h"

#include "core/base/dataroot.h"
#include "core/shell/logincontroller.h"
#include "core/shell/windowplacement.h"
#include "core/store/systemdatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestLoginController : public QObject
{
    Q_OBJECT

private slots:
    void passwordIsComparedExactly_data();
    void passwordIsComparedExactly();
    void changedPasswordCountsAtOnce();
    void unreadableSettingsOpenNothing();
    void hubWindowIsCentredAboveTheMiddle_data();
    void hubWindowIsCentredAboveTheMiddle();
};

void TestLoginController::passwordIsComparedExactly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("factory password") << SystemDatabase::factoryPassword() << true;
    QTest::newRow("trailing space") << SystemDatabase::factoryPassword() + " " << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("prefix") << SystemDatabase::factoryPassword().left(3) << false;
}

void TestLoginController::passwordIsComparedExactly()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    RecordingNotifier notifier;
    SystemDatabase database(DataRoot(dir.path()), notifier);
    QVERIFY(database.ensureExists());
    QCOMPARE(LoginController(database).accept(typed), accepted);
    QCOMPARE(notifier.count(), 0);
}

void TestLoginController::changedPasswordCountsAtOnce()
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    SystemDatabase database(DataRoot(dir.path()), notifier);
    QVERIFY(database.ensureExists());
    LoginController login(database);
    QVERIFY(database.setUserPass("Chair'Man"));
    QVERIFY(!login.accept(SystemDatabase::factoryPassword()));
    QVERIFY(!login.accept("chair'man"));
    QVERIFY(login.accept("Chair'Man"));
}

void TestLoginController::unreadableSettingsOpenNothing()
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    SystemDatabase database(DataRoot(dir.path()), notifier); // never created: the read fails
    QVERIFY(!LoginController(database).accept(""));
    QCOMPARE(notifier.count(), 1);
}

void TestLoginController::hubWindowIsCentredAboveTheMiddle_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("tooNarrow");
    QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QPoint(128, 125) << false;
    QTest::newRow("1024 x 768") << QSize(1024, 768) << QPoint(0, -3) << false;
    QTest::newRow("800 x 600 still placed") << QSize(800, 600) << QPoint(-112, -86) << true;
}

void TestLoginController::hubWindowIsCentredAboveTheMiddle()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, position);
    QFETCH(bool, tooNarrow);
    const WindowPlacement::Placement placement = WindowPlacement::centred(screen);
    QCOMPARE(placement.position, position);
    QCOMPARE(placement.tooNarrow, tooNarrow);
}

QTEST_GUILESS_MAIN(TestLoginController)
#include "testlogincontroller.moc"
