#include "gui/output/bigscreenwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTextEdit>

#include "core/output/hallscreen.h"
#include "gui/output/chartview.h"
#include "gui/output/nameboardview.h"

#include <algorithm>

BigScreenWindow::BigScreenWindow(HallScreen &hall, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_hall(hall), m_panes(new QStackedLayout(this)),
      m_textPane(new QTextEdit(this)), m_chartPane(new ChartView(&hall.chart(), this)),
      m_nameBoard(new NameBoardView(&hall.nameBoard(), this))
{
    setObjectName(QStringLiteral("FrmScr"));
    // The projector is never the place for keyboard focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_panes->setContentsMargins(0, 0, 0, 0);
    // The document belongs to the hall screen; the editor only shows it.
    m_textPane->setDocument(&hall.textDocument());
    connect(&hall, &HallScreen::textDocumentReplaced, this,
            [this] { m_textPane->setDocument(&m_hall.textDocument()); });
    m_textPane->setReadOnly(true);
    m_textPane->setTextInteractionFlags(Qt::NoTextInteraction);
    m_textPane->setFocusPolicy(Qt::NoFocus);
    m_textPane->setFrameShape(QFrame::NoFrame);
    m_textPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textPane->viewport()->setCursor(Qt::BlankCursor);
    m_panes->addWidget(m_textPane);
    // A live ballot changes the hall's chart with every vote that counts.
    m_chartPane->paintInBackground();
    m_panes->addWidget(m_chartPane);
    m_panes->addWidget(m_nameBoard);
    connect(&hall, &HallScreen::shownChanged, this, &BigScreenWindow::followShown);
    connect(&hall, &HallScreen::geometryChanged, this, &BigScreenWindow::followGeometry);
    followGeometry();
    m_panes->setCurrentIndex(int(hall.pane()));
    setVisible(hall.isVisible());
}

QWidget *BigScreenWindow::currentPane() const
{
    return m_panes->currentWidget();
}

QRect BigScreenWindow::placement(const QRect &hall, const QRect &primary, const QList<QRect> &others)
{
    if (others.isEmpty())
        return hall;
    const QPoint offset(hall.left() - primary.width(), hall.top());
    return QRect(others.first().topLeft() + offset, hall.size());
}

void BigScreenWindow::followShown()
{
    switch (m_hall.pane()) {
    case HallScreen::Pane::Text:
        m_panes->setCurrentWidget(m_textPane);
        break;
    case HallScreen::Pane::Chart:
        m_panes->setCurrentWidget(m_chartPane);
        break;
    case HallScreen::Pane::NameBoard:
        m_panes->setCurrentWidget(m_nameBoard);
        break;
    }
    if (!m_hall.isVisible()) {
        hide();
        return;
    }
    show();
    raise();
}

void BigScreenWindow::followGeometry()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, m_hall.background());
    palette.setColor(QPalette::Base, m_hall.background());
    palette.setColor(QPalette::WindowText, m_hall.textColour());
    palette.setColor(QPalette::Text, m_hall.textColour());
    setPalette(palette);
    setAutoFillBackground(true);
    m_textPane->setPalette(palette);
    m_textPane->viewport()->setAutoFillBackground(true);
    // Text read from the back of a hall should not run to the very edge of the projection.
    m_hall.textDocument().setDocumentMargin(std::max(8, m_hall.geometry().width() / 40));

    const QScreen *primary = QGuiApplication::primaryScreen();
    QList<QRect> others;
    QScreen *target = nullptr;
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen == primary)
            continue;
        if (!target)
            target = screen;
        others.append(screen->geometry());
    }
    const QRect primaryRect = primary ? primary->geometry() : QRect();
    if (target)
        setScreen(target);
    setGeometry(placement(m_hall.geometry(), primaryRect, others));
}

void BigScreenWindow::scrollText(Scroll where)
{
    scroll(m_textPane, where);
}

void BigScreenWindow::scroll(QTextEdit *edit, Scroll where)
{
    QScrollBar *bar = edit->verticalScrollBar();
    switch (where) {
    case Scroll::Top:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case Scroll::PageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Scroll::PageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Scroll::Bottom:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    }
}
