#include "fakelinkport.h"
#include "recordingnotifier.h"

#include "core/counting/votetypetable.h"
#include "core/link/link.h"
#include "gui/conduct/votemonitorwindow.h"

#include <QTableWidget>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Fixture
{
    RecordingNotifier notifier;
    Link link{std::make_unique<FakeLinkPort>(), notifier};
    QTemporaryDir dir;
    VoteType type;
    std::unique_ptr<VoteMonitorWindow> window;

    Fixture(int keypads, VoteType ballotType) : type(ballotType)
    {
        link.applySettings({keypads, 1, 1, 1});
        QFile language(dir.filePath("menu.ini"));
        language.open(QIODevice::WriteOnly);
        language.write("[FrmMeeVote]\nBtnMonitor=watch\nMonPressed=pressed\nMonKeypad=No.\nMonStatus=Key state\n");
        language.close();
        window = std::make_unique<VoteMonitorWindow>(
            link, TextCatalogue(language.fileName()), [this] { return type; },
            [](int n) { return n % 2 ? QString("Delegate %1").arg(n) : QString(); });
    }
    QString cell(int keypad, int column) const
    {
        const VoteMonitorWindow::Cell c = VoteMonitorWindow::cellOf(keypad);
        const QTableWidgetItem *item = window->list()->item(c.row, 1 + 3 * c.group + column);
        return item ? item->text() : QString("<none>");
    }
};
} // namespace

class TestVoteMonitorWindow : public QObject
{
    Q_OBJECT

private slots:
    void windowAndListLayout();
    void everyKeypadOfALargeHallHasItsPlace();
    void statusSaysWhetherAValidAnswerCameNeverWhichKey_data();
    void statusSaysWhetherAValidAnswerCameNeverWhichKey();
    void followsTheTypeOfTheRunningBallot();
};

void TestVoteMonitorWindow::windowAndListLayout()
{
    Fixture f(60, VoteType::YesNo);
    QCOMPARE(f.window->windowTitle(), "watch");
    QCOMPARE(f.window->size(), QSize(1024, 741));
    QCOMPARE(f.window->list()->size(), QSize(1024, 630));
    QCOMPARE(f.window->list()->rowCount(), 22);
    QCOMPARE(f.window->list()->columnCount(), 1 + 3 * 8);
    QCOMPARE(f.window->list()->columnWidth(0), 0);
    QCOMPARE(f.window->list()->horizontalHeaderItem(1)->text(), "No.");
    QCOMPARE(f.window->list()->horizontalHeaderItem(3)->text(), "Key state");
    QCOMPARE(f.window->list()->item(0, 4)->text(), "23"); // keypad 23 opens the second group
    QCOMPARE(f.cell(23, 1), "Delegate 23");
    QCOMPARE(f.cell(24, 1), "");
}

void TestVoteMonitorWindow::everyKeypadOfALargeHallHasItsPlace()
{
    Fixture f(249, VoteType::YesNo);
    QCOMPARE(f.window->list()->columnCount(), 1 + 3 * 12);
    QCOMPARE(f.cell(177, 0), "177");
    QCOMPARE(f.cell(249, 0), "249");
    QCOMPARE(f.cell(249, 2), "----");
}

void TestVoteMonitorWindow::statusSaysWhetherAValidAnswerCameNeverWhichKey_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<QString>("status");
    QTest::newRow("no key") << int(VoteType::YesNo) << 0 << "----";
    QTest::newRow("key 2 of a yes/no ballot") << int(VoteType::YesNo) << 0x02 << "pressed";
    QTest::newRow("two keys in a one-key ballot") << int(VoteType::YesNo) << 0x03 << "";
    QTest::newRow("two keys in an election of several")
        << int(VoteType::ElectSeveralOfFive) << 0x03 << "pressed";
}

void TestVoteMonitorWindow::statusSaysWhetherAValidAnswerCameNeverWhichKey()
{
    QFETCH(int, type);
    QFETCH(int, keyCode);
    QFETCH(QString, status);
    Fixture f(30, VoteType(type));
    QCOMPARE(f.cell(25, 2), "----");
    f.link.table().entry(25)->keyCode = keyCode;
    f.window->refresh();
    QCOMPARE(f.cell(25, 2), status);
    QCOMPARE(f.cell(24, 2), "----");
}

void TestVoteMonitorWindow::followsTheTypeOfTheRunningBallot()
{
    // Opened during a yes/no ballot and left open into an election of several: keys 1 and 2 together
    // are an answer now.
    Fixture f(30, VoteType::YesNo);
    f.link.table().entry(3)->keyCode = 0x03;
    f.window->refresh();
    QCOMPARE(f.cell(3, 2), "");
    f.type = VoteType::ElectSeveralOfFive;
    f.window->refresh();
    QCOMPARE(f.cell(3, 2), "pressed");
}

QTEST_MAIN(TestVoteMonitorWindow)
#include "testvotemonitorwindow.moc"
