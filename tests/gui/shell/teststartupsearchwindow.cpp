#include "fakelinkport.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "gui/shell/linkerrordialog.h"
#include "gui/shell/startupsearchwindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Choice = StartupSearchController::ErrorChoice;

namespace {
// No base station on ports 1..2; the link runs on its real timers.
struct Fixture
{
    RecordingNotifier notifier;
    FakeLinkPort *port = new FakeLinkPort;
    Link link{std::unique_ptr<LinkPort>(port), notifier};
    StartupSearchController controller{link};
    StartupSearchWindow window{controller, TextCatalogue(), QString()};
    QList<Choice> answers;
    int prompts = 0;

    // With `realErrorWindow` the search window runs its own link error window.
    explicit Fixture(bool realErrorWindow = false)
    {
        link.applySettings({10, 1, 1, 2});
        if (!realErrorWindow) {
            window.setErrorPrompt([this] {
                ++prompts;
                return answers.isEmpty() ? Choice::Dismissed : answers.takeFirst();
            });
        }
        window.show();
        controller.open();
        link.start();
    }
};
} // namespace

class TestStartupSearchWindow : public QObject
{
    Q_OBJECT

private slots:
    void errorWindowOncePerSearchAndSearchAgainRestarts();
    void goingOnWithoutHidesTheWindowAndShowsTheMainWindow();
    void errorWindowClosedWithoutItsButtonsOffersSearchAgain_data();
    void errorWindowClosedWithoutItsButtonsOffersSearchAgain();
    void escapeDoesNotCloseTheWindow();
    void errorWindowNamesThePortsAnotherProgramHeld();
};

void TestStartupSearchWindow::errorWindowOncePerSearchAndSearchAgainRestarts()
{
    Fixture f;
    f.answers = {Choice::SearchAgainLater, Choice::SearchAgainLater};
    QVERIFY(!f.window.searchAgainButton()->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(f.prompts, 1, 5000);
    QTest::qWait(500);
    QCOMPARE(f.prompts, 1);
    QVERIFY(f.window.searchAgainButton()->isEnabled());
    QCOMPARE(f.port->opened, (QList<int>{1, 2}));

    f.window.searchAgainButton()->click();
    QVERIFY(!f.window.searchAgainButton()->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(f.prompts, 2, 5000);
    QCOMPARE(f.port->opened, (QList<int>{1, 2, 1, 2}));
}

void TestStartupSearchWindow::goingOnWithoutHidesTheWindowAndShowsTheMainWindow()
{
    Fixture f;
    f.answers = {Choice::GoOnWithout};
    QSignalSpy shown(&f.link.sequencer(), &CommandSequencer::showMainWindowRequested);
    QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);
    QVERIFY(!f.window.isVisible());
    QCOMPARE(f.prompts, 1);
}

void TestStartupSearchWindow::errorWindowClosedWithoutItsButtonsOffersSearchAgain_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("close box") << false;
}

void TestStartupSearchWindow::errorWindowClosedWithoutItsButtonsOffersSearchAgain()
{
    QFETCH(bool, escape);
    Fixture f(true);
    int dismissed = 0;
    QTimer operatorHand;
    operatorHand.setInterval(20);
    connect(&operatorHand, &QTimer::timeout, [&] {
        auto *error = qobject_cast<LinkErrorDialog *>(QApplication::activeModalWidget());
        if (!error)
            return;
        ++dismissed;
        if (escape)
            QTest::keyClick(error, Qt::Key_Escape);
        else
            error->close();
    });
    operatorHand.start();
    QTRY_VERIFY_WITH_TIMEOUT(f.window.searchAgainButton()->isEnabled(), 5000);
    QCOMPARE(dismissed, 1);
    QVERIFY(f.window.isVisible());
}

void TestStartupSearchWindow::escapeDoesNotCloseTheWindow()
{
    Fixture f;
    QTest::keyClick(&f.window, Qt::Key_Escape);
    QTest::keyClick(&f.window, Qt::Key_Return);
    QVERIFY(f.window.isVisible());
    f.window.close();
    QVERIFY(f.window.isVisible());
}

void TestStartupSearchWindow::errorWindowNamesThePortsAnotherProgramHeld()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("menu.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[FrmError]\nIDC_STATIC_ERRCLEW1=No base station answered.\n"
               "IDC_STATIC_ERRCLEW2=Switch it on.\nMsgPortInUse=%1: in use by another program.\n");
    file.close();
    const TextCatalogue catalogue(file.fileName());
    const auto line = [](const LinkErrorDialog &dialog, const char *key) {
        return dialog.findChild<QLabel *>(QString::fromLatin1(key));
    };

    const LinkErrorDialog silent(catalogue, {});
    QCOMPARE(line(silent, "IDC_STATIC_ERRCLEW1")->text(), "No base station answered.");
    QVERIFY(!line(silent, "IDC_STATIC_ERRCLEW2")->isHidden());

    // Switching the base station on would not help: the held ports are named instead.
    const LinkErrorDialog held(catalogue, {"COM2 (/dev/ttyUSB1)", "COM4 (/dev/ttyUSB3)"});
    QCOMPARE(line(held, "IDC_STATIC_ERRCLEW1")->text(),
             "COM2 (/dev/ttyUSB1), COM4 (/dev/ttyUSB3): in use by another program.");
    QVERIFY(line(held, "IDC_STATIC_ERRCLEW2")->isHidden());
}

QTEST_MAIN(TestStartupSearchWindow)
#include "teststartupsearchwindow.moc"
