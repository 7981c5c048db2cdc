#pragma once

#include "core/output/reporttable.h"
#include "gui/conduct/meetingmanagementwindow.h"

#include <QDate>
#include <QPushButton>
#include <QString>

class DataRoot;
class ListTable;
class OperatorNotifier;
class QLabel;
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

// The report pages lie on the light panel of the meeting records' picture: captions in the details panel's
// dark blue, and a bold title label centred over the list.
void styleForPanel(QWidget *page, QLabel *title);

// The list shows the table: its headings, their widths and its rows.
void showTable(ListTable *list, const ReportTable &table);

// A report page's export and print buttons. The controller names its meeting and table, exports them to a
// workbook (`exportTo`) and lays them out for printing (`document`); the file and the print job are named
// after the meeting and the table. The controller, catalogue and notifier must outlive the page.
template <typename Controller>
void connectExportAndPrint(QWidget *page, QPushButton *exportButton, QPushButton *printButton,
                           Controller &controller, const TextCatalogue &catalogue, OperatorNotifier &notifier)
{
    const auto reportName = [&controller] {
        return controller.meetingName() + u" " + controller.table().title;
    };
    QObject::connect(exportButton, &QPushButton::clicked, page, [=, &controller, &catalogue] {
        const QString path = chooseSheetPath(page, catalogue, exportButton->text(), reportName());
        if (!path.isEmpty())
            controller.exportTo(path);
    });
    QObject::connect(printButton, &QPushButton::clicked, page, [=, &controller, &catalogue, &notifier] {
        preview(page, controller.document(QDate::currentDate()), reportName(), catalogue, notifier);
    });
}

// The meeting-management window's report pages. The root, catalogue and notifier must outlive the window.
MeetingReportHooks hooks(const DataRoot &root, const TextCatalogue &catalogue, OperatorNotifier &notifier);

} // namespace ReportPageTools
