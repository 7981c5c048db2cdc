#include "core/output/chartpainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "core/output/chartgeometry.h"
#include "core/output/chartmodel.h"
#include "core/output/displayfonts.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace Qt::StringLiterals;

constexpr int MinimumPixelSize = 6;

// The largest size, not above the font's own, at which every text fits the box.
QFont fitted(QFont font, const QStringList &texts, qreal maxWidth, qreal maxHeight)
{
    int px = font.pixelSize();
    while (px > MinimumPixelSize) {
        const QFontMetricsF fm(font);
        qreal widest = 0;
        for (const QString &t : texts)
            widest = std::max(widest, fm.horizontalAdvance(t));
        const qreal height = fm.height();
        if (widest <= maxWidth && height <= maxHeight)
            break;
        const qreal scale = std::min(widest > 0 ? maxWidth / widest : 1.0, maxHeight / height);
        px = std::max(MinimumPixelSize, std::min(px - 1, int(px * scale)));
        font.setPixelSize(px);
    }
    return font;
}

QFont fitted(const QFont &font, const QString &text, qreal maxWidth, qreal maxHeight)
{
    return fitted(font, QStringList{text}, maxWidth, maxHeight);
}

void drawText(QPainter &p, const QRectF &box, int flags, const QString &text, const QFont &font,
              const QColor &colour)
{
    if (text.isEmpty())
        return;
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, flags | Qt::TextSingleLine, text);
}

int px(int tenths)
{
    return DisplayFonts::pixelSizeFromTenths(tenths);
}

// The caption band: from 2 % of the height down to the plot. A subcaption takes its lower part.
QRectF captionBand(const ChartGeometry &g, bool forSubcaption, bool withSubcaption)
{
    const qreal band = std::max(g.plot.top() - g.captionTop, g.client.height() / 10);
    if (!withSubcaption)
        return QRectF(g.client.left(), g.captionTop, g.client.width(), band);
    const qreal upper = band * 0.58;
    return forSubcaption ? QRectF(g.client.left(), g.captionTop + upper, g.client.width(), band - upper)
                         : QRectF(g.client.left(), g.captionTop, g.client.width(), upper);
}

// A caption centred across the whole width, hanging from 2 % of the height into the band above the plot.
// A long one (a motion's title) shrinks to fit, down to a third of its size, and is then elided.
void paintCaption(QPainter &p, const QRectF &box, const QString &text, const QFont &base,
                  const QColor &colour)
{
    if (text.isEmpty())
        return;
    const qreal width = box.width() * 0.96;
    QFont f = fitted(base, text, width, box.height());
    const int floor = std::max(MinimumPixelSize, base.pixelSize() / 3);
    QString shown = text;
    if (f.pixelSize() < floor) {
        f.setPixelSize(floor);
        shown = QFontMetricsF(f).elidedText(text, Qt::ElideRight, width);
    }
    drawText(p, box, Qt::AlignHCenter | Qt::AlignTop, shown, f, colour);
}

void paintBars(QPainter &p, const ChartGeometry &g, const ChartModel &m)
{
    const QList<ChartItem> &bars = m.bars();
    if (bars.isEmpty() || g.barWidth <= 0)
        return;
    const int bw = g.barWidth;
    const int d = g.barDepth;
    const int ph = g.plot.height();

    QStringList values;
    QStringList labels;
    for (const ChartItem &b : bars) {
        values.append(b.valueText);
        labels.append(b.label);
    }
    const QFont base = DisplayFonts::hei(px(g.chartTenths));
    const int gap = std::max(2, ph / 60);
    const QFont valueFont = fitted(base, values, 2 * bw - gap, std::max(1, ph / 10 - d - 1));
    const QFont labelFont =
        fitted(base, labels, 2 * bw - gap, std::max(1, g.plot.bottom() + 1 - g.baseLine - gap));

    // The floor the bars stand on, in the text colour but quieter.
    QColor floor = m.contentColour();
    floor.setAlpha(150);
    p.setPen(QPen(floor, std::max(1, ph / 250), Qt::SolidLine, Qt::FlatCap));
    const qreal floorY = g.baseLine + std::max(1, ph / 250) / 2.0;
    p.drawLine(
        QPointF(g.barLeft(0) - bw / 2.0, floorY),
        QPointF(std::min<qreal>(g.barLeft(int(bars.size()) - 1) + bw + d + bw / 2.0, g.plot.right() + 1),
                floorY));

    for (int i = 0; i < bars.size(); ++i) {
        const QRect front = g.barFronts.value(i);
        const ChartModel::PaletteEntry colours = ChartModel::palette(bars[i].paletteIndex);
        const int x = front.left();
        const int top = g.baseLine - front.height();
        if (front.height() > 0) {
            p.setPen(Qt::NoPen);
            p.setBrush(colours.side);
            p.drawPolygon(QPolygonF({QPointF(x + bw, g.baseLine), QPointF(x + bw + d, g.baseLine - d),
                                     QPointF(x + bw + d, top - d), QPointF(x + bw, top)}));
            p.setBrush(colours.front);
            p.drawPolygon(QPolygonF({QPointF(x, top), QPointF(x + d, top - d), QPointF(x + bw + d, top - d),
                                     QPointF(x + bw, top)}));
            p.fillRect(front, colours.front);
            // The top and the front share a colour; a seam in the side colour keeps the edge readable.
            p.setPen(QPen(colours.side, 1));
            p.drawLine(QPointF(x, top + 0.5), QPointF(x + bw, top + 0.5));
        }
        const qreal centre = x + bw / 2.0;
        drawText(p, QRectF(centre - bw, top - ph / 10.0, 2.0 * bw, ph / 10.0),
                 Qt::AlignHCenter | Qt::AlignTop, bars[i].valueText, valueFont, m.contentColour());
        drawText(p, QRectF(centre - bw, g.baseLine + gap, 2.0 * bw, g.plot.bottom() + 1 - g.baseLine - gap),
                 Qt::AlignHCenter | Qt::AlignTop, bars[i].label, labelFont, m.contentColour());
    }
}

QPolygonF rimBand(const QRectF &pie, double depth, double fromDeg, double toDeg)
{
    QPolygonF band;
    const QPointF c = pie.center();
    const double rx = pie.width() / 2;
    const double ry = pie.height() / 2;
    const int steps = std::max(2, int(std::ceil((toDeg - fromDeg) * 2)));
    auto at = [&](double deg, double dy) {
        const double a = qDegreesToRadians(deg);
        return QPointF(c.x() + std::cos(a) * rx, c.y() - std::sin(a) * ry + dy);
    };
    for (int s = 0; s <= steps; ++s)
        band.append(at(fromDeg + (toDeg - fromDeg) * s / steps, 0));
    for (int s = steps; s >= 0; --s)
        band.append(at(fromDeg + (toDeg - fromDeg) * s / steps, depth));
    return band;
}

struct PieLabel
{
    QString text;
    QPointF anchor;
    QPointF leaderFrom;
    QRectF box;
    bool upper = false;
};

void paintPie(QPainter &p, const ChartGeometry &g, const ChartModel &m)
{
    const QList<ChartSliceSpan> spans = m.sliceSpans();
    if (spans.isEmpty() || g.pie.isEmpty())
        return;
    const QList<ChartItem> &slices = m.slices();
    const QRectF pie(g.pie);

    // The rim is the part of the wall below the front half of the ellipse (180..360 degrees).
    for (int i = 0; i < spans.size(); ++i) {
        const double from = std::max(180.0, double(spans[i].startDegrees));
        const double to = std::min(360.0, double(spans[i].startDegrees + spans[i].spanDegrees));
        if (to <= from)
            continue;
        const QColor side = ChartModel::palette(slices[i].paletteIndex).side;
        p.setPen(QPen(side, 1));
        p.setBrush(side);
        p.drawPolygon(rimBand(pie, g.rimDepth, from, to));
    }
    for (int i = 0; i < spans.size(); ++i) {
        if (spans[i].spanDegrees <= 0)
            continue;
        const QColor front = ChartModel::palette(slices[i].paletteIndex).front;
        p.setPen(QPen(front, 1));
        p.setBrush(front);
        p.drawPie(pie, spans[i].startDegrees * 16, spans[i].spanDegrees * 16);
    }

    // Labels: "label:value" at 10/13 of the full width and height out along the middle angle, beyond
    // the pie, with a leader from a quarter of the way out.
    QList<PieLabel> labels;
    QStringList texts;
    for (int i = 0; i < spans.size(); ++i) {
        if (spans[i].spanDegrees <= 0)
            continue;
        const double middle = spans[i].startDegrees + spans[i].spanDegrees / 2.0;
        PieLabel l;
        l.text = slices[i].label + u':' + slices[i].valueText;
        l.anchor = g.pieDirection(middle, 10.0 / 13.0);
        l.leaderFrom = g.pieDirection(middle, 0.25);
        l.upper = std::sin(qDegreesToRadians(middle)) > 0;
        labels.append(l);
        texts.append(l.text);
    }
    QRectF area = QRectF(g.client).adjusted(4, 4, -4, -4);
    if (m.hasAttendance())
        area.setTop(g.attendance.bottom() + 2);
    const QFont font =
        fitted(DisplayFonts::hei(px(g.chartTenths)), texts,
               std::max(20.0, std::min(area.right() - pie.right(), pie.left() - area.left()) * 1.4),
               std::max(8.0, g.plot.height() / 10.0));
    const QFontMetricsF fm(font);

    // Labels nearest the pie's horizontal middle are placed first and the others pushed outward past them,
    // so leaders of neighbouring slivers do not cross.
    QList<PieLabel *> order;
    for (PieLabel &l : labels)
        order.append(&l);
    std::stable_sort(order.begin(), order.end(), [&pie](const PieLabel *a, const PieLabel *b) {
        return std::abs(a->anchor.y() - pie.center().y()) < std::abs(b->anchor.y() - pie.center().y());
    });
    QList<QRectF> placed;
    for (PieLabel *label : std::as_const(order)) {
        PieLabel &l = *label;
        const QSizeF size(std::min(fm.horizontalAdvance(l.text) + 2, area.width()), fm.height());
        const double dx = l.anchor.x() - pie.center().x();
        QPointF topLeft;
        if (dx > pie.width() * 0.08)
            topLeft.setX(l.anchor.x());
        else if (dx < -pie.width() * 0.08)
            topLeft.setX(l.anchor.x() - size.width());
        else
            topLeft.setX(l.anchor.x() - size.width() / 2);
        topLeft.setY(l.upper ? l.anchor.y() - size.height() : l.anchor.y());
        QRectF box(topLeft, size);
        auto clamp = [&area](QRectF b) {
            b.moveLeft(std::clamp(b.left(), area.left(), std::max(area.left(), area.right() - b.width())));
            b.moveTop(std::clamp(b.top(), area.top(), std::max(area.top(), area.bottom() - b.height())));
            return b;
        };
        box = clamp(box);
        // Slivers side by side would stack their labels on one spot: move a label off the ones placed.
        for (int tries = 0; tries < placed.size() * 2 + 2; ++tries) {
            const auto hit = std::find_if(placed.cbegin(), placed.cend(),
                                          [&box](const QRectF &r) { return r.intersects(box); });
            if (hit == placed.cend())
                break;
            const QRectF moved = l.upper ? box.translated(0, hit->top() - box.bottom() - 2)
                                         : box.translated(0, hit->bottom() - box.top() + 2);
            const QRectF clamped = clamp(moved);
            box = clamped == moved ? moved
                                   : clamp(l.upper ? box.translated(0, hit->bottom() - box.top() + 2)
                                                   : box.translated(0, hit->top() - box.bottom() - 2));
        }
        placed.append(box);
        l.box = box;
    }

    for (const PieLabel &l : labels) {
        const QPointF end(std::clamp(l.anchor.x(), l.box.left(), l.box.right()),
                          std::clamp(l.anchor.y(), l.box.top(), l.box.bottom()));
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(l.leaderFrom, end);
        drawText(p, l.box, Qt::AlignLeft | Qt::AlignVCenter, l.text, font, m.contentColour());
    }
}

// Due and present of a full ballot, one line over the bars or the pie: "Due 10 delegates   Present 8
// delegates".
void paintAttendance(QPainter &p, const ChartGeometry &g, const ChartModel &m)
{
    if (!m.hasAttendance() || g.attendance.isEmpty())
        return;
    const auto part = [&m](int i) {
        QStringList words{m.label(i), m.field(i + 1), m.personsUnit()};
        words.removeAll(QString());
        return words.join(u' ');
    };
    const QString line = part(0) + u"    "_s + part(1);
    const QFont f =
        fitted(DisplayFonts::hei(px(g.chartTenths)), line, g.attendance.width(), g.attendance.height());
    drawText(p, g.attendance, Qt::AlignHCenter | Qt::AlignVCenter, line, f, m.contentColour());
}

struct TableRow
{
    int band = 0;
    QString label;
    QString value;
    QString unit;
    QString percentage;
};

void paintTable(QPainter &p, const ChartGeometry &g, const ChartModel &m)
{
    const QString P = m.personsUnit();
    const QString Ticket = m.votesUnit();
    QList<TableRow> rows;
    int bands = 5;
    switch (m.kind()) {
    case ChartModel::Kind::FullBallot: {
        bands = 6;
        const int n = m.field(0) == u"1"_s ? 6 : m.field(0) == u"2"_s ? 5 : 0;
        for (int i = 0; i < n; ++i) {
            TableRow r{i, m.label(i), m.field(i + 1), i < 2 ? P : Ticket, {}};
            if (m.showsPercentages() && i >= 2 && i <= 4)
                r.percentage = m.field(i + 5);
            rows.append(r);
        }
        break;
    }
    case ChartModel::Kind::ElectOneOfThree:
    case ChartModel::Kind::ElectSeveralOfThree:
        for (int i = 0; i < 3; ++i)
            rows.append({i + 1, m.label(i), m.field(i), Ticket, {}});
        break;
    case ChartModel::Kind::ElectOneOfFive:
    case ChartModel::Kind::ElectSeveralOfFive:
        for (int i = 0; i < 5; ++i)
            rows.append({i, m.label(i), m.field(i), Ticket, {}});
        break;
    case ChartModel::Kind::PersonCounts:
        // A line without a count (the quorum verdict) carries no unit; an empty line is left out.
        for (int i = 0; i < 5; ++i) {
            if (!m.label(i).isEmpty() || !m.field(i).isEmpty())
                rows.append({i, m.label(i), m.field(i), m.field(i).isEmpty() ? QString() : P, {}});
        }
        break;
    case ChartModel::Kind::Scoring:
        rows.append({2, m.label(0), m.field(0), {}, {}});
        break;
    case ChartModel::Kind::None:
        break;
    }
    if (rows.isEmpty())
        return;

    const QRect &plot = g.plot;
    const qreal pitch = plot.height() / qreal(bands);
    QStringList labels, values, units, percentages;
    for (const TableRow &r : rows) {
        labels.append(r.label);
        values.append(r.value);
        units.append(r.unit);
        percentages.append(r.percentage);
    }
    // One size for the whole table: the columns must line up and the widest row must fit the plot.
    QFont font = DisplayFonts::hei(px(g.largeTenths));
    font = fitted(font, u"0"_s, 1e9, pitch * 0.8);
    auto widest = [](const QFontMetricsF &fm, const QStringList &list) {
        qreal w = 0;
        for (const QString &t : list)
            w = std::max(w, fm.horizontalAdvance(t));
        return w;
    };
    qreal gapWidth = 0;
    qreal total = 0;
    for (int attempt = 0; attempt < 40; ++attempt) {
        const QFontMetricsF fm(font);
        gapWidth = fm.horizontalAdvance(u"00"_s);
        total = widest(fm, labels) + gapWidth + widest(fm, values) + gapWidth / 2 + widest(fm, units) +
                (widest(fm, percentages) > 0 ? gapWidth + widest(fm, percentages) : 0);
        if (total <= plot.width() * 0.92 || font.pixelSize() <= MinimumPixelSize)
            break;
        font.setPixelSize(
            std::max(MinimumPixelSize,
                     std::min(font.pixelSize() - 1, int(font.pixelSize() * plot.width() * 0.92 / total))));
    }
    const QFontMetricsF fm(font);
    const qreal labelW = widest(fm, labels);
    const qreal valueW = widest(fm, values);
    const qreal unitW = widest(fm, units);
    const qreal x0 = plot.left() + (plot.width() - total) / 2;
    const qreal valueRight = x0 + labelW + gapWidth + valueW;
    const qreal unitLeft = valueRight + gapWidth / 2;
    const qreal percentRight = x0 + total;
    const QColor c = m.contentColour();
    for (const TableRow &r : rows) {
        const QRectF band(plot.left(), plot.top() + r.band * pitch, plot.width(), pitch);
        drawText(p, QRectF(x0, band.top(), labelW + 1, band.height()), Qt::AlignLeft | Qt::AlignVCenter,
                 r.label, font, c);
        drawText(p, QRectF(valueRight - valueW - 1, band.top(), valueW + 1, band.height()),
                 Qt::AlignRight | Qt::AlignVCenter, r.value, font, c);
        drawText(p, QRectF(unitLeft, band.top(), unitW + 1, band.height()), Qt::AlignLeft | Qt::AlignVCenter,
                 r.unit, font, c);
        if (!r.percentage.isEmpty())
            drawText(p,
                     QRectF(percentRight - fm.horizontalAdvance(r.percentage) - 1, band.top(),
                            fm.horizontalAdvance(r.percentage) + 1, band.height()),
                     Qt::AlignRight | Qt::AlignVCenter, r.percentage, font, c);
    }
}

void paintMessage(QPainter &p, const ChartGeometry &g, const ChartModel &m)
{
    const QStringList &lines = m.messageLines();
    const int ph = g.plot.height();
    const int top = g.client.top();
    const qreal band = ph / 5.0;
    const QFont base = DisplayFonts::arial(px(g.largeTenths));
    const qreal middle = g.plot.left() + g.plot.width() / 2.0;
    const qreal width = g.plot.width();
    auto line = [&](const QString &text, qreal y) {
        const QFont f = fitted(base, text, width, band);
        drawText(p, QRectF(middle - width / 2, y, width, band), Qt::AlignHCenter | Qt::AlignTop, text, f,
                 m.contentColour());
    };
    if (!lines.value(1).isEmpty()) {
        line(lines.value(0), top + ph / 5);
        line(lines.value(1), top + 2 * ph / 5);
    } else {
        line(lines.value(0), top + 2 * ph / 5);
    }
    line(lines.value(2), top + 3 * ph / 5);
}

void paintLegend(QPainter &p, const ChartGeometry &g, const ChartModel &m)
{
    const QStringList &fields = m.legendFields();
    const QRect &plot = g.plot;
    const int ph = plot.height();
    const int plotTop = plot.top() - g.client.top();
    const qreal pitch = ph / 6.0;
    const qreal keyX = plot.left() + (plot.left() + plot.right() + 1 - 2 * g.client.left()) / 10.0;
    const qreal nameX = plot.left() + plot.width() / 2.0;
    const QStringList keys = fields.mid(0, 5);
    const QStringList names = fields.mid(5, 5);
    QFont font = DisplayFonts::arial(px(g.largeTenths));
    font = fitted(font, keys, nameX - keyX - 8, pitch * 0.8);
    font = fitted(font, names, plot.right() + 1 - nameX, pitch * 0.8);
    // The rows start half way down the band above the plot, where a caption would hang: with a caption
    // showing they start at the plot instead, at the same pitch.
    const bool captioned = !m.caption().isEmpty() || !m.secondCaption().isEmpty();
    const qreal firstRow = g.client.top() + (captioned ? plotTop : plotTop / 2.0);
    for (int i = 0; i < 5; ++i) {
        const qreal y = firstRow + i * pitch;
        drawText(p, QRectF(keyX, y, nameX - keyX - 4, pitch), Qt::AlignLeft | Qt::AlignTop, keys.value(i),
                 font, m.contentColour());
        drawText(p, QRectF(nameX, y, plot.right() + 1 - nameX, pitch), Qt::AlignLeft | Qt::AlignTop,
                 names.value(i), font, m.contentColour());
    }
    const QString line3 = m.legendLine3();
    const QFont f3 = fitted(DisplayFonts::arial(px(g.largeTenths)), line3, plot.width(), pitch * 0.8);
    drawText(p, QRectF(plot.left(), plot.top() + 5 * pitch, plot.width(), pitch),
             Qt::AlignHCenter | Qt::AlignTop, line3, f3, m.contentColour());
}

} // namespace

void ChartPainter::paint(QPainter &painter, const QRect &client, const ChartModel &model)
{
    if (client.width() <= 0 || client.height() <= 0)
        return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const ChartGeometry g = ChartGeometry::compute(model, client);
    painter.fillRect(client, model.background());
    painter.fillRect(g.plot, model.plotColour());

    const bool sub = !model.subcaption().isEmpty();
    paintCaption(painter, captionBand(g, false, sub), model.secondCaption(),
                 DisplayFonts::hei(px(g.largeTenths)), model.captionColour());
    switch (model.screen()) {
    case ChartModel::Screen::Bar:
        paintAttendance(painter, g, model);
        paintBars(painter, g, model);
        break;
    case ChartModel::Screen::Pie:
        paintAttendance(painter, g, model);
        paintPie(painter, g, model);
        break;
    case ChartModel::Screen::Table:
        paintTable(painter, g, model);
        break;
    case ChartModel::Screen::Message:
        paintMessage(painter, g, model);
        break;
    case ChartModel::Screen::Legend:
        paintLegend(painter, g, model);
        break;
    case ChartModel::Screen::None:
        break;
    }
    paintCaption(painter, captionBand(g, false, sub), model.caption(), DisplayFonts::arial(px(g.largeTenths)),
                 model.captionColour());
    paintCaption(painter, captionBand(g, true, sub), model.subcaption(),
                 DisplayFonts::arial(px(g.largeTenths)), model.captionColour());
    painter.restore();
}

QImage ChartPainter::render(const ChartModel &model, const QSize &size)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(model.background());
    QPainter painter(&image);
    paint(painter, QRect(QPoint(0, 0), size), model);
    return image;
}
