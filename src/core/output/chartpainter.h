#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class ChartModel;
class QPainter;

// Paints a chart's state onto any paint device: a widget's off-screen image, a PNG, a printed page. The
// proportions follow the screens the hall has always seen; texts shrink where a long name or a small
// screen would otherwise clip them.
class ChartPainter final
{
public:
    ChartPainter() = delete;

    static void paint(QPainter &painter, const QRect &client, const ChartModel &model);
    // The whole chart drawn off-screen, for copying to a window in one step or saving.
    static QImage render(const ChartModel &model, const QSize &size);
};
