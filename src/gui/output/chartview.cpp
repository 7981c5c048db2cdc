#include "gui/output/chartview.h"

#include <QPainter>

#include "core/output/chartmodel.h"
#include "core/output/chartpainter.h"

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
    QPainter painter(this);
    if (width() <= 0 || height() <= 0)
        return;
    if (!m_model) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    // The whole chart at the device's pixel ratio, so a high-density display stays sharp.
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    {
        QPainter off(&image);
        ChartPainter::paint(off, rect(), *m_model);
    }
    painter.drawImage(0, 0, image);
}

ChartModel *ChartView::model() const
{
    return m_model;
}
