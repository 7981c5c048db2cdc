#pragma once

#include "core/output/chartmodel.h"
#include "core/output/documentreader.h"
#include "core/output/nameboard.h"

#include <QObject>
#include <QRect>
#include <QTextDocument>

#include <memory>

// What the hall display shows, for the whole run: its geometry and colours, the text pane's document,
// the chart pane's model and the name board, and which of the three panes is visible, if any. The
// conduct controllers fill it; the borderless window in the interface only shows it. So every flow that
// feeds the hall runs in a test without a screen.
class HallScreen final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HallScreen)

public:
    enum class Pane
    {
        Text,
        Chart,
        NameBoard
    };

    explicit HallScreen(QObject *parent = nullptr);

    // Places the display and colours every pane; the visible pane fills it.
    void setGeometry(const QRect &rect, const QColor &background, const QColor &text);
    // Shows the display with this pane; the other two are hidden.
    void show(Pane pane);
    void hide();

    bool isVisible() const { return m_visible; }
    Pane pane() const { return m_pane; }
    QRect geometry() const { return m_rect; }
    QColor background() const { return m_background; }
    QColor textColour() const { return m_text; }

    ChartModel &chart() { return m_chart; }
    NameBoard &nameBoard() { return m_nameBoard; }
    QTextDocument &textDocument() { return *m_document; }
    // Shows an RTF file in the text pane. The pane is emptied at once and the file is read off the
    // interface thread; the read document then takes the place of the pane's document in one step
    // (textDocumentReplaced). Missing and TooLarge change nothing: the caller keeps what the hall shows or
    // fills the pane itself.
    DocumentReader::Start showDocument(const QString &path);
    bool isReadingDocument() const { return m_reader.isReading(); }
    // Shows a document made elsewhere (parentless, on this thread), in one step; a read still running is
    // dropped.
    void showDocument(std::unique_ptr<QTextDocument> document);
    // Empties the text pane for the caller to write into; a document still being read is dropped.
    QTextDocument &clearText();

signals:
    void shownChanged();
    void geometryChanged();
    // textDocument() is another object now: views of the old one take the new one.
    void textDocumentReplaced();

private:
    void replaceDocument(std::unique_ptr<QTextDocument> document);

    QRect m_rect{0, 0, 1024, 768};
    QColor m_background{0, 0, 255};
    QColor m_text{255, 255, 255};
    Pane m_pane = Pane::Text;
    bool m_visible = false;
    ChartModel m_chart;
    NameBoard m_nameBoard;
    std::unique_ptr<QTextDocument> m_document;
    DocumentReader m_reader;
};
