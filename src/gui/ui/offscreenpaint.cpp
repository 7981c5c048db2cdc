#include "gui/ui/offscreenpaint.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

void paintOffScreen(QWidget &widget, const std::function<void(QPainter &, const QRect &)> &draw)
{
    if (widget.width() <= 0 || widget.height() <= 0)
        return;
    QPainter painter(&widget);
    if (!draw) {
        painter.fillRect(widget.rect(), widget.palette().window());
        return;
    }
    const qreal ratio = widget.devicePixelRatioF();
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    {
        QPainter off(&image);
        draw(off, widget.rect());
    }
    painter.drawImage(0, 0, image);
}
