#pragma once

#include "core/output/chartmodel.h"
#include "core/output/nameboard.h"

#include <QObject>
#include <QRect>
#include <QTextDocument>

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
    QTextDocument &textDocument() { return m_document; }

signals:
    void shownChanged();
    void geometryChanged();

private:
    QRect m_rect{0, 0, 1024, 768};
    QColor m_background{0, 0, 255};
    QColor m_text{255, 255, 255};
    Pane m_pane = Pane::Text;
    bool m_visible = false;
    ChartModel m_chart;
    NameBoard m_nameBoard;
    QTextDocument m_document;
};
