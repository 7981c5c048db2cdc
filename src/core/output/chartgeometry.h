#pragma once

#include <QList>
#include <QPointF>
#include <QRect>

class ChartModel;

// Where the chart's parts go for one client rectangle, recomputed at every paint. Kept apart from the
// painting so that a test can find a bar or a slice where the picture must have it.
struct ChartGeometry
{
    QRect client;
    // The plot area: 5 % of the width in from either side, from 2/15 of the height down to the bottom.
    QRect plot;
    int captionTop = 0; // captions hang from 2 % of the height

    // Bar chart.
    int barWidth = 0;
    int baseLine = 0;       // y the bars stand on, 4/5 down the plot
    int barDepth = 0;       // the 3-D side and top faces
    int tallestBar = 0;     // the largest answer's height: up to the value text under the attendance line
    QRect attendance;       // a full ballot's due and present, across the top of the plot
    QList<QRect> barFronts; // empty (zero height) rectangles for empty bars

    // Pie chart: the top ellipse; the rim hangs below it.
    QRect pie;
    int rimDepth = 0;

    // Font sizes as the screens define them, in tenths of a point.
    int largeTenths = 0; // captions, message screen, key legend, result table
    int chartTenths = 0; // texts of the bar and pie charts

    static ChartGeometry compute(const ChartModel &model, const QRect &client);

    // The front face's x range of bar i.
    int barLeft(int i) const { return plot.left() + barWidth + 2 * i * barWidth; }
    // A point of the top ellipse at an angle (degrees counter-clockwise from 3 o'clock) and a fraction of
    // the full width and height from the centre: 0.5 is the edge.
    QPointF pieDirection(double degrees, double fraction) const;
};
