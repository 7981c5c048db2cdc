#include "gui/output/reportprinting.h"

#include "core/output/reportpagerenderer.h"
#include "core/base/operatornotifier.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ReportPrinting {

bool print(const ReportPageRenderer &renderer, const QString &title, OperatorNotifier &notifier)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        notifier.error(OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("MsgErr")),
                       OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("MsgClewErr")));
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(title);
    return printOn(printer, renderer, notifier);
}

bool printOn(QPrinter &printer, const ReportPageRenderer &renderer, OperatorNotifier &notifier)
{
    const QString name =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    auto failed = [&notifier, &name] {
        notifier.error(
            OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("MsgErr")),
            OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("MsgPrintErr"), {name}));
        return false;
    };
    printer.setPageLayout(ReportPageRenderer::pageLayout());
    QPainter painter;
    if (!painter.begin(&printer))
        return failed();
    const QRect area(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    for (int page = 1; page <= renderer.pageCount(); ++page) {
        if (page > 1 && !printer.newPage()) {
            painter.end();
            return failed();
        }
        renderer.drawPage(painter, area, page);
    }
    // Ending the painter hands the job over; a spooler that fails then leaves the printer in its error
    // state, which must not read as printed.
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return failed();
    notifier.information(
        OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("Clew")),
        OperatorText::catalogue(QStringLiteral("FrmPreView"), QStringLiteral("MsgPrinted"), {name}));
    return true;
}

} // namespace ReportPrinting
