#include "gui/output/nameboardview.h"

#include "core/output/nameboard.h"
#include "core/output/nameboardpainter.h"
#include "gui/ui/offscreenpaint.h"

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
    if (!m_board) {
        paintOffScreen(*this, {});
        return;
    }
    paintOffScreen(*this, [this](QPainter &painter, const QRect &rect) {
        NameBoardPainter::paint(painter, rect, *m_board);
    });
}

NameBoard *NameBoardView::board() const
{
    return m_board;
}
