#include "gui/output/nameboardview.h"

#include <QPainter>

#include "core/output/nameboard.h"
#include "core/output/nameboardpainter.h"

NameBoardView::NameBoardView(NameBoard *board, QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBoard(board);
}

void NameBoardView::setBoard(NameBoard *board)
{
    if (m_board == board)
        return;
    disconnect(m_changed);
    m_board = board;
    if (m_board)
        m_changed = connect(m_board, &NameBoard::changed, this, qOverload<>(&QWidget::update));
    update();
}

void NameBoardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (width() <= 0 || height() <= 0)
        return;
    if (!m_board) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    {
        QPainter off(&image);
        NameBoardPainter::paint(off, rect(), *m_board);
    }
    painter.drawImage(0, 0, image);
}

NameBoard *NameBoardView::board() const
{
    return m_board;
}
