#include "recordingnotifier.h"
#include "simprocess.h"

#include "core/conduct/keypadmonitorcontroller.h"
#include "core/link/link.h"
#include "core/link/seriallinkport.h"
#include "gui/conduct/keypadmonitorwindow.h"

#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

class TestKeypadMonitorWindow : public QObject
{
    Q_OBJECT

private slots:
    void checkAgainstTheSimulatorShowsWhoAnswered();
};

void TestKeypadMonitorWindow::checkAgainstTheSimulatorShowsWhoAnswered()
{
    QTemporaryDir root;
    SimProcess sim;
    QVERIFY2(sim.start({"--data-dir", root.path(), "--port", "1", "--keypads", "100", "--offline",
                        "7,31-33,50,71-75"}),
             qPrintable(sim.errorText()));
    RecordingNotifier notifier;
    Link link(std::make_unique<SerialLinkPort>(PortResolver(root.path(), false)), notifier);
    link.applySettings({100, 1, 1, 1});
    link.start();
    QTRY_VERIFY_WITH_TIMEOUT(link.sequencer().isRaised(LinkEvent::LinkReady), 15000);

    KeypadMonitorController controller(link);
    QFile language(root.filePath("menu.ini"));
    QVERIFY(language.open(QIODevice::WriteOnly));
    language.write("[FrmLink]\nMsgClew4=answered\n");
    language.close();
    KeypadMonitorWindow window(controller, TextCatalogue(language.fileName()), root.path());
    window.show();
    QCOMPARE(window.list()->rowCount(), 30);
    QCOMPARE(window.list()->item(0, 3)->text(), "31"); // keypad 31 opens the second column pair

    window.checkButton()->click();
    QVERIFY(!window.checkButton()->isEnabled());
    QCOMPARE(link.tickPeriod(), KeypadMonitorController::CheckTickMs);
    // 100 keypads at one per 200 ms tick, then a second's rest.
    QTRY_VERIFY_WITH_TIMEOUT(window.checkButton()->isEnabled(), 60000);
    QCOMPARE(window.countText(0), "100");
    QCOMPARE(window.countText(1), "90");
    QCOMPARE(window.countText(2), "10");
    QCOMPARE(window.list()->item(0, 4)->text(), "-----");    // keypad 31 is off line
    QCOMPARE(window.list()->item(3, 4)->text(), "answered"); // keypad 34
    QCOMPARE(window.list()->item(6, 2)->text(), "-----");    // keypad 7 is off line
    QCOMPARE(window.list()->item(9, 8)->text(), "answered"); // keypad 100

    window.close();
    QCOMPARE(link.tickPeriod(), KeypadMonitorController::NormalTickMs);
    QCOMPARE(notifier.count(), 0);
}

QTEST_MAIN(TestKeypadMonitorWindow)
#include "testkeypadmonitorwindow.moc"
