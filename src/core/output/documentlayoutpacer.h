#pragma once

#include <QObject>

class QTextDocument;

// Lays a large document out in slices of a few milliseconds on the interface thread.
//
// A document shown in a text view is laid out in the background by its layout's own timer, in steps
// that double up to 200,000 characters: with a document of megabytes each such step held the interface
// thread (and the link's tick) for 60 to 200 ms, step after step, long after the document had arrived.
// The pacer watches the layout's timer events; while part of the document is not laid out yet, it lays
// out one slice of bounded time itself and keeps the event from the layout, so the layout's step never
// grows. Once everything is laid out the events pass as before. What a view needs to paint is laid out
// on demand as always, so the hall shows the top of a document at once.
class DocumentLayoutPacer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentLayoutPacer)

public:
    // Time one slice may take; a frame at 60 Hz is 16 ms.
    static constexpr qint64 SliceNs = 4'000'000;

    // Paces `document`'s layout for as long as the document lives; it owns the pacer.
    static void attach(QTextDocument &document);

    // One slice of the layout's work; false when everything is laid out. Public so tests and benches can
    // drive it without waiting for the layout's timer.
    bool layOutSlice();
    // Whether every block of the document is laid out.
    bool isComplete() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit DocumentLayoutPacer(QTextDocument &document);
    int firstBlockNotLaidOut() const;

    QTextDocument &m_document;
    int m_chunk = 2000; // characters asked for per call, adapted to the slice's time
    bool m_stalled = false;
};
