#include "gui/shell/singleinstance.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void secondStartBringsTheFirstToTheFront();
    void staleLockOfACrashedConsoleIsTakenOver();
    void lockIsReleasedWhenTheConsoleEnds();
    void secondStartRaisesTheWindowTheOperatorWorksIn();

private:
    static QString freshKey() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }
};

void TestSingleInstance::secondStartBringsTheFirstToTheFront()
{
    const QString key = freshKey();
    SingleInstance first(key);
    QCOMPARE(first.acquire(), SingleInstance::Result::First);
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    SingleInstance second(key);
    QCOMPARE(second.acquire(), SingleInstance::Result::Activated);
    QTRY_COMPARE(raised.count(), 1);
}

void TestSingleInstance::staleLockOfACrashedConsoleIsTakenOver()
{
    const QString key = freshKey();
    // The lock of a console that was killed: its process number names no running process.
    QFile lock(QDir::temp().filePath("quorix-" + key + ".lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write("2147483646\nquorix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    SingleInstance next(key);
    QCOMPARE(next.acquire(), SingleInstance::Result::First);
}

void TestSingleInstance::lockIsReleasedWhenTheConsoleEnds()
{
    const QString key = freshKey();
    {
        SingleInstance first(key);
        QCOMPARE(first.acquire(), SingleInstance::Result::First);
    }
    SingleInstance again(key);
    QCOMPARE(again.acquire(), SingleInstance::Result::First);
}

void TestSingleInstance::secondStartRaisesTheWindowTheOperatorWorksIn()
{
    QWidget main;
    QWidget monitor;
    QDialog hub;
    hub.setModal(true);
    const auto front = [&] { return SingleInstance::windowToRaise({&monitor, &main}); };
    QCOMPARE(front(), nullptr); // between two hub windows nothing is shown
    main.show();
    QCOMPARE(front(), &main);
    monitor.show();
    QCOMPARE(front(), &monitor);

    // A hub window runs modally while the main window is hidden; the operator minimised it.
    monitor.hide();
    main.hide();
    hub.showMinimized();
    QCOMPARE(front(), &hub);
    const QString key = freshKey();
    SingleInstance first(key);
    QCOMPARE(first.acquire(), SingleInstance::Result::First);
    connect(&first, &SingleInstance::activationRequested, [&] { SingleInstance::bringToFront(front()); });
    SingleInstance second(key);
    QCOMPARE(second.acquire(), SingleInstance::Result::Activated);
    QTRY_VERIFY(!hub.isMinimized());
    QVERIFY(hub.isVisible());
    QVERIFY(!main.isVisible());
}

QTEST_MAIN(TestSingleInstance)
#include "testsingleinstance.moc"
