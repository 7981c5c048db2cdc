#include "gui/output/chartview.h"

#include <QPainter>

#include "core/output/chartmodel.h"
#include "core/output/chartpainter.h"
#include "core/output/chartrenderer.h"
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
    if (m_renderer)
        m_renderer->setModel(model);
    else if (m_model)
        m_changed = connect(m_model, &ChartModel::changed, this, qOverload<>(&QWidget::update));
    update();
}

void ChartView::paintInBackground()
{
    if (m_renderer)
        return;
    disconnect(m_changed);
    m_renderer = new ChartRenderer(m_model, this);
    connect(m_renderer, &ChartRenderer::imageChanged, this, qOverload<>(&QWidget::update));
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
    if (m_renderer) {
        // A new size cannot wait for a worker; later changes are painted at it in the background.
        const qreal ratio = devicePixelRatioF();
        if (!m_renderer->holdsSize(size(), ratio))
            m_renderer->paintNow(size(), ratio);
        QPainter(this).drawImage(0, 0, m_renderer->image());
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
