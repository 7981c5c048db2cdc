#include "core/output/documentlayoutpacer.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include "core/output/hallscreen.h"

namespace {

// A document the size of a long motion, laid out at the hall's width as a view would ask for.
void fill(QTextDocument &document, int paragraphs)
{
    QTextCursor cursor(&document);
    for (int i = 0; i < paragraphs; ++i) {
        cursor.insertText(QStringLiteral("Article %1: the assembly decides on the budget and the accounts of "
                                         "the coming year, article by article.")
                              .arg(i));
        cursor.insertBlock();
    }
}

bool laidOut(const QTextBlock &block)
{
    return block.layout() && block.layout()->lineCount() > 0;
}

} // namespace

class TestDocumentLayoutPacer final : public QObject
{
    Q_OBJECT

private slots:
    void largeDocumentIsLaidOutSliceBySliceToTheEnd();
    void theHallPacesEveryDocumentItShows();
};

void TestDocumentLayoutPacer::largeDocumentIsLaidOutSliceBySliceToTheEnd()
{
    QTextDocument document;
    fill(document, 20000);
    DocumentLayoutPacer::attach(document);
    DocumentLayoutPacer::attach(document); // once is enough
    const auto pacers = document.findChildren<DocumentLayoutPacer *>();
    QCOMPARE(pacers.size(), 1);
    DocumentLayoutPacer &pacer = *pacers.first();
    document.setPageSize(QSizeF(1920, -1)); // what a view does: the layout starts from the top

    QVERIFY(!pacer.isComplete());
    QVERIFY(pacer.layOutSlice());
    // One slice lays out a part from the top, not the whole document.
    QVERIFY(laidOut(document.firstBlock()));
    QVERIFY(!laidOut(document.lastBlock()));

    int slices = 1;
    while (pacer.layOutSlice() && slices < 100000)
        ++slices;
    QVERIFY(pacer.isComplete());
    QVERIFY(laidOut(document.lastBlock()));
    QVERIFY(slices > 1);
    // Every block got its lines, and the layout knows the document's full height.
    QVERIFY(document.documentLayout()->documentSize().height() > 20000 * 10);
}

void TestDocumentLayoutPacer::theHallPacesEveryDocumentItShows()
{
    HallScreen hall;
    auto document = std::make_unique<QTextDocument>();
    fill(*document, 10);
    QTextDocument *shown = document.get();
    hall.showDocument(std::move(document));
    QCOMPARE(&hall.textDocument(), shown);
    QVERIFY(shown->findChild<DocumentLayoutPacer *>());
}

QTEST_MAIN(TestDocumentLayoutPacer)
#include "testdocumentlayoutpacer.moc"
