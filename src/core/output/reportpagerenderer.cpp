#include "core/output/reportpagerenderer.h"

#include "core/output/displayfonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {
constexpr double HeadMm = 26; // meeting, title, counts and date above the table
constexpr double FootMm = 8;  // the page number below it
constexpr double PaddingMm = 1;

QFont pageFont(double points, double unitsPerMm, bool bold = false)
{
    QFont font;
    // The hall's Latin face with the Chinese-capable family behind it, so every name prints.
    font.setFamilies(DisplayFonts::familiesFor(QStringLiteral("Arial")));
    // Points of the page (1 pt = 25.4 / 72 mm), whatever resolution the device claims.
    font.setPixelSize(std::max(1, int(std::lround(points * 25.4 / 72 * unitsPerMm))));
    font.setBold(bold);
    return font;
}
} // namespace

ReportPageRenderer::ReportPageRenderer(ReportDocument document) : m_document(std::move(document)) {}

QPageLayout ReportPageRenderer::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 15, 12),
                       QPageLayout::Millimeter);
}

QSizeF ReportPageRenderer::printableMm()
{
    return pageLayout().paintRect(QPageLayout::Millimeter).size();
}

int ReportPageRenderer::rowsPerPage()
{
    // The heading row takes one row on every page.
    return std::max(1, int((printableMm().height() - HeadMm - FootMm) / RowMm) - 1);
}

int ReportPageRenderer::pageCount() const
{
    const int rows = int(m_document.table.size());
    return std::max(1, (rows + rowsPerPage() - 1) / rowsPerPage());
}

void ReportPageRenderer::drawPage(QPainter &painter, const QRect &area, int page) const
{
    if (page < 1 || page > pageCount() || area.isEmpty())
        return;
    const ReportTable &table = m_document.table;
    const double mm = area.width() / printableMm().width();
    const QRectF box(area);
    painter.save();
    painter.setClipRect(area);
    painter.setPen(Qt::black);

    auto line = [&](double topMm, double heightMm, const QString &text, const QFont &font,
                    Qt::Alignment align) {
        painter.setFont(font);
        const QRectF r(box.left(), box.top() + topMm * mm, box.width(), heightMm * mm);
        painter.drawText(r, align | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, int(r.width())));
    };
    line(0, 9, m_document.meetingName, pageFont(16, mm, true), Qt::AlignHCenter);
    line(9, 8, table.title, pageFont(12, mm, true), Qt::AlignHCenter);
    line(18, 6, m_document.summary, pageFont(10, mm), Qt::AlignLeft);
    line(18, 6, m_document.dateLine, pageFont(10, mm), Qt::AlignRight);

    // Columns share the width in proportion to the list's widths.
    const qsizetype columns = table.headings.size();
    const QList<int> &widths = table.printWeights.isEmpty() ? table.columnPixels : table.printWeights;
    auto weight = [&widths](qsizetype c) { return c < widths.size() ? std::max(1, widths[c]) : 60; };
    QList<double> lefts{box.left()};
    double weights = 0;
    for (qsizetype c = 0; c < columns; ++c)
        weights += weight(c);
    for (qsizetype c = 0; c < columns; ++c)
        lefts.append(lefts.back() + box.width() * weight(c) / weights);
    lefts.back() = box.right();

    const int first = (page - 1) * rowsPerPage();
    const int last = std::min(int(table.size()), first + rowsPerPage());
    const double top = box.top() + HeadMm * mm;
    const double rowHeight = RowMm * mm;
    auto drawRow = [&](int index, const QStringList &cells, const QFont &font) {
        painter.setFont(font);
        const double y = top + index * rowHeight;
        for (qsizetype c = 0; c < columns; ++c) {
            const QRectF cell(lefts[c], y, lefts[c + 1] - lefts[c], rowHeight);
            const QRectF inner = cell.adjusted(PaddingMm * mm, 0, -PaddingMm * mm, 0);
            const QString text = c < cells.size() ? cells[c] : QString();
            painter.drawText(inner,
                             (table.isCentred(c) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(text, Qt::ElideRight, int(inner.width())));
        }
    };
    const double bottom = top + (last - first + 1) * rowHeight;
    painter.fillRect(QRectF(box.left(), top, box.width(), rowHeight), QColor(0xe6, 0xe6, 0xe6));
    drawRow(0, table.headings, pageFont(8, mm, true));
    const QFont cellFont = pageFont(8, mm);
    for (int r = first; r < last; ++r)
        drawRow(r - first + 1, table.rows[r], cellFont);

    // The rules are drawn inside the area, so a border is never half cut by the printable edge.
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 0.25 * mm));
    painter.setPen(pen);
    const double inset = pen.widthF() / 2;
    for (int r = 0; r <= last - first + 1; ++r) {
        const double y = std::min(top + r * rowHeight, box.bottom() - inset);
        painter.drawLine(QPointF(box.left() + inset, y), QPointF(box.right() - inset, y));
    }
    for (qsizetype c = 0; c <= columns; ++c) {
        const double x = std::clamp(lefts[c], box.left() + inset, box.right() - inset);
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    }

    painter.setPen(Qt::black);
    line(printableMm().height() - FootMm + 2, FootMm - 2,
         m_document.pageWord + u' ' + QString::number(page) + u" / " + QString::number(pageCount()),
         pageFont(9, mm), Qt::AlignHCenter);
    painter.restore();
}
