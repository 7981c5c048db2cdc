#include "gui/output/screentexteditor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include "core/output/hallscreen.h"
#include "core/base/dataroot.h"
#include "core/base/textcatalogue.h"
#include "outputlanguagefile.h"
#include "recordingnotifier.h"

using namespace Qt::StringLiterals;

namespace {

// Types a bold word and a plain one into the editor.
void typeText(QTextEdit *editor)
{
    QTextCursor cursor(editor->document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(u"休会"_s, bold);
    cursor.insertText(u" 15 minutes"_s, QTextCharFormat());
}

bool isBoldAt(QTextDocument &document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    return cursor.charFormat().fontWeight() == QFont::Bold;
}

} // namespace

class TestScreenTextEditor final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { m_notifier.clear(); }
    void sendWritesTheFileAndFillsTheHall();
    void aLargeTextIsReadIntoTheHallOffTheInterfaceThread();
    void opensOnTheTextLastSent();
    void aFileAboveTheLimitIsRefusedByName();
    void onlyTheCloseButtonCloses();
    void theHallGetsTheTextWhenTheFileCannotBeWritten();

private:
    QTemporaryDir m_texts;
    TextCatalogue m_catalogue;
    RecordingNotifier m_notifier;
};

void TestScreenTextEditor::initTestCase()
{
    QVERIFY(m_texts.isValid());
    m_catalogue = TextCatalogue(writeOutputLanguageFile(m_texts));
}

void TestScreenTextEditor::sendWritesTheFileAndFillsTheHall()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    HallScreen hall;
    hall.show(HallScreen::Pane::Chart);
    hall.textDocument().setPlainText(u"Old banner"_s);
    ScreenTextEditor editor(hall, root, m_notifier, m_catalogue);
    QCOMPARE(editor.windowTitle(), u"Screen text"_s);
    QCOMPARE(editor.size(), QSize(800, 400));
    typeText(editor.editor());
    QVERIFY(editor.editor()->document()->isModified());

    QSignalSpy arrived(&hall, &HallScreen::textDocumentReplaced);
    editor.findChild<QPushButton *>(u"IDC_SEND_INSBNT"_s)->click();
    // On the hall when the click returns, nothing left to wait for.
    QCOMPARE(arrived.count(), 1);
    QVERIFY(!hall.isReadingDocument());

    const QString path = dir.filePath(u"System/insretview.rtf"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{\\rtf1"));
    QCOMPARE(hall.pane(), HallScreen::Pane::Text);
    QVERIFY(hall.isVisible());
    QCOMPARE(hall.textDocument().toPlainText(), u"休会 15 minutes"_s);
    QVERIFY(isBoldAt(hall.textDocument(), 0));
    QVERIFY(!isBoldAt(hall.textDocument(), 5));
    QVERIFY(!hall.textDocument().isModified());
    QVERIFY(!editor.editor()->document()->isModified());
    QCOMPARE(editor.windowTitle(), u"MyRtf - "_s + QDir::toNativeSeparators(path));
}

void TestScreenTextEditor::aLargeTextIsReadIntoTheHallOffTheInterfaceThread()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    HallScreen hall;
    ScreenTextEditor editor(hall, root, m_notifier, m_catalogue);
    const QString line = u"The assembly decides on the budget, article by article.\n"_s;
    editor.editor()->setPlainText(line.repeated(int(ScreenTextController::SendInPlaceBytes / line.size()) + 1));
    QSignalSpy arrived(&hall, &HallScreen::textDocumentReplaced);
    editor.send();
    QVERIFY(hall.isReadingDocument());
    QVERIFY(arrived.wait());
    QCOMPARE(hall.textDocument().toPlainText(), editor.editor()->toPlainText());
    QCOMPARE(hall.pane(), HallScreen::Pane::Text);
}

void TestScreenTextEditor::opensOnTheTextLastSent()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    HallScreen hall;
    {
        ScreenTextEditor first(hall, root, m_notifier, m_catalogue);
        typeText(first.editor());
        first.send();
    }
    ScreenTextEditor second(hall, root, m_notifier, m_catalogue);
    // The file is read off the interface thread: meanwhile nothing can be typed or sent, so the empty
    // pane can neither take the operator's typing nor overwrite the file and the hall.
    auto *sendButton = second.findChild<QPushButton *>(u"IDC_SEND_INSBNT"_s);
    QVERIFY(second.editor()->isReadOnly());
    QVERIFY(!sendButton->isEnabled());
    QVERIFY(!second.controller().send(*second.editor()->document()));
    QSignalSpy arrived(&second.controller().reader(), &DocumentReader::ready);
    QVERIFY(arrived.wait());
    QCOMPARE(second.editor()->toPlainText(), u"休会 15 minutes"_s);
    QVERIFY(isBoldAt(*second.editor()->document(), 1));
    QVERIFY(!second.editor()->document()->isModified());
    QVERIFY(!second.editor()->isReadOnly());
    QVERIFY(sendButton->isEnabled());
    QCOMPARE(m_notifier.count(), 0);
}

void TestScreenTextEditor::aFileAboveTheLimitIsRefusedByName()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"System"_s));
    const QString path = dir.filePath(u"System/insretview.rtf"_s);
    QFile huge(path);
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(DocumentReader::MaxBytes + 1)); // sparse: nothing to write
    huge.close();
    const DataRoot root(dir.path());
    HallScreen hall;
    ScreenTextEditor editor(hall, root, m_notifier, m_catalogue);
    QCOMPARE(m_notifier.count(), 1);
    QCOMPARE(m_notifier.entries().at(0).text.key, u"MsgDocTooLarge"_s);
    QCOMPARE(m_notifier.entries().at(0).text.args.at(0), QDir::toNativeSeparators(path));
    // The editor starts empty and usable; the file is only replaced when the operator sends.
    QVERIFY(editor.editor()->document()->isEmpty());
    QVERIFY(!editor.editor()->isReadOnly());
    QCOMPARE(QFileInfo(path).size(), DocumentReader::MaxBytes + 1);
}

void TestScreenTextEditor::onlyTheCloseButtonCloses()
{
    QTemporaryDir dir;
    const DataRoot root(dir.path());
    HallScreen hall;
    ScreenTextEditor editor(hall, root, m_notifier, m_catalogue);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    QTest::keyClick(&editor, Qt::Key_Escape);
    QVERIFY(editor.isVisible());
    editor.close();
    QVERIFY(editor.isVisible());
    // Enter inside the text starts a new line and does not close the editor.
    editor.editor()->setFocus();
    QTest::keyClicks(editor.editor(), u"A"_s);
    QTest::keyClick(editor.editor(), Qt::Key_Return);
    QTest::keyClicks(editor.editor(), u"B"_s);
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.editor()->toPlainText(), u"A\nB"_s);

    editor.findChild<QPushButton *>(u"IDOK"_s)->click();
    QVERIFY(!editor.isVisible());
    QCOMPARE(editor.result(), int(QDialog::Accepted));
}

void TestScreenTextEditor::theHallGetsTheTextWhenTheFileCannotBeWritten()
{
    QTemporaryDir dir;
    // A file where the System folder should be: nothing can be written below it.
    QFile blocker(dir.filePath(u"System"_s));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const DataRoot root(dir.path());
    HallScreen hall;
    ScreenTextEditor editor(hall, root, m_notifier, m_catalogue);
    typeText(editor.editor());
    editor.send();
    QCOMPARE(hall.textDocument().toPlainText(), u"休会 15 minutes"_s);
    QVERIFY(isBoldAt(hall.textDocument(), 0));
    QCOMPARE(editor.windowTitle(), u"Screen text"_s);
    // Not written: the editor still holds changes the file lacks.
    QVERIFY(editor.editor()->document()->isModified());
}

QTEST_MAIN(TestScreenTextEditor)
#include "testscreentexteditor.moc"
