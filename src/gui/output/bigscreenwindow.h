#pragma once

#include <QColor>
#include <QWidget>

class QStackedLayout;
class QTextEdit;

// The borderless window on the hall display (FrmScr). It does no work of its own: it holds the text pane,
// the chart pane and the name board, of which at most one is visible, and the windows that use the hall
// display choose the pane and fill it. Created hidden at start-up, it lives as long as the console.
class BigScreenWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BigScreenWindow)

public:
    enum class Pane
    {
        Text,
        Chart,
        NameBoard
    };

    explicit BigScreenWindow(QWidget *parent = nullptr);

    // Places the window and sets its colours; the visible pane fills it.
    void applyGeometry(const QRect &geometry, const QColor &background, const QColor &text);
    // Shows the window with this pane and hides the other two.
    void showPane(Pane pane);
    void hideScreen();

    Pane currentPane() const;
    QTextEdit *textPane() const { return m_textPane; }
    QWidget *chartPane() const { return m_chartPane; }
    QWidget *nameBoard() const { return m_nameBoard; }
    QColor background() const { return m_background; }

private:
    QStackedLayout *m_panes;
    QTextEdit *m_textPane;
    QWidget *m_chartPane;
    QWidget *m_nameBoard;
    QColor m_background;
};
