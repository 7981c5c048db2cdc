#pragma once

#include "core/output/reporttable.h"

#include <QPageLayout>
#include <QRect>
#include <QRectF>

class QPainter;

// Draws a report's pages: a heading (meeting, title, counts, date), the list as a ruled table whose
// heading row repeats on every page, and the page number at the foot; or, when the document carries
// forms, one form of boxes a page under the meeting, title and date. Lengths are millimetres and fonts
// points of the page, both turned into device units by the width of the rectangle it is given, so the
// screen's preview, a 600-dpi printer and a PDF show the same page. It knows nothing of printers.
class ReportPageRenderer final
{
public:
    static constexpr int PdfResolution = 300;
    static constexpr double RowMm = 7;

    explicit ReportPageRenderer(ReportDocument document);

    // A4 portrait with the margins every report is drawn within.
    static QPageLayout pageLayout();
    // The printable area of pageLayout() in millimetres.
    static QSizeF printableMm();
    // List rows on one page.
    static int rowsPerPage();
    // Where a form page's boxes may lie, in millimetres from the printable area's top left.
    static QRectF formFrameMm();

    const ReportDocument &document() const { return m_document; }
    // At least 1: an empty list still prints its heading.
    int pageCount() const;
    // Page 1..pageCount() into `area`, the printable area in device units; nothing is drawn outside it.
    void drawPage(QPainter &painter, const QRect &area, int page) const;

private:
    void drawForm(QPainter &painter, const QRect &area, int page) const;

    ReportDocument m_document;
};
