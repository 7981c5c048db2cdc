#pragma once

#include <QString>

class OperatorNotifier;
class QPrinter;
class ReportPageRenderer;

// Printing a report on the default printer. The pages are the renderer's, on the same A4 layout as the
// preview and the PDF.
namespace ReportPrinting {

// True only when the printer took every page and ended the job without an error; every other outcome is
// told to the operator (no default printer, a printer that refused the job or failed during it).
bool print(const ReportPageRenderer &renderer, const QString &title, OperatorNotifier &notifier);

// Every page on a printer already chosen, with the same checks and messages.
bool printOn(QPrinter &printer, const ReportPageRenderer &renderer, OperatorNotifier &notifier);

} // namespace ReportPrinting
