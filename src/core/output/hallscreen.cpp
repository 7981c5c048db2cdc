#include "core/output/hallscreen.h"

#include "core/output/documentlayoutpacer.h"

HallScreen::HallScreen(QObject *parent) : QObject(parent), m_document(std::make_unique<QTextDocument>())
{
    connect(&m_reader, &DocumentReader::ready, this, [this](bool read) {
        if (read)
            replaceDocument(m_reader.takeDocument());
    });
    m_chart.setColours(m_background, m_background);
    m_nameBoard.setColours(m_background, m_text);
}

void HallScreen::setGeometry(const QRect &rect, const QColor &background, const QColor &text)
{
    m_rect = rect;
    m_background = background;
    m_text = text;
    m_chart.setColours(background, background);
    m_nameBoard.setColours(background, text);
    emit geometryChanged();
}

void HallScreen::show(Pane pane)
{
    m_pane = pane;
    m_visible = true;
    emit shownChanged();
}

void HallScreen::hide()
{
    m_visible = false;
    emit shownChanged();
}

DocumentReader::Start HallScreen::showDocument(const QString &path)
{
    m_reader.setDocumentMargin(m_document->documentMargin());
    const DocumentReader::Start start = m_reader.start(path);
    // A file that is not read leaves the pane as it was: its caller decides what the hall shows then.
    if (start == DocumentReader::Start::Reading)
        m_document->clear();
    return start;
}

void HallScreen::showDocument(std::unique_ptr<QTextDocument> document)
{
    m_reader.cancel();
    replaceDocument(std::move(document));
}

void HallScreen::replaceDocument(std::unique_ptr<QTextDocument> document)
{
    document->setDocumentMargin(m_document->documentMargin());
    DocumentLayoutPacer::attach(*document);
    // The old document stays alive until the views have let go of it.
    std::swap(document, m_document);
    emit textDocumentReplaced();
    document.release()->deleteLater();
}

QTextDocument &HallScreen::clearText()
{
    m_reader.cancel();
    m_document->clear();
    return *m_document;
}
