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
// Where a form page puts its boxes, from the printable area's top left.
constexpr double FormLeftMm = 20;
constexpr double FormWidthMm = 190;
constexpr double FormTopMm = 40;

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
    if (!m_document.forms.isEmpty())
        return int(m_document.forms.size());
    const int rows = int(m_document.table.size());
    return std::max(1, (rows + rowsPerPage() - 1) / rowsPerPage());
}

QRectF ReportPageRenderer::formFrameMm()
{
    // 20 mm in and 190 mm wide would end at 210 mm, past the printable area of any sheet (A4 itself is
    // 210 mm wide): the form keeps its left edge and gives up width so no box is cut off.
    const double width = std::min(FormWidthMm, printableMm().width() - FormLeftMm);
    return QRectF(FormLeftMm, FormTopMm, width, printableMm().height() - FormTopMm - FootMm);
}

void ReportPageRenderer::drawPage(QPainter &painter, const QRect &area, int page) const
{
    if (page < 1 || page > pageCount() || area.isEmpty())
        return;
    if (!m_document.forms.isEmpty()) {
        drawForm(painter, area, page);
        return;
    }
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

void ReportPageRenderer::drawForm(QPainter &painter, const QRect &area, int page) const
{
    const ReportFormPage &form = m_document.forms[page - 1];
    const double mm = area.width() / printableMm().width();
    const QRectF box(area);
    const QRectF frameMm = formFrameMm();
    const QRectF frame(box.left() + frameMm.left() * mm, box.top() + frameMm.top() * mm, frameMm.width() * mm,
                       frameMm.height() * mm);
    painter.save();
    painter.setClipRect(area);
    painter.setPen(Qt::black);

    auto text = [&](const QRectF &r, const QString &value, const QFont &font, Qt::Alignment align) {
        painter.setFont(font);
        painter.drawText(r, align | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(value, Qt::ElideRight, int(r.width())));
    };
    auto band = [&](double topMm, double heightMm) {
        return QRectF(frame.left(), box.top() + topMm * mm, frame.width(), heightMm * mm);
    };
    text(band(2, 11), m_document.meetingName, pageFont(22, mm, true), Qt::AlignHCenter);
    text(band(15, 9), form.title, pageFont(16, mm, true), Qt::AlignHCenter);
    text(band(28, 7), m_document.dateLine, pageFont(12, mm), Qt::AlignRight);

    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 0.3 * mm));
    const double rowHeight = RowMm * mm;
    const double inset = pen.widthF() / 2;
    const QFont plain = pageFont(12, mm);
    const QFont bold = pageFont(12, mm, true);
    double top = frame.top();
    for (const ReportFormBox &formBox : form.boxes) {
        QList<QStringList> rows = formBox.rows;
        const bool headed = !formBox.headings.isEmpty();
        if (headed)
            rows.prepend(formBox.headings);
        qsizetype cells = 0;
        for (const QStringList &row : rows)
            cells = std::max(cells, row.size());
        if (cells == 0)
            continue; // a box with nothing in it leaves no empty frame
        auto weight = [&formBox](qsizetype c) {
            return c < formBox.weights.size() ? std::max(1, formBox.weights[c]) : 1;
        };
        double weights = 0;
        for (qsizetype c = 0; c < cells; ++c)
            weights += weight(c);
        QList<double> lefts{frame.left()};
        for (qsizetype c = 0; c < cells; ++c)
            lefts.append(lefts.back() + frame.width() * weight(c) / weights);
        lefts.back() = frame.right();
        // Rows that would run past the foot are not drawn rather than drawn over it.
        const qsizetype fitting = std::min(rows.size(), qsizetype((frame.bottom() - top) / rowHeight));
        if (fitting <= 0)
            break;
        for (qsizetype r = 0; r < fitting; ++r) {
            const double y = top + r * rowHeight;
            const bool headingRow = headed && r == 0;
            if (headingRow || !headed)
                painter.fillRect(
                    QRectF(lefts[0], y, (headingRow ? frame.right() : lefts[1]) - lefts[0], rowHeight),
                    QColor(0xe6, 0xe6, 0xe6));
            for (qsizetype c = 0; c < cells; ++c) {
                const QRectF inner =
                    QRectF(lefts[c], y, lefts[c + 1] - lefts[c], rowHeight).adjusted(2 * mm, 0, -2 * mm, 0);
                painter.setPen(Qt::black);
                text(inner, c < rows[r].size() ? rows[r][c] : QString(),
                     headingRow || (!headed && c == 0) ? bold : plain, Qt::AlignLeft);
            }
        }
        const double bottom = top + fitting * rowHeight;
        painter.setPen(pen);
        for (qsizetype r = 0; r <= fitting; ++r) {
            const double y = std::clamp(top + r * rowHeight, box.top() + inset, box.bottom() - inset);
            painter.drawLine(QPointF(frame.left() + inset, y), QPointF(frame.right() - inset, y));
        }
        for (qsizetype c = 0; c <= cells; ++c) {
            const double x = std::clamp(lefts[c], box.left() + inset, frame.right() - inset);
            painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        }
        top = bottom + rowHeight;
    }

    painter.setPen(Qt::black);
    // The page number followed by the page word, as " %i %s".
    text(band(printableMm().height() - FootMm + 1, FootMm - 1),
         u' ' + QString::number(page) + u' ' + m_document.pageWord, pageFont(12, mm), Qt::AlignHCenter);
    painter.restore();
}
