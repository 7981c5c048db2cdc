#include "core/output/chartgeometry.h"

#include "core/output/chartmodel.h"

#include <algorithm>
#include <cmath>

namespace {

// The factor the screens have always turned degrees into radians with.
constexpr double DegreesToRadians = 0.01745328888888889;

} // namespace

ChartGeometry ChartGeometry::compute(const ChartModel &model, const QRect &client)
{
    ChartGeometry g;
    g.client = client;
    const int w = std::max(0, client.width());
    const int h = std::max(0, client.height());
    const int inset = int(0.05 * w);
    // Symmetric insets: a plot reaching 5 % past the right edge would cut the last bar of a full ballot.
    const int top = client.top() + 2 * h / 15;
    g.plot =
        QRect(client.left() + inset, top, std::max(0, w - 2 * inset), std::max(0, client.top() + h - top));
    g.captionTop = client.top() + int(0.02 * h);
    g.largeTenths = w / 2;
    g.chartTenths = w / 5;

    const int pw = g.plot.width();
    const int ph = g.plot.height();
    g.baseLine = g.plot.top() + ph * 4 / 5;
    g.barDepth = ph / 60;
    // From the top of the plot down: the attendance line, a value text's band, then the tallest bar.
    const int textBand = ph / 10;
    g.attendance = QRect(g.plot.left(), g.plot.top(), pw, textBand);
    g.tallestBar = std::max(0, g.baseLine - g.plot.top() - 2 * textBand - g.barDepth);
    if (model.barWidthDivisor() > 0) {
        g.barWidth = pw / model.barWidthDivisor();
        const QList<int> heights = model.barHeights(g.tallestBar);
        for (int i = 0; i < heights.size(); ++i)
            g.barFronts.append(QRect(g.barLeft(i), g.baseLine - heights[i], g.barWidth, heights[i]));
    }

    const int ew = pw / 2;
    const int eh = ph / 2;
    // Below the attendance line when there is one, so the labels of the upper slices stay clear of it.
    const int pieTop = g.plot.top() + (ph - eh) / 2 + (model.hasAttendance() ? textBand / 2 : 0);
    g.pie = QRect(g.plot.left() + (pw - ew) / 2, pieTop, ew, eh);
    g.rimDepth = ph / 20;
    return g;
}

QPointF ChartGeometry::pieDirection(double degrees, double fraction) const
{
    const double a = degrees * DegreesToRadians;
    const QPointF centre = QRectF(pie).center();
    return {centre.x() + std::cos(a) * fraction * pie.width(),
            centre.y() - std::sin(a) * fraction * pie.height()};
}
