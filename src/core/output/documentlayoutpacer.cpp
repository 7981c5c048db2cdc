#include "core/output/documentlayoutpacer.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

DocumentLayoutPacer::DocumentLayoutPacer(QTextDocument &document) : QObject(&document), m_document(document)
{
    // The layout is made by the first view (or slice) that needs it, not here: a document that no view
    // shows, as in a program without a screen, never needs one, and making one needs the fonts.
    connect(&document, &QTextDocument::documentLayoutChanged, this,
            [this] { m_document.documentLayout()->installEventFilter(this); });
    // A document read off the interface thread comes with its layout made.
    if (auto *layout =
            document.findChild<QAbstractTextDocumentLayout *>(QString(), Qt::FindDirectChildrenOnly))
        layout->installEventFilter(this);
}

void DocumentLayoutPacer::attach(QTextDocument &document)
{
    if (!document.findChild<DocumentLayoutPacer *>(QString(), Qt::FindDirectChildrenOnly))
        new DocumentLayoutPacer(document);
}

// The layout proceeds from the top and a block it has not reached yet has no lines, so the blocks laid
// out form a prefix of the document: the first one without lines is found by halving.
int DocumentLayoutPacer::firstBlockNotLaidOut() const
{
    int low = 0;
    int high = m_document.blockCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const QTextBlock block = m_document.findBlockByNumber(middle);
        if (block.layout() && block.layout()->lineCount() > 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

bool DocumentLayoutPacer::isComplete() const
{
    return firstBlockNotLaidOut() >= m_document.blockCount();
}

bool DocumentLayoutPacer::layOutSlice()
{
    QAbstractTextDocumentLayout *layout = m_document.documentLayout();
    QElapsedTimer clock;
    clock.start();
    while (clock.nsecsElapsed() < SliceNs) {
        const int next = firstBlockNotLaidOut();
        if (next >= m_document.blockCount())
            return false;
        const QTextBlock from = m_document.findBlockByNumber(next);
        const qint64 before = clock.nsecsElapsed();
        // Asking where a block lies lays the document out as far as that block, and no further.
        layout->blockBoundingRect(m_document.findBlock(from.position() + m_chunk));
        const qint64 took = clock.nsecsElapsed() - before;
        // A block the layout does not reach this way (one it never lays out) would have the pacer spin
        // on it for good: the layout's own steps take over from here.
        if (firstBlockNotLaidOut() == next) {
            m_stalled = true;
            return false;
        }
        if (took < SliceNs / 8)
            m_chunk = std::min(m_chunk * 2, 1 << 20);
        else if (took > SliceNs / 2)
            m_chunk = std::max(m_chunk / 2, 256);
    }
    return !isComplete();
}

bool DocumentLayoutPacer::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::Timer || m_stalled || isComplete())
        return false;
    layOutSlice();
    return true;
}
