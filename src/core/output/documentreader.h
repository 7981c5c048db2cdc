#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class OperatorNotifier;
class QTextDocument;

// Reads an RTF document off the interface thread into a document of its own, which is handed over in one
// step when it is complete. A document shown in a view re-lays itself out on every paragraph inserted,
// so a large file read straight into the hall screen's document kept the interface thread (and with it
// the link's tick) busy for minutes. Files above MaxBytes are refused before anything is read.
//
// A text view taking a document went through every block of it, on the interface thread, once for each
// setting it found different (its wrapping, the margin, the making of the layout, the page size): for
// 20 MB, hundreds of milliseconds. All but the page size are settled here while the document is read.
class DocumentReader final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentReader)

public:
    // Well above any meeting document with photos; a larger file is refused with a message.
    static constexpr qint64 MaxBytes = 32LL * 1024 * 1024;

    enum class Start
    {
        Reading,  // ready() follows
        Missing,  // no such file, or it cannot be opened
        TooLarge, // above MaxBytes; nothing is read
    };

    explicit DocumentReader(QObject *parent = nullptr);
    // Waits for a read still running; its document is dropped.
    ~DocumentReader() override;

    // The margin of the view the documents go to, given to each document as it is read.
    void setDocumentMargin(qreal margin) { m_margin = margin; }

    // A read already running is superseded: its document is dropped when it arrives.
    Start start(const QString &path);
    // Drops the result of the running read, if any.
    void cancel();
    bool isReading() const { return m_pending; }
    // The document of the last ready(true), parentless and living on this object's thread.
    std::unique_ptr<QTextDocument> takeDocument();

    // Names the file, its size and the limit.
    static void reportTooLarge(OperatorNotifier &notifier, const QString &path);

signals:
    // False when the file could not be read after all.
    void ready(bool read);

private:
    void handOver(quint64 generation, std::unique_ptr<QTextDocument> document);

    std::optional<qreal> m_margin;
    quint64 m_generation = 0;
    bool m_pending = false;
    std::unique_ptr<QTextDocument> m_document;
};
