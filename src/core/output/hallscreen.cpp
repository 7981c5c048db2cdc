#include "core/output/hallscreen.h"

HallScreen::HallScreen(QObject *parent) : QObject(parent)
{
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
