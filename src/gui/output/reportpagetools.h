#pragma once

#include "core/output/reporttable.h"
#include "gui/conduct/meetingmanagementwindow.h"

#include <QString>

class DataRoot;
class OperatorNotifier;
class QWidget;
class TextCatalogue;

// What the report pages share: choosing the workbook to export to (the roster's export chooses it the
// same way), and opening the preview.
namespace ReportPageTools {

// A save dialog for .xlsx or .csv, opened in `folder` (the dialog's default when empty), that asks before
// replacing a file; empty when cancelled.
QString chooseSheetPath(QWidget *parent, const TextCatalogue &catalogue, const QString &caption,
                        const QString &suggestedName, const QString &folder = {});

// The print preview of the document, modal; `title` names the PDF and the print job.
void preview(QWidget *parent, const ReportDocument &document, const QString &title,
             const TextCatalogue &catalogue, OperatorNotifier &notifier);

// The meeting-management window's report pages. The root, catalogue and notifier must outlive the window.
MeetingReportHooks hooks(const DataRoot &root, const TextCatalogue &catalogue, OperatorNotifier &notifier);

} // namespace ReportPageTools
