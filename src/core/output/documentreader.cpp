#include "core/output/documentreader.h"

#include <QDir>
#include <QFile>
#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTextOption>
#include <QThread>

#include "core/output/rtfreader.h"
#include "core/base/operatornotifier.h"

namespace {

// Each of these is a pass over every block once the document has a layout, and the view does each one it
// finds different when it takes the document; here they cost the interface thread nothing.
void prepareForView(QTextDocument &document, std::optional<qreal> margin)
{
    QTextOption option = document.defaultTextOption();
    // A text view's wrapping unless it is told otherwise.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    if (margin)
        document.setDocumentMargin(*margin);
    // A program without a screen never lays a document out, and a layout needs the fonts.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    // Made with no page, so that nothing is laid out yet: the view lays out at its own width.
    document.setPageSize(QSizeF(0, 0));
    document.documentLayout();
}

} // namespace

DocumentReader::DocumentReader(QObject *parent) : QObject(parent) {}

DocumentReader::~DocumentReader()
{
    for (QThread *thread : findChildren<QThread *>(Qt::FindDirectChildrenOnly))
        thread->wait();
}

DocumentReader::Start DocumentReader::start(const QString &path)
{
    cancel();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return Start::Missing;
    if (info.size() > MaxBytes)
        return Start::TooLarge;

    const quint64 generation = ++m_generation;
    m_pending = true;
    QThread *owner = thread();
    QThread *worker = QThread::create([this, path, generation, owner, margin = m_margin] {
        // Boxed so that a hand-over dropped with this object still frees the document.
        auto box = std::make_shared<std::unique_ptr<QTextDocument>>(std::make_unique<QTextDocument>());
        QTextDocument &document = **box;
        bool read = false;
        QFile file(path);
        // The size is checked again on the open file: it may have grown since it was looked at.
        if (file.open(QIODevice::ReadOnly) && file.size() <= MaxBytes) {
            const QByteArray data = file.read(MaxBytes + 1);
            read = file.error() == QFileDevice::NoError && data.size() <= MaxBytes;
            if (read) {
                RtfReader::read(data, document);
                prepareForView(document, margin);
            }
        }
        if (!read)
            box->reset();
        else
            document.moveToThread(owner);
        QMetaObject::invokeMethod(
            this, [this, generation, box] { handOver(generation, std::move(*box)); }, Qt::QueuedConnection);
    });
    worker->setParent(this);
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start(QThread::LowPriority);
    return Start::Reading;
}

void DocumentReader::cancel()
{
    ++m_generation;
    m_pending = false;
}

std::unique_ptr<QTextDocument> DocumentReader::takeDocument()
{
    return std::move(m_document);
}

void DocumentReader::reportTooLarge(OperatorNotifier &notifier, const QString &path)
{
    constexpr qint64 MB = 1024 * 1024;
    const auto megabytes = [](qint64 bytes) { return QString::number((bytes + MB - 1) / MB); };
    notifier.error(OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgDocClew")),
                   OperatorText::catalogue(QStringLiteral("Public"), QStringLiteral("MsgDocTooLarge"),
                                           {QDir::toNativeSeparators(path), megabytes(QFileInfo(path).size()),
                                            megabytes(MaxBytes)}));
}

void DocumentReader::handOver(quint64 generation, std::unique_ptr<QTextDocument> document)
{
    if (generation != m_generation)
        return;
    m_pending = false;
    const bool read = document != nullptr;
    m_document = std::move(document);
    emit ready(read);
}
