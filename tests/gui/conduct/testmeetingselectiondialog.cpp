#include "meetingfixture.h"

#include "core/store/systemdatabase.h"
#include "gui/conduct/meetingselectiondialog.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class TestMeetingSelectionDialog : public QObject
{
    Q_OBJECT

private slots:
    void choosingAMeetingReadsItsRowAndEnablesOk();
};

void TestMeetingSelectionDialog::choosingAMeetingReadsItsRowAndEnablesOk()
{
    MeetingFixture meeting;
    QVERIFY(meeting.create(42, 3));
    MeetingRecord second;
    second.MeeName = "Budget committee";
    second.DateStart = "2026-12-09";
    second.insertdate = "20261208100000";
    second.DueNum = "12";
    QVERIFY(meeting.system->insertMeeting(second));

    MeetingSelectionDialog dialog(*meeting.system, TextCatalogue());
    QTableWidget *list = dialog.list();
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->item(0, 0)->text(), "1");
    QCOMPARE(list->item(1, 0)->text(), "2");
    QCOMPARE(list->item(1, 1)->text(), "Budget committee");
    QCOMPARE(list->item(1, 2)->text(), "2026-12-09");
    // Every heading comes from the language file: with none, no fixed English "ID" is left over.
    QVERIFY(list->horizontalHeaderItem(0)->text().isEmpty());
    QVERIFY(!dialog.okButton()->isEnabled());

    dialog.show();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down); // the arrow keys choose as well
    QVERIFY(dialog.okButton()->isEnabled());
    QCOMPARE(dialog.meeting().MeeName, meeting.meetingName);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(dialog.meeting().MeeName, "Budget committee");
    QCOMPARE(dialog.meeting().DueNum, "12");

    const QRect row = list->visualItemRect(list->item(0, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QVERIFY(dialog.okButton()->isEnabled());
    QCOMPARE(dialog.meeting().MeeName, meeting.meetingName); // the name with a quote reads back
    QCOMPARE(dialog.meeting().DueNum, "42");
    dialog.okButton()->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(meeting.notifier.count(), 0);
}

QTEST_MAIN(TestMeetingSelectionDialog)
#include "testmeetingselectiondialog.moc"
