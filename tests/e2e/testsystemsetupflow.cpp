// The whole console on a virtual screen with the simulated base station: an installer logs in, opens
// System settings from the main window, changes the keypad count and the hall screen's colour, lays a
// seat plan out, leaves, and sees the link poll only the new count and the hall take the new colour;
// a second start finds everything as it was left. Message boxes are answered as the operator would.

#include "simprocess.h"

#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/seating/seatplanfile.h"
#include "gui/output/bigscreenwindow.h"
#include "gui/shell/basicsettingspage.h"
#include "gui/shell/consoleapplication.h"
#include "gui/shell/loginwindow.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/seateditorbar.h"
#include "gui/shell/systemsetupwindow.h"
#include "gui/ui/colourpicker.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/picturebutton.h"
#include "gui/ui/seatmapview.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
constexpr int Timeout = 40000;

// Answers whatever modal window comes up: the password for the login, Yes or OK for a message box.
class Operator final : public QObject
{
public:
    Operator()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { act(); });
        m_timer.start(50);
    }
    QStringList messages;

private:
    void act()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *login = qobject_cast<LoginWindow *>(modal)) {
            login->passwordField()->setText(QStringLiteral("123456"));
            login->findChild<QPushButton *>(QStringLiteral("BtnOK"))->click();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            QAbstractButton *yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        }
    }
    QTimer m_timer;
};

ConsoleOptions options(const QString &dir)
{
    ConsoleOptions o;
    o.dataDir = dir;
    o.shippedFolders = {QStringLiteral(QUORIX_SHIPPED_DATA), QStringLiteral(QUORIX_BUILT_DATA)};
    o.instanceKey = QStringLiteral("e2e-setup-%1").arg(QCoreApplication::applicationPid());
    o.platformPorts = false;
    return o;
}

// The highest keypad polled in the simulator's log after `from` bytes of it.
int highestPolled(const QString &log, qint64 from)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from))
        return -1;
    static const QRegularExpression poll(QStringLiteral(" rx FA 00 ([0-9A-F]{2}) "));
    int highest = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QRegularExpressionMatch m = poll.match(QString::fromLatin1(line));
        if (m.hasMatch())
            highest = std::max(highest, m.captured(1).toInt(nullptr, 16));
    }
    return highest;
}

// Runs `work` on the system setup window once the main window's settings button has opened it.
void inSystemSetup(ConsoleApplication &console, const std::function<void(SystemSetupWindow &)> &work)
{
    QTimer::singleShot(200, [&console, work] {
        auto *window = qobject_cast<SystemSetupWindow *>(QApplication::activeModalWidget());
        QVERIFY(window);
        work(*window);
        window->button(SystemSetupWindow::Control::Exit)->click();
    });
    console.mainWindow()->button(MainWindow::Command::SystemSettings)->click();
}
} // namespace

class TestSystemSetupFlow : public QObject
{
    Q_OBJECT

private slots:
    void settingsTakeEffectAndSurviveARestart();
};

void TestSystemSetupFlow::settingsTakeEffectAndSurviveARestart()
{
    QTemporaryDir dir;
    const QString log = dir.filePath("sim.log");
    SimProcess sim;
    QVERIFY2(sim.start({"--data-dir", dir.path(), "--port", "1", "--keypads", "60", "--log", log}),
             qPrintable(sim.errorText()));
    Operator person;
    {
        ConsoleApplication console(options(dir.path()));
        QVERIFY(!console.start());
        QTRY_VERIFY_WITH_TIMEOUT(console.mainWindow()->isVisible(), Timeout);
        QVERIFY(console.mainWindow()->button(MainWindow::Command::SystemSettings)->isEnabled());

        inSystemSetup(console, [&](SystemSetupWindow &window) {
            BasicSettingsPage *page = window.basicPage();
            page->keypadCountField()->setText(QStringLiteral("20"));
            // Set_OK, then the question of a plan for 20 seats on the room pages.
            page->button(BasicSettingsPage::Apply::KeypadCount)->click();
            QVERIFY(window.seatView()->isVisible());
            window.button(SystemSetupWindow::Control::Basic)->click();
            page->backgroundPicker()->setCurrentIndex(2);
            emit page->backgroundPicker()->activated(2);
        });
        // Every way out brings the main window back.
        QTRY_VERIFY_WITH_TIMEOUT(console.mainWindow()->isVisible(), Timeout);
        QCOMPARE(person.messages.size(), 2);

        // The running link polls only the new count: a roll call ends at keypad 20.
        QCOMPARE(console.link()->settings().keypadCount, 20);
        // After the start-up's closing command, which leaves the line idle.
        QTest::qWait(1500);
        const qint64 from = QFile(log).size();
        console.link()->post(LinkMode::MonitorRollCall);
        QTRY_VERIFY_WITH_TIMEOUT(console.link()->sequencer().isRaised(LinkEvent::RollCallDone), Timeout);
        console.link()->sequencer().take(LinkEvent::RollCallDone);
        QCOMPARE(highestPolled(log, from), 20);
        // The hall screen took the colour.
        QCOMPARE(console.hallScreen()->background(), QColor(0, 128, 0));
        QCOMPARE(console.bigScreen()->palette().color(QPalette::Window), QColor(0, 128, 0));
        QCOMPARE(SeatPlanFile(dir.filePath("System/seat.ini")).load().count(), 20);
    }

    // A second start: the link starts with the new count, the page shows what was stored.
    ConsoleApplication again(options(dir.path()));
    QVERIFY(!again.start());
    QTRY_VERIFY_WITH_TIMEOUT(again.mainWindow()->isVisible(), Timeout);
    QCOMPARE(again.link()->settings().keypadCount, 20);
    QCOMPARE(again.hallScreen()->background(), QColor(0, 128, 0));
    inSystemSetup(again, [](SystemSetupWindow &window) {
        QCOMPARE(window.basicPage()->keypadCountField()->text(), QStringLiteral("20"));
        QCOMPARE(window.basicPage()->backgroundPicker()->colour(), 0x008000u);
        window.button(SystemSetupWindow::Control::Room)->click();
        QCOMPARE(window.editorBar()->moveButton()->isEnabled(), true);
    });
    QTRY_VERIFY_WITH_TIMEOUT(again.mainWindow()->isVisible(), Timeout);
}

QTEST_MAIN(TestSystemSetupFlow)
#include "testsystemsetupflow.moc"
