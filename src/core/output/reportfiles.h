#pragma once

#include "core/output/reporttable.h"

#include <QDate>
#include <QString>

class OperatorNotifier;
class ReportLanguages;
class ReportPageRenderer;

// Saving a report: the list as a workbook, the pages as PDF. Both are written through a temporary name
// and renamed, and both tell the operator whether the file was saved, naming it.
namespace ReportFiles {

// The texts every report shares live in the ballot report's section.
inline constexpr QStringView Section = u"FrmVoteput";
inline constexpr QStringView PreviewSection = u"FrmSysPre";

// Row 1 the headings, then the rows, every cell a text. An empty list writes its heading row.
bool exportSheet(const QString &path, const ReportTable &table, OperatorNotifier &notifier);

// Every page of the renderer into a PDF file. On failure *error says why.
bool writePdf(const QString &path, const ReportPageRenderer &renderer, const QString &title,
              QString *error = nullptr);
// The same, telling the operator how it went.
bool savePdf(const QString &path, const ReportPageRenderer &renderer, const QString &title,
             OperatorNotifier &notifier);

// A printed report's meeting, date line and page word; the caller adds the list and the summary.
ReportDocument document(const ReportLanguages &languages, const QString &meetingName, const QDate &today);

} // namespace ReportFiles
