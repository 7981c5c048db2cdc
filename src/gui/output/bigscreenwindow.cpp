#include "gui/output/bigscreenwindow.h"

#include <QStackedLayout>
#include <QTextEdit>

BigScreenWindow::BigScreenWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_panes(new QStackedLayout(this)),
      m_textPane(new QTextEdit(this)), m_chartPane(new QWidget(this)), m_nameBoard(new QWidget(this))
{
    setObjectName(QStringLiteral("FrmScr"));
    m_panes->setContentsMargins(0, 0, 0, 0);
    m_textPane->setReadOnly(true);
    m_textPane->setFrameShape(QFrame::NoFrame);
    m_textPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panes->addWidget(m_textPane);
    m_panes->addWidget(m_chartPane);
    m_panes->addWidget(m_nameBoard);
    applyGeometry(QRect(0, 0, 1024, 768), QColor(0, 0, 255), Qt::white);
    hide();
}

void BigScreenWindow::applyGeometry(const QRect &geometry, const QColor &background, const QColor &text)
{
    m_background = background;
    setGeometry(geometry);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    setPalette(palette);
    setAutoFillBackground(true);
    for (QWidget *pane : {static_cast<QWidget *>(m_textPane), m_chartPane, m_nameBoard}) {
        pane->setPalette(palette);
        pane->setAutoFillBackground(true);
    }
}

void BigScreenWindow::showPane(Pane pane)
{
    m_panes->setCurrentIndex(int(pane));
    show();
    raise();
}

void BigScreenWindow::hideScreen()
{
    hide();
}

BigScreenWindow::Pane BigScreenWindow::currentPane() const
{
    return Pane(m_panes->currentIndex());
}
