#include "gui/output/chartview.h"

#include "core/output/chartmodel.h"
#include "core/output/chartpainter.h"
#include "gui/ui/offscreenpaint.h"

ChartView::ChartView(ChartModel *model, QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted each time: nothing of the parent needs to show through first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setModel(model);
}

void ChartView::setModel(ChartModel *model)
{
    if (m_model == model)
        return;
    disconnect(m_changed);
    m_model = model;
    if (m_model)
        m_changed = connect(m_model, &ChartModel::changed, this, qOverload<>(&QWidget::update));
    update();
}

QSize ChartView::sizeHint() const
{
    return {400, 300};
}

void ChartView::paintEvent(QPaintEvent *)
{
    if (!m_model) {
        paintOffScreen(*this, {});
        return;
    }
    paintOffScreen(*this, [this](QPainter &painter, const QRect &rect) {
        ChartPainter::paint(painter, rect, *m_model);
    });
}

ChartModel *ChartView::model() const
{
    return m_model;
}
