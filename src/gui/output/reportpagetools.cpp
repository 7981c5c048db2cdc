#include "gui/output/reportpagetools.h"

#include "core/base/textcatalogue.h"
#include "gui/output/ballotreportpage.h"
#include "gui/output/journalpage.h"
#include "gui/output/printpreviewwindow.h"
#include "gui/output/signinreportpage.h"
#include "gui/ui/listtable.h"

#include <QFileDialog>
#include <QLabel>

namespace ReportPageTools {

QString chooseSheetPath(QWidget *parent, const TextCatalogue &catalogue, const QString &caption,
                        const QString &suggestedName, const QString &folder)
{
    // The roster's exchange names the same two kinds.
    const QString xlsx =
        catalogue.text(QStringLiteral("FrmManinfo"), QStringLiteral("FilterXlsx")) + u" (*.xlsx)";
    const QString csv =
        catalogue.text(QStringLiteral("FrmManinfo"), QStringLiteral("FilterCsv")) + u" (*.csv)";
    QFileDialog dialog(parent, caption, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({xlsx, csv});
    // A name typed without a suffix takes the chosen kind's, and the dialog asks before replacing a file
    // of that full name.
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, csv](const QString &filter) {
        dialog.setDefaultSuffix(filter == csv ? QStringLiteral("csv") : QStringLiteral("xlsx"));
    });
    dialog.selectFile(suggestedName + u".xlsx");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void preview(QWidget *parent, const ReportDocument &document, const QString &title,
             const TextCatalogue &catalogue, OperatorNotifier &notifier)
{
    PrintPreviewWindow window(document, title, catalogue, notifier, parent);
    window.setWindowState(Qt::WindowMaximized);
    window.exec();
}

void styleForPanel(QWidget *page, QLabel *title)
{
    page->setStyleSheet(QStringLiteral("QLabel { color: #1e3a5f; }"));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-size: 13pt; font-weight: bold; color: #1e3a5f;"));
}

void showTable(ListTable *list, const ReportTable &table)
{
    list->setColumns(table.headings, table.columnPixels);
    list->setRows(table.rows);
}

MeetingReportHooks hooks(const DataRoot &root, const TextCatalogue &catalogue, OperatorNotifier &notifier)
{
    MeetingReportHooks hooks;
    hooks.createSignInReport = [&root, &catalogue, &notifier](QWidget *parent) {
        return new SignInReportPage(root, catalogue, notifier, parent);
    };
    hooks.createBallotReport = [&root, &catalogue, &notifier](QWidget *parent) {
        return new BallotReportPage(root, catalogue, notifier, parent);
    };
    hooks.createJournal = [&root, &catalogue, &notifier](QWidget *parent) {
        return new JournalPage(root, catalogue, notifier, parent);
    };
    hooks.showReport = [](QWidget *page, const MeetingRecord &meeting) {
        if (auto *signIn = qobject_cast<SignInReportPage *>(page))
            signIn->setMeeting(meeting.MeeName);
        else if (auto *ballots = qobject_cast<BallotReportPage *>(page))
            ballots->setMeeting(meeting.MeeName);
        else if (auto *journal = qobject_cast<JournalPage *>(page))
            journal->setMeeting(meeting.MeeName);
    };
    return hooks;
}

} // namespace ReportPageTools
