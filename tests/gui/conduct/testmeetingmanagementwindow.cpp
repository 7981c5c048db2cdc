#include "meetingfixture.h"

#include "core/store/systemdatabase.h"
#include "gui/conduct/meetingmanagementwindow.h"
#include "gui/ui/hubbutton.h"

#include <QComboBox>
#include <QTest>

namespace {
using Control = MeetingManagementWindow::Control;
using Page = MeetingManagementWindow::Page;
} // namespace

class TestMeetingManagementWindow : public QObject
{
    Q_OBJECT

private slots:
    void choosingAMeetingShowsItsDetails();
    void reportButtonsNeedAMeetingAndTheirPage();
    void clickOnThePictureClosesTheWindow();
};

void TestMeetingManagementWindow::choosingAMeetingShowsItsDetails()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(42, 3, "1", "67"));
    QVERIFY(meeting.system->recordSignInCount(meeting.meetingName, "40"));
    MeetingManagementWindow window(*meeting.system, TextCatalogue(), QString());
    QCOMPARE(window.meetingCombo()->count(), 1);
    QCOMPARE(window.meetingCombo()->currentIndex(), -1);
    QCOMPARE(window.currentPage(), Page::Details);
    QVERIFY(!window.button(Control::Details)->isEnabled());

    window.chooseMeeting(0);
    QCOMPARE(window.fieldText(MeetingManagementWindow::Name), meeting.meetingName);
    QCOMPARE(window.fieldText(MeetingManagementWindow::Place), "Hall A");
    QCOMPARE(window.fieldText(MeetingManagementWindow::Due), "42");
    QCOMPARE(window.fieldText(MeetingManagementWindow::Present), "40");
    QCOMPARE(window.fieldText(MeetingManagementWindow::Quorum), "67%");
    // Without report pages their buttons stay disabled.
    QVERIFY(!window.button(Control::SignInReport)->isEnabled());
    QVERIFY(!window.button(Control::BallotReport)->isEnabled());
}

void TestMeetingManagementWindow::reportButtonsNeedAMeetingAndTheirPage()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(10, 3));
    QStringList shown;
    MeetingReportHooks hooks;
    hooks.createSignInReport = [](QWidget *parent) { return new QWidget(parent); };
    hooks.createBallotReport = [](QWidget *parent) { return new QWidget(parent); };
    hooks.showReport = [&shown](QWidget *, const MeetingRecord &m) { shown.append(m.MeeName); };
    MeetingManagementWindow window(*meeting.system, TextCatalogue(), QString(), hooks);
    QVERIFY(!window.button(Control::SignInReport)->isEnabled());
    window.showPage(Page::SignInReport);
    QCOMPARE(window.currentPage(), Page::Details); // no meeting chosen yet

    window.chooseMeeting(0);
    QVERIFY(window.button(Control::SignInReport)->isEnabled());
    window.button(Control::SignInReport)->click();
    QCOMPARE(window.currentPage(), Page::SignInReport);
    QCOMPARE(shown, QStringList{meeting.meetingName});
    QVERIFY(!window.button(Control::SignInReport)->isEnabled());
    QVERIFY(window.button(Control::Details)->isEnabled());
    QVERIFY(window.button(Control::BallotReport)->isEnabled());
    window.button(Control::Details)->click();
    QCOMPARE(window.currentPage(), Page::Details);
}

void TestMeetingManagementWindow::clickOnThePictureClosesTheWindow()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(10, 3));
    MeetingManagementWindow window(*meeting.system, TextCatalogue(), QString());
    window.show();
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(250, 600)); // below the details panel
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Accepted));

    window.show();
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 140)); // on the details panel
    QVERIFY(window.isVisible());
}

QTEST_MAIN(TestMeetingManagementWindow)
#include "testmeetingmanagementwindow.moc"
