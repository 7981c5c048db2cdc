#include "recordingnotifier.h"

#include "core/prepare/candidatelistcontroller.h"
#include "core/prepare/documenteditorcontroller.h"
#include "core/base/dataroot.h"
#include "gui/prepare/candidatedialog.h"
#include "gui/prepare/documenteditordialog.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

class TestPreparationDialogs : public QObject
{
    Q_OBJECT

private slots:
    void candidateFieldsFollowTheElection();
    void votedElectionShowsItsCandidatesOnly();
    void editorShowsTheHallScreensColoursAndWidth();
    void editorSavesAndAsksBeforeDroppingChanges();
    void pictureGoesIntoTheSavedDocument();

private:
    TextCatalogue m_catalogue{QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu_e.ini")};
};

void TestPreparationDialogs::candidateFieldsFollowTheElection()
{
    CandidateListController controller("Ana:Bo:Chen:", int(VoteType::ElectOneOfThree), false);
    CandidateDialog dialog(controller, m_catalogue);
    QCOMPARE(dialog.windowTitle(), QString("Candidates"));
    QCOMPARE(dialog.findChild<QLabel *>("IDC_STATIC_CDATEFOUR")->text(), QString("Candidate 4 (key 4):"));
    QCOMPARE(dialog.nameField(2)->text(), QString("Chen"));
    QVERIFY(dialog.nameField(2)->isEnabled());
    QVERIFY(!dialog.nameField(3)->isEnabled());
    QVERIFY(!dialog.nameField(4)->isEnabled());
    dialog.show();
    dialog.nameField(1)->selectAll();
    QTest::keyClicks(dialog.nameField(1), "Bea");
    dialog.findChild<QPushButton *>("IDOK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(controller.result(), QString("Ana:Bea:Chen:"));
}

void TestPreparationDialogs::votedElectionShowsItsCandidatesOnly()
{
    CandidateListController controller("1:2:3:4:5:", int(VoteType::ElectOneOfFive), true);
    CandidateDialog dialog(controller, m_catalogue);
    for (int i = 0; i < CandidateListController::FieldCount; ++i) {
        QCOMPARE(dialog.nameField(i)->text(), QString::number(i + 1));
        QVERIFY(!dialog.nameField(i)->isEnabled());
    }
}

void TestPreparationDialogs::editorShowsTheHallScreensColoursAndWidth()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    RecordingNotifier notifier;
    DocumentSetup setup;
    setup.mode = DocumentSetup::Mode::Banner;
    setup.title = "Annual assembly";
    setup.baseName = "20240517093000";
    setup.width = 1280;
    setup.background = QColor(0, 0, 255);
    setup.text = QColor(255, 255, 255);
    DocumentEditorController controller(root, setup, notifier);
    DocumentEditorDialog dialog(controller, notifier, m_catalogue);
    QCOMPARE(dialog.windowTitle(), QString("Document editor"));
    QCOMPARE(dialog.pane()->toPlainText(), QString("\n\n\nAnnual assembly"));
    QCOMPARE(dialog.pane()->palette().color(QPalette::Base), QColor(0, 0, 255));
    QCOMPARE(dialog.pane()->lineWrapMode(), QTextEdit::FixedPixelWidth);
    QCOMPARE(dialog.pane()->lineWrapColumnOrWidth(), 1280);
}

void TestPreparationDialogs::editorSavesAndAsksBeforeDroppingChanges()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    RecordingNotifier notifier;
    DocumentSetup setup;
    setup.folder = "20240517090000";
    setup.baseName = "20240517093000";
    setup.title = "Budget";
    DocumentEditorController controller(root, setup, notifier);
    DocumentEditorDialog dialog(controller, notifier, m_catalogue);
    dialog.show();

    // Nothing changed: closing asks nothing.
    dialog.reject();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(notifier.count(), 0);

    dialog.show();
    dialog.pane()->moveCursor(QTextCursor::End);
    QTest::keyClicks(dialog.pane(), " 2025");
    dialog.reject();
    QVERIFY(dialog.isVisible());
    QCOMPARE(notifier.entries().last().text, OperatorText::catalogue("DlgEditVote", "MsgCloseClew"));

    dialog.save();
    QVERIFY(controller.saved());
    QVERIFY(QFileInfo::exists(root.filePath("MeeFile/20240517090000/20240517093000.rtf")));
    dialog.reject();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(notifier.count(), 1);
}

void TestPreparationDialogs::pictureGoesIntoTheSavedDocument()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    RecordingNotifier notifier;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(dir.filePath("logo.bmp")));
    DocumentSetup setup;
    setup.mode = DocumentSetup::Mode::Banner;
    setup.baseName = "20240517093000";
    {
        DocumentEditorController controller(root, setup, notifier);
        DocumentEditorDialog dialog(controller, notifier, m_catalogue);
        dialog.insertPicture(dir.filePath("logo.bmp"));
        dialog.save();
    }
    setup.storedName = "20240517093000.rtf";
    DocumentEditorController controller(root, setup, notifier);
    DocumentEditorDialog reopened(controller, notifier, m_catalogue);
    QTRY_VERIFY(!reopened.pane()->isReadOnly());
    const QString html = reopened.pane()->toHtml();
    QVERIFY2(html.contains("<img"), qPrintable(html));
    QCOMPARE(notifier.count(), 0);
}

QTEST_MAIN(TestPreparationDialogs)
#include "testpreparationdialogs.moc"
