#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

class ChartView;
class HallScreen;
class NameBoardView;
class QStackedLayout;
class QTextEdit;

// The borderless window on the hall display (FrmScr): a view of the HallScreen. It does no work of its own;
// the windows that use the hall display fill the HallScreen and choose its pane, and this window follows:
// it shows or hides itself with the pane chosen and moves when the geometry changes. Created hidden at
// start-up, it lives as long as the console; the HallScreen must outlive it.
class BigScreenWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BigScreenWindow)

public:
    // How the text pane is scrolled: the text player pages the hall's copy with the operator's.
    enum class Scroll
    {
        Top,
        PageUp,
        PageDown,
        Bottom
    };

    explicit BigScreenWindow(HallScreen &hall, QWidget *parent = nullptr);

    HallScreen &hall() const { return m_hall; }
    QTextEdit *textPane() const { return m_textPane; }
    ChartView *chartPane() const { return m_chartPane; }
    NameBoardView *nameBoard() const { return m_nameBoard; }
    // The pane in the window's front, whether or not the window shows.
    QWidget *currentPane() const;

    void scrollText(Scroll where);
    static void scroll(QTextEdit *edit, Scroll where);

    // Where the window goes for the hall's rectangle, whose left edge is the primary display's width: on
    // the first other screen when the system reports one (the hall's offset past the primary display
    // kept), else exactly the rectangle, right of the operator's display.
    static QRect placement(const QRect &hall, const QRect &primary, const QList<QRect> &others);

private:
    void followShown();
    void followGeometry();

    HallScreen &m_hall;
    QStackedLayout *m_panes;
    QTextEdit *m_textPane;
    ChartView *m_chartPane;
    NameBoardView *m_nameBoard;
};
