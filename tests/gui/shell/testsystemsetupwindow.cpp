// The system setup window's wiring on the offscreen platform: pages by installation, the refusals while
// seats are moved, the basic page's fields and buttons, the editor bar, the seat view's scrolling, and
// the screen setup window.

#include "fakelinkport.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/shell/basicsettingscontroller.h"
#include "core/base/dataroot.h"
#include "core/shell/screensetupcontroller.h"
#include "core/shell/seatplancontroller.h"
#include "core/shell/systemsetupcontroller.h"
#include "core/store/systemdatabase.h"
#include "gui/shell/basicsettingspage.h"
#include "gui/shell/screensetupdialog.h"
#include "gui/shell/seateditorbar.h"
#include "gui/shell/systemsetupwindow.h"
#include "gui/ui/colourpicker.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/seatmapview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Setup
{
    QTemporaryDir dir;
    DataRoot root{dir.path()};
    RecordingNotifier notifier;
    SystemDatabase database{root, notifier};
    Link link{std::make_unique<FakeLinkPort>(), notifier};
    HallScreen hall;
    std::unique_ptr<SystemSetupController> controller;
    std::unique_ptr<SystemSetupWindow> window;

    explicit Setup(SystemType type, SystemSetupHooks hooks = {})
    {
        database.ensureExists();
        link.applySettings(database.linkSettings());
        controller = std::make_unique<SystemSetupController>(
            SystemSetupContext{database, link, hall, notifier, root, type});
        controller->open(1280);
        window =
            std::make_unique<SystemSetupWindow>(*controller, TextCatalogue(), dir.path(), std::move(hooks));
        window->show();
    }
    HubButton *button(SystemSetupWindow::Control c) const { return window->button(c); }
};
} // namespace

class TestSystemSetupWindow : public QObject
{
    Q_OBJECT

private slots:
    void pagesByInstallation();
    void videoPageComesThroughItsHook();
    void everyWayOutIsRefusedWhileMoving();
    void basicPageForwardsItsFields();
    void editorBarDrivesThePlan();
    void largePlanScrollsAlsoWhileMoving();
    void screenSetupStoresWhatIsChosen();
};

void TestSystemSetupWindow::pagesByInstallation()
{
    using C = SystemSetupWindow::Control;
    Setup discussion(SystemType::Discussion);
    QCOMPARE(discussion.window->basicPage()->geometry(), QRect(205, 40, 810, 660));
    QCOMPARE(discussion.window->seatView()->geometry(), QRect(205, 40, 810, 550));
    QCOMPARE(discussion.window->editorBar()->geometry(), QRect(205, 590, 810, 106));
    QVERIFY(discussion.window->basicPage()->isVisible());
    QVERIFY(!discussion.window->seatView()->isVisible());
    QVERIFY(!discussion.button(C::Basic)->isEnabled());
    QVERIFY(discussion.button(C::Room)->isEnabled());
    QTest::mouseClick(discussion.button(C::Room), Qt::LeftButton);
    QVERIFY(discussion.window->seatView()->isVisible());
    QVERIFY(discussion.window->editorBar()->isVisible());
    QVERIFY(!discussion.window->basicPage()->isVisible());
    QVERIFY(!discussion.button(C::Room)->isEnabled());
    QVERIFY(discussion.button(C::Basic)->isEnabled());

    Setup votingOnly(SystemType::VotingOnly);
    QCOMPARE(votingOnly.window->basicPage()->geometry(), QRect(250, 40, 770, 660));
    QVERIFY(!votingOnly.window->seatView());
    QVERIFY(votingOnly.button(C::Room)->isHidden());
    QVERIFY(votingOnly.button(C::Video)->isHidden());

    Setup neither(SystemType::Neither);
    QVERIFY(!neither.window->basicPage());
    QVERIFY(neither.button(C::Exit)->isEnabled());
}

void TestSystemSetupWindow::videoPageComesThroughItsHook()
{
    using C = SystemSetupWindow::Control;
    Setup without(SystemType::Discussion);
    QVERIFY(!without.button(C::Video)->isEnabled());
    QTest::mouseClick(without.button(C::Video), Qt::LeftButton);
    QVERIFY(without.window->basicPage()->isVisible());

    SystemSetupHooks hooks;
    hooks.createVideoPage = [](QWidget *parent) { return new QLabel(QStringLiteral("cameras"), parent); };
    Setup with(SystemType::Discussion, hooks);
    QVERIFY(with.button(C::Video)->isEnabled());
    QTest::mouseClick(with.button(C::Video), Qt::LeftButton);
    QVERIFY(with.window->videoPage()->isVisible());
    QCOMPARE(with.window->videoPage()->geometry(), QRect(205, 40, 810, 672));
    QVERIFY(!with.window->basicPage()->isVisible());
}

void TestSystemSetupWindow::everyWayOutIsRefusedWhileMoving()
{
    using C = SystemSetupWindow::Control;
    Setup s(SystemType::Discussion);
    QTest::mouseClick(s.button(C::Room), Qt::LeftButton);
    s.notifier.queueAnswer(true);
    s.window->editorBar()->configurationButton()->click();
    s.window->editorBar()->moveButton()->click();
    QVERIFY(s.controller->seatPlan()->isMoving());
    s.notifier.clear();

    QTest::keyClick(s.window.get(), Qt::Key_Escape);
    QVERIFY(s.window->isVisible());
    QVERIFY(!s.window->close());
    QVERIFY(s.window->isVisible());
    QTest::mouseClick(s.button(C::Exit), Qt::LeftButton);
    QTest::mouseClick(s.button(C::Basic), Qt::LeftButton);
    QVERIFY(s.window->isVisible());
    QVERIFY(s.window->seatView()->isVisible());
    QCOMPARE(s.notifier.count(), 4);
    for (const RecordingNotifier::Entry &e : s.notifier.entries())
        QCOMPARE(e.text, OperatorText::catalogue("FrmSysset", "MsgErrClew"));

    s.window->editorBar()->moveButton()->click();
    QTest::keyClick(s.window.get(), Qt::Key_Escape);
    QVERIFY(!s.window->isVisible());
    QCOMPARE(s.window->result(), int(QDialog::Rejected));
}

void TestSystemSetupWindow::basicPageForwardsItsFields()
{
    using A = BasicSettingsPage::Apply;
    Setup s(SystemType::VotingOnly);
    BasicSettingsPage *page = s.window->basicPage();
    QCOMPARE(page->keypadCountField()->text(), "100");
    QCOMPARE(page->screenSizeList()->currentText(), "1024*768");
    QCOMPARE(page->backgroundPicker()->colour(), 0xFF0000u);

    page->keypadCountField()->clear();
    QTest::keyClicks(page->keypadCountField(), "2a5");
    QCOMPARE(page->keypadCountField()->text(), "25");
    page->button(A::KeypadCount)->click();
    QCOMPARE(s.link.settings().keypadCount, 25);
    QCOMPARE(s.database.loadSettings().cellnum, "25");

    page->lowestPortField()->setText("5");
    page->highestPortField()->setText("2");
    page->button(A::PortRange)->click();
    QCOMPARE(page->lowestPortField()->text(), "0");
    QCOMPARE(page->highestPortField()->text(), "0");
    page->highestPortField()->clear();
    page->button(A::PortRange)->click();
    QCOMPARE(s.notifier.entries().last().text, OperatorText::catalogue("Frmbasicset", "Setcom_Empty"));

    // The hall and the preview take a new colour at once.
    page->textColourPicker()->setCurrentIndex(11); // yellow
    emit page->textColourPicker()->activated(11);
    QCOMPARE(s.hall.textColour(), QColor(255, 255, 0));
    QCOMPARE(page->preview()->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    page->screenSizeList()->setCurrentIndex(3);
    emit page->screenSizeList()->activated(3);
    QCOMPARE(s.hall.geometry(), QRect(1280, 0, 1920, 1080));
    page->button(A::HallScreen)->click();
    QVERIFY(s.hall.isVisible());

    for (int i = 0; i < 3; ++i)
        page->passwordField(i)->setText(i == 0 ? "123456" : "abc");
    page->button(A::Password)->click();
    QCOMPARE(s.database.loadSettings().UserPass, "abc");
    QCOMPARE(page->passwordField(0)->text(), "");

    page->scoreField(4)->setText("90");
    page->percentagesBox()->setChecked(false);
    page->button(A::Scores)->click();
    QCOMPARE(s.database.loadSettings().mark, "0:25:50:75:90:");
    QCOMPARE(s.database.loadSettings().per, "2");
    page->scoreField(0)->setText("7");
    page->button(A::ScoresCancel)->click();
    QCOMPARE(page->scoreField(0)->text(), "0");
    QCOMPARE(page->scoreField(4)->text(), "90");
}

void TestSystemSetupWindow::editorBarDrivesThePlan()
{
    Setup s(SystemType::Discussion);
    SeatEditorBar *bar = s.window->editorBar();
    QVERIFY(!bar->updateButton()->isEnabled());
    QVERIFY(!bar->moveButton()->isEnabled());
    bar->seatsPerRowBox()->setValue(20);
    s.notifier.queueAnswer(true);
    bar->configurationButton()->click();
    QCOMPARE(s.controller->seatPlan()->model().table().count(), 100);
    QCOMPARE(s.controller->seatPlan()->model().table().at(20).button.topLeft(), QPoint(0, 72));
    QVERIFY(bar->updateButton()->isEnabled());
    QCOMPARE(bar->seatsPerRowBox()->minimum(), 1);

    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const QString path = s.dir.filePath("room.png");
    QVERIFY(picture.save(path));
    QString filter;
    bar->setPictureChooser([&](QWidget *, const QString &f) {
        filter = f;
        return path;
    });
    bar->pictureButton()->click();
    QVERIFY(s.controller->seatPlan()->hasPicture());
    QCOMPARE(s.database.loadSettings().ico, "room.bmp");
    QCOMPARE(filter, QString()); // the catalogue's text: empty without a language file
    // The picture lies over the visible width, in its proportions.
    const SeatMapView *view = s.window->seatView();
    QCOMPARE(view->pictureSize(), QSize(view->viewport()->width(), view->viewport()->width() / 2));

    s.notifier.queueAnswer(true);
    bar->pictureButton()->click();
    QVERIFY(!s.controller->seatPlan()->hasPicture());
    QVERIFY(!QFile::exists(s.root.filePath("System/photo/room/room.bmp")));
}

void TestSystemSetupWindow::largePlanScrollsAlsoWhileMoving()
{
    Setup s(SystemType::Discussion);
    // A new keypad count brings the room pages up and offers the plan for it.
    s.notifier.queueAnswer(true);
    QVERIFY(s.controller->basic().applyKeypadCount("249"));
    SeatMapView *view = s.window->seatView();
    QVERIFY(view->isVisible());
    SeatPlanModel &model = s.controller->seatPlan()->model();
    QCOMPARE(model.table().count(), 249);
    // The last row lies some 1,500 pixels down: the view scrolls to it.
    const QRect last = model.table().at(248).button;
    QVERIFY(last.top() > 1400);
    QScrollBar *bar = view->verticalScrollBar();
    QCOMPARE(bar->maximum(), view->contentSize().height() - view->viewport()->height());
    QVERIFY(bar->maximum() + view->viewport()->height() > last.bottom());

    // Scrolled down, a seat clicked is the seat under the pointer, and it is carried in the content.
    s.window->editorBar()->moveButton()->click();
    bar->setValue(bar->maximum());
    const QPoint onSeat = last.center() - view->contentOffset();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, onSeat);
    QCOMPARE(model.carried(), 248);
    QTest::mouseMove(view->viewport(), onSeat + QPoint(0, -100));
    QCOMPARE(model.table().at(248).button.topLeft(), last.topLeft() + QPoint(0, -100));
    // The view scrolls on; the carried seat goes with the pointer.
    bar->setValue(bar->value() - 50);
    QCOMPARE(model.table().at(248).button.topLeft(), last.topLeft() + QPoint(0, -150));
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, onSeat);
    QCOMPARE(model.carried(), -1);
}

void TestSystemSetupWindow::screenSetupStoresWhatIsChosen()
{
    QTemporaryDir dir;
    RecordingNotifier notifier;
    SystemDatabase database(DataRoot(dir.path()), notifier);
    QVERIFY(database.ensureExists());
    HallScreen hall;
    ScreenSetupController controller(database, hall);
    controller.open(1280);
    ScreenSetupDialog dialog(controller, TextCatalogue());
    QCOMPARE(dialog.sizeList()->count(), 10);
    QCOMPARE(dialog.sizeList()->currentText(), "1024*768");
    dialog.sizeList()->setCurrentIndex(0);
    emit dialog.sizeList()->activated(0);
    QCOMPARE(database.loadScreenSetup().ScrSize, "800*600");
    QCOMPARE(hall.geometry().size(), QSize(800, 600));
    dialog.colourPicker()->setCurrentIndex(2);
    emit dialog.colourPicker()->activated(2);
    QCOMPARE(database.loadScreenSetup().ScrColor, QString::number(0x008000));
    QCOMPARE(notifier.count(), 0);
}

QTEST_MAIN(TestSystemSetupWindow)
#include "testsystemsetupwindow.moc"
