#include "core/prepare/documenteditorcontroller.h"

#include "preparefixture.h"

#include "core/output/rtfreader.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestDocumentEditorController : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void pathsFollowTheMode_data();
    void pathsFollowTheMode();
    void newDocumentShowsTheTitleAfterThreeLines();
    void savedBannerReadsBackWithItsFormatting();
    void motionDocumentMakesItsMissingFolder();
    void unreadableDocumentLeavesThePaneEmpty();
    void saveThatCannotWriteSaysSo();

private:
    std::unique_ptr<PrepareFixture> f;
};

void TestDocumentEditorController::init()
{
    f = std::make_unique<PrepareFixture>();
}

void TestDocumentEditorController::pathsFollowTheMode_data()
{
    QTest::addColumn<bool>("banner");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("save");

    QTest::newRow("banner, none yet") << true << ""
                                      << ""
                                      << "20240517093000"
                                      << ""
                                      << "MeeFile/Meebanner/20240517093000.rtf";
    QTest::newRow("banner, saved") << true << ""
                                   << "20240517093000.rtf"
                                   << "20240517093000"
                                   << "MeeFile/Meebanner/20240517093000.rtf"
                                   << "MeeFile/Meebanner/20240517093000.rtf";
    QTest::newRow("motion") << false << "20240517090000"
                            << "20240517093000.rtf"
                            << "20240517093000"
                            << "MeeFile/20240517090000/20240517093000.rtf"
                            << "MeeFile/20240517090000/20240517093000.rtf";
    QTest::newRow("stored name that leaves the folder") << true << ""
                                                        << "../../System/SystemData.db"
                                                        << "20240517093000"
                                                        << ""
                                                        << "MeeFile/Meebanner/20240517093000.rtf";
    QTest::newRow("motion of a meeting without stamp") << false << ""
                                                       << ""
                                                       << "20240517093000"
                                                       << ""
                                                       << "";
}

void TestDocumentEditorController::pathsFollowTheMode()
{
    QFETCH(bool, banner);
    QFETCH(QString, folder);
    QFETCH(QString, storedName);
    QFETCH(QString, baseName);
    QFETCH(QString, load);
    QFETCH(QString, save);

    DocumentSetup setup;
    setup.mode = banner ? DocumentSetup::Mode::Banner : DocumentSetup::Mode::Motion;
    setup.folder = folder;
    setup.storedName = storedName;
    setup.baseName = baseName;
    DocumentEditorController editor(f->root, setup, f->notifier);
    QCOMPARE(editor.loadPath(), load.isEmpty() ? QString() : f->root.filePath(load));
    QCOMPARE(editor.savePath(), save.isEmpty() ? QString() : f->root.filePath(save));
}

void TestDocumentEditorController::newDocumentShowsTheTitleAfterThreeLines()
{
    DocumentSetup setup;
    setup.mode = DocumentSetup::Mode::Banner;
    setup.title = "Annual assembly";
    setup.baseName = "20240517093000";
    setup.text = Qt::yellow;
    DocumentEditorController editor(f->root, setup, f->notifier);
    QTextDocument document;
    document.setPlainText("left over");
    editor.load(document);
    QCOMPARE(document.toPlainText(), QString("\n\n\nAnnual assembly"));
    QCOMPARE(document.lastBlock().begin().fragment().charFormat().foreground().color(), QColor(Qt::yellow));
    QVERIFY(!document.isModified());
    QVERIFY(!editor.saved());
}

void TestDocumentEditorController::savedBannerReadsBackWithItsFormatting()
{
    DocumentSetup setup;
    setup.mode = DocumentSetup::Mode::Banner;
    setup.title = "Assembly";
    setup.baseName = "20240517093000";
    DocumentEditorController editor(f->root, setup, f->notifier);
    QTextDocument document;
    editor.load(document);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(" 2024 年会", bold);
    document.setModified(true);
    QVERIFY(editor.save(document));
    QVERIFY(editor.saved());
    QVERIFY(!document.isModified());

    setup.storedName = "20240517093000.rtf";
    DocumentEditorController reopened(f->root, setup, f->notifier);
    QTextDocument pane("before");
    QSignalSpy ready(&reopened.reader(), &DocumentReader::ready);
    QVERIFY(reopened.load(pane));
    QVERIFY(pane.isEmpty());
    // Saving the empty pane before the document arrived would wipe the saved one.
    QVERIFY(!reopened.save(pane));
    QVERIFY(ready.wait());
    QCOMPARE(ready.first().value(0).toBool(), true);
    const std::unique_ptr<QTextDocument> read = reopened.reader().takeDocument();
    QTextDocument &back = *read;
    QCOMPARE(back.toPlainText(), QString("\n\n\nAssembly 2024 年会"));
    QCOMPARE(back.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QTextCursor last(back.lastBlock());
    last.movePosition(QTextCursor::EndOfBlock);
    QCOMPARE(last.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(f->notifier.count(), 0);
}

void TestDocumentEditorController::motionDocumentMakesItsMissingFolder()
{
    DocumentSetup setup;
    setup.folder = "20240517090000";
    setup.baseName = "20240517093000";
    DocumentEditorController editor(f->root, setup, f->notifier);
    QTextDocument document("Article 1");
    QVERIFY(editor.save(document));
    QTextDocument back;
    QVERIFY(RtfReader::readFile(f->root.filePath("MeeFile/20240517090000/20240517093000.rtf"), back));
    QCOMPARE(back.toPlainText(), QString("Article 1"));
}

void TestDocumentEditorController::unreadableDocumentLeavesThePaneEmpty()
{
    DocumentSetup setup;
    setup.folder = "20240517090000";
    setup.storedName = "gone.rtf";
    setup.baseName = "20240517093000";
    setup.title = "Budget";
    DocumentEditorController editor(f->root, setup, f->notifier);
    QTextDocument document("old text");
    QVERIFY(!editor.load(document));
    QVERIFY(document.isEmpty());
}

void TestDocumentEditorController::saveThatCannotWriteSaysSo()
{
    f->write("MeeFile/20240517090000", "a file where the folder should be");
    DocumentSetup setup;
    setup.folder = "20240517090000";
    setup.baseName = "20240517093000";
    DocumentEditorController editor(f->root, setup, f->notifier);
    QTextDocument document("Article 1");
    document.setModified(true);
    QVERIFY(!editor.save(document));
    QVERIFY(!editor.saved());
    QVERIFY(document.isModified());
    QCOMPARE(f->lastText(), OperatorText::catalogue("DlgEditVote", "MsgSaveErr"));
}

QTEST_MAIN(TestDocumentEditorController)
#include "testdocumenteditorcontroller.moc"
