#include "recordingnotifier.h"

#include "core/prepare/delegaterostercontroller.h"
#include "core/prepare/meetingregistercontroller.h"
#include "core/prepare/motionscontroller.h"
#include "core/output/csvwriter.h"
#include "core/base/dataroot.h"
#include "core/store/systemdatabase.h"
#include "gui/prepare/delegaterosterpage.h"
#include "gui/prepare/meetingpreparationwindow.h"
#include "gui/prepare/meetingregisterpage.h"
#include "gui/prepare/motionspage.h"
#include "gui/prepare/rosterimportdialog.h"
#include "gui/ui/hubbutton.h"
#include "gui/ui/listtable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using Page = MeetingPreparationWindow::Page;

class TestMeetingPreparationWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnTheRegisterWithTheOtherPagesWaiting();
    void registerFieldsFilterWhatIsTyped();
    void savedMeetingOpensTheRosterAndTheMotions();
    void rosterAddsADelegateFromItsFields();
    void rosterGoesToAFileAndComesBackWithItsRefusalsShown();
    void motionsPageFollowsTheTypeRules();
    void titleNamesTheMeetingThePagesWorkOn();
    void meetingOpenInTheConferenceCannotBeDeleted();
    void leavingAlwaysEndsWithOk();

private:
    void createMeeting(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataRoot> m_root;
    RecordingNotifier m_notifier;
    std::unique_ptr<SystemDatabase> m_system;
    TextCatalogue m_catalogue{QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu_e.ini")};
    std::unique_ptr<MeetingPreparationWindow> m_window;
};

void TestMeetingPreparationWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_root = std::make_unique<DataRoot>(m_dir->path());
    m_notifier.clear();
    m_system = std::make_unique<SystemDatabase>(*m_root, m_notifier);
    QVERIFY(m_system->ensureExists());
    m_window =
        std::make_unique<MeetingPreparationWindow>(*m_root, *m_system, m_notifier, m_catalogue, QString());
    m_window->show();
}

void TestMeetingPreparationWindow::cleanup()
{
    m_window.reset();
}

void TestMeetingPreparationWindow::createMeeting(const QString &name)
{
    MeetingRegisterPage *page = m_window->meetingsPage();
    page->button("IDC_NEWMOOT_BUTTON")->click();
    QTest::keyClicks(page->nameField(), name);
    QTest::keyClicks(page->dueField(), "60");
    page->button("IDC_SAVEMEE_BUTTON ")->click();
}

void TestMeetingPreparationWindow::opensOnTheRegisterWithTheOtherPagesWaiting()
{
    QCOMPARE(m_window->size(), QSize(1024, 741));
    QCOMPARE(m_window->windowTitle(), QString("Meeting preparation"));
    QCOMPARE(m_window->page(), Page::Meetings);
    QCOMPARE(m_window->header(), QString("Meetings"));
    QVERIFY(m_window->meetingsPage()->isVisible());
    QVERIFY(!m_window->delegatesPage()->isVisible());
    QVERIFY(!m_window->pageButton(Page::Meetings)->isEnabled());
    QVERIFY(!m_window->pageButton(Page::Delegates)->isEnabled());
    QVERIFY(!m_window->pageButton(Page::Motions)->isEnabled());
    QCOMPARE(m_window->pageButton(Page::Delegates)->text(), QString("Delegates"));
    QVERIFY(m_window->exitButton()->isEnabled());

    MeetingRegisterPage *page = m_window->meetingsPage();
    QCOMPARE(page->button("IDC_MEEBANNER_BUTTON ")->text(), QString("Banner"));
    QVERIFY(page->button("IDC_NEWMOOT_BUTTON")->isEnabled());
    QVERIFY(!page->button("IDC_EDITMOOT_BUTTON")->isEnabled());
    QVERIFY(!page->button("IDC_SAVEMEE_BUTTON ")->isEnabled());
    QVERIFY(!page->nameField()->isEnabled());
    QCOMPARE(page->list()->columnWidth(1), 650);
}

void TestMeetingPreparationWindow::registerFieldsFilterWhatIsTyped()
{
    MeetingRegisterPage *page = m_window->meetingsPage();
    page->button("IDC_NEWMOOT_BUTTON")->click();
    QVERIFY(page->nameField()->isEnabled());
    QVERIFY(!page->list()->isEnabled());
    QVERIFY(!page->ratioField()->isEnabled());
    QTest::keyClicks(page->nameField(), "Board's \"spring\" session");
    QCOMPARE(page->nameField()->text(), QString("Boards spring session"));
    QTest::keyClicks(page->dueField(), "4a2");
    QCOMPARE(page->dueField()->text(), QString("42"));

    page->quorumBox()->click();
    QCOMPARE(page->ratioField()->text(), QString("50"));
    QVERIFY(page->ratioField()->isEnabled());
    page->quorumBox()->click();
    QCOMPARE(page->ratioField()->text(), QString("0"));
    QVERIFY(!page->ratioField()->isEnabled());

    page->button("IDC_CANVMEE_BUTTON")->click();
    QVERIFY(page->list()->isEnabled());
    QCOMPARE(m_system->listMeetings().size(), 0);
}

void TestMeetingPreparationWindow::savedMeetingOpensTheRosterAndTheMotions()
{
    createMeeting("Plenary");
    QCOMPARE(m_notifier.count(), 0);
    MeetingRegisterPage *page = m_window->meetingsPage();
    QCOMPARE(page->list()->rowCount(), 1);
    QCOMPARE(page->list()->cellText(0, 1), QString("Plenary"));
    QCOMPARE(page->list()->currentRow(), 0);
    QVERIFY(page->button("IDC_EDITMOOT_BUTTON")->isEnabled());
    QVERIFY(m_window->pageButton(Page::Delegates)->isEnabled());
    QVERIFY(m_window->pageButton(Page::Motions)->isEnabled());

    // While the meeting is being changed the other pages wait.
    page->button("IDC_EDITMOOT_BUTTON")->click();
    QVERIFY(!m_window->pageButton(Page::Delegates)->isEnabled());
    page->button("IDC_CANVMEE_BUTTON")->click();

    m_window->pageButton(Page::Delegates)->click();
    QCOMPARE(m_window->page(), Page::Delegates);
    QCOMPARE(m_window->header(), QString("Delegates"));
    QVERIFY(m_window->delegatesPage()->isVisible());
    QVERIFY(!m_window->meetingsPage()->isVisible());
    QCOMPARE(m_window->delegates().meetingName(), QString("Plenary"));
    QVERIFY(m_window->pageButton(Page::Meetings)->isEnabled());
    QVERIFY(!m_window->pageButton(Page::Delegates)->isEnabled());

    m_window->pageButton(Page::Motions)->click();
    QCOMPARE(m_window->header(), QString("Motions"));
    QVERIFY(m_window->motionsPage()->isVisible());

    m_window->pageButton(Page::Meetings)->click();
    page->list()->showSelectedRow(0);
    m_window->meetings().select(-1);
    QVERIFY(!m_window->pageButton(Page::Delegates)->isEnabled());
    QCOMPARE(m_notifier.count(), 0);
}

void TestMeetingPreparationWindow::rosterAddsADelegateFromItsFields()
{
    createMeeting("Plenary");
    m_window->pageButton(Page::Delegates)->click();
    DelegateRosterPage *page = m_window->delegatesPage();
    QVERIFY(page->importButton()->isEnabled());
    QVERIFY(!page->button("IDC_EDITINFO_BUTTON")->isEnabled());
    QTest::keyClicks(page->field("IDC_STATIC_DOORNO"), "1x7");
    QCOMPARE(page->field("IDC_STATIC_DOORNO")->text(), QString("17"));
    QTest::keyClicks(page->field("IDC_STATIC_NAMEINFO"), "Ana O'Neill");
    QTest::keyClicks(page->field("IDC_STATIC_JOBUNIT"), "Harbour board");
    page->button("IDC_NEWINFO_BUTTON")->click();
    QCOMPARE(m_notifier.count(), 1);
    QCOMPARE(m_notifier.entries().last().text, OperatorText::catalogue("FrmManinfo", "MsgClewNew4"));
    QCOMPARE(page->list()->rowCount(), 1);
    QCOMPARE(page->list()->cellText(0, 0), QString("17"));
    QCOMPARE(page->list()->cellText(0, 1), QString("Ana O'Neill"));
    QCOMPARE(page->list()->cellText(0, 2), QString("Male"));
    QCOMPARE(page->countText(), QString("1"));
    QCOMPARE(page->field("IDC_STATIC_NAMEINFO")->text(), QString());

    // Choosing the row shows the delegate and offers Edit and Delete.
    emit page->list()->rowChosen(0);
    QCOMPARE(page->field("IDC_STATIC_JOBUNIT")->text(), QString("Harbour board"));
    QVERIFY(page->button("IDC_EDITINFO_BUTTON")->isEnabled());
    QCOMPARE(page->list()->currentRow(), 0);

    // A new channel typed into the selector takes the next delegates.
    page->groupBox()->setEditText("Observers");
    emit page->groupBox()->textActivated("Observers");
    QCOMPARE(m_window->delegates().currentGroup(), QString("Observers"));

    page->button("IDC_MANINFO_RETURN")->click();
    QCOMPARE(m_window->page(), Page::Meetings);
}

namespace {

// Runs `answer` on the next modal window to open, while the code that opened it waits.
template <typename Window> void whenOpen(std::function<void(Window *)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        QVERIFY(window);
        answer(window);
    });
}

} // namespace

void TestMeetingPreparationWindow::rosterGoesToAFileAndComesBackWithItsRefusalsShown()
{
    createMeeting("Plenary");
    m_window->pageButton(Page::Delegates)->click();
    DelegateRosterPage *page = m_window->delegatesPage();
    QTest::keyClicks(page->field("IDC_STATIC_DOORNO"), "17");
    QTest::keyClicks(page->field("IDC_STATIC_NAMEINFO"), "Ana");
    page->button("IDC_NEWINFO_BUTTON")->click();
    m_notifier.clear();

    // The save dialog offers the two kinds it writes, takes a name without suffix as a workbook, and asks
    // before it replaces a file.
    const QString name = m_dir->filePath("roster");
    for (int round = 0; round < 2; ++round) {
        whenOpen<QFileDialog>([name, round](QFileDialog *dialog) {
            QCOMPARE(dialog->nameFilters(),
                     (QStringList{"Excel workbook (*.xlsx)", "CSV, comma-separated (*.csv)"}));
            QCOMPARE(dialog->defaultSuffix(), QString("xlsx"));
            dialog->selectFile(name);
            if (round == 1)
                whenOpen<QMessageBox>([dialog](QMessageBox *ask) {
                    ask->button(QMessageBox::No)->click();
                    QTimer::singleShot(0, dialog, &QDialog::reject);
                });
            static_cast<QDialog *>(dialog)->accept(); // as the dialog's Save button does
        });
        page->exportButton()->click();
    }
    QVERIFY(QFile::exists(name + ".xlsx"));
    QCOMPARE(m_notifier.count(), 1);
    QCOMPARE(m_notifier.entries().last().text, OperatorText::catalogue("FrmManinfo", "MsgClewEduce"));

    // The open dialog offers the three kinds it reads.
    whenOpen<QFileDialog>([](QFileDialog *dialog) {
        QCOMPARE(dialog->nameFilters().size(), 4);
        QVERIFY(dialog->nameFilters().first().endsWith("(*.xlsx *.xls *.csv)"));
        dialog->reject();
    });
    page->importButton()->click();

    // Back from the spreadsheet program with a new delegate and one the roster cannot take.
    const QString edited = m_dir->filePath("edited.csv");
    QVERIFY(CsvWriter::write(edited, {m_window->delegates().headings(), {"18", "Bo"}, {"17", "Ana again"}}));
    QString summary;
    QStringList refused;
    whenOpen<RosterImportDialog>([&](RosterImportDialog *report) {
        summary = report->summary();
        for (int c = 0; c < 4; ++c)
            refused.append(report->refusals()->cellText(0, c));
        report->accept();
    });
    page->importFrom(edited);
    QCOMPARE(summary,
             QString("Delegates imported: 1.\nRows refused: 1. They were not stored; correct them in "
                     "the file and import those rows again."));
    QCOMPARE(refused, (QStringList{"3", "17", "Ana again",
                                   "The keypad number already belongs to a delegate of this meeting."}));
    QCOMPARE(page->list()->rowCount(), 2);
    QCOMPARE(page->countText(), QString("2"));
}

void TestMeetingPreparationWindow::motionsPageFollowsTheTypeRules()
{
    createMeeting("Plenary");
    m_window->pageButton(Page::Motions)->click();
    MotionsPage *page = m_window->motionsPage();
    QVERIFY(!page->button("IDC_SELENAN_BUTT")->isEnabled());
    QVERIFY(!page->titleField()->isEnabled());
    page->button("IDC_NEWOVE_BUTTON")->click();
    QVERIFY(page->titleField()->isEnabled());
    QCOMPARE(page->typeBox()->currentText(), m_catalogue.text("Public", "VoteType1"));
    QCOMPARE(page->thresholdField()->text(), QString("50"));
    QVERIFY(page->thresholdField()->isEnabled());
    page->thresholdField()->selectAll();
    QTest::keyClicks(page->thresholdField(), "150");
    QCOMPARE(page->thresholdField()->text(), QString("100"));
    QVERIFY(!page->scoreGroup()->isVisible());

    QTest::keyClicks(page->titleField(), "Speaker's score");
    QCOMPARE(page->titleField()->text(), QString("Speakers score"));
    page->typeBox()->setCurrentIndex(5);
    emit page->typeBox()->activated(5);
    QVERIFY(!page->thresholdField()->isEnabled());
    QVERIFY(page->scoreGroup()->isVisible());
    page->button("IDC_SAVEVOTE_BNT")->click();
    QCOMPARE(m_notifier.count(), 0);
    QCOMPARE(page->list()->rowCount(), 1);
    QCOMPARE(page->list()->cellText(0, 1), QString("Speakers score"));
    QCOMPARE(page->list()->cellText(0, 2), m_catalogue.text("Public", "VoteType6"));
    QVERIFY(!page->titleField()->isEnabled());
    QVERIFY(page->button("IDC_EDITFMT_BUTTON")->isEnabled());
    QVERIFY(!page->button("IDC_SELENAN_BUTT")->isEnabled());

    page->button("IDC_NEWOVE_BUTTON")->click();
    QTest::keyClicks(page->titleField(), "Chair");
    page->typeBox()->setCurrentIndex(1);
    emit page->typeBox()->activated(1);
    page->button("IDC_SAVEVOTE_BNT")->click();
    QVERIFY(page->button("IDC_SELENAN_BUTT")->isEnabled());
    QCOMPARE(m_window->motions().list().OveName, QStringList({"Speakers score", "Chair"}));
}

void TestMeetingPreparationWindow::titleNamesTheMeetingThePagesWorkOn()
{
    createMeeting("Plenary");
    QCOMPARE(m_window->windowTitle(), QString("Meeting preparation — Plenary"));
    m_window->pageButton(Page::Motions)->click();
    QCOMPARE(m_window->windowTitle(), QString("Meeting preparation — Plenary"));
    m_window->pageButton(Page::Meetings)->click();
    m_window->meetingsPage()->button("IDC_NEWMOOT_BUTTON")->click();
    QCOMPARE(m_window->windowTitle(), QString("Meeting preparation"));
    m_window->meetingsPage()->button("IDC_CANVMEE_BUTTON")->click();
    QCOMPARE(m_window->windowTitle(), QString("Meeting preparation"));
    m_window->meetings().select(0);
    QCOMPARE(m_window->windowTitle(), QString("Meeting preparation — Plenary"));
}

void TestMeetingPreparationWindow::meetingOpenInTheConferenceCannotBeDeleted()
{
    createMeeting("Plenary");
    m_window->setOpenMeeting("Plenary");
    m_window->meetingsPage()->button("IDC_DELMOOT_BUTTON")->click();
    QCOMPARE(m_notifier.count(), 1);
    QCOMPARE(m_notifier.entries().last().text, OperatorText::catalogue("FrmMeeset", "MsgClewOpen"));
    QCOMPARE(m_system->listMeetings().MeeName, QStringList({"Plenary"}));
}

void TestMeetingPreparationWindow::leavingAlwaysEndsWithOk()
{
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    m_window->close();
    QCOMPARE(m_window->result(), int(QDialog::Accepted));

    m_window->show();
    m_window->exitButton()->click();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestMeetingPreparationWindow)
#include "testmeetingpreparationwindow.moc"
