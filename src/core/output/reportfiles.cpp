#include "core/output/reportfiles.h"

#include "core/output/reportlanguages.h"
#include "core/output/reportpagerenderer.h"
#include "core/output/sheetfile.h"
#include "core/base/operatornotifier.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace ReportFiles {

bool exportSheet(const QString &path, const ReportTable &table, OperatorNotifier &notifier)
{
    const OperatorText caption =
        OperatorText::catalogue(QStringLiteral("FrmVoteput"), QStringLiteral("MsgTitle"));
    const SheetFile::Format format = SheetFile::formatOfName(path);
    if (format != SheetFile::Format::Xlsx && format != SheetFile::Format::Csv) {
        notifier.information(
            caption, OperatorText::catalogue(QStringLiteral("FrmManinfo"), QStringLiteral("MsgEduceType")));
        return false;
    }
    QList<QStringList> rows{table.headings};
    rows.append(table.rows);
    if (!SheetFile::write(path, QStringLiteral("Sheet1"), rows, table.columnPixels, 1)) {
        notifier.error(caption,
                       OperatorText::catalogue(QStringLiteral("FrmVoteput"), QStringLiteral("ExcelSaveErr")));
        return false;
    }
    notifier.information(caption,
                         OperatorText::catalogue(QStringLiteral("FrmVoteput"), QStringLiteral("ExcelSave")));
    return true;
}

bool writePdf(const QString &path, const ReportPageRenderer &renderer, const QString &title, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(ReportPageRenderer::pageLayout());
        writer.setResolution(ReportPageRenderer::PdfResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Quorix"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = QStringLiteral("The PDF could not be started.");
            file.cancelWriting();
            return false;
        }
        const QRect area(QPoint(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
        for (int page = 1; page <= renderer.pageCount(); ++page) {
            if (page > 1 && !writer.newPage()) {
                if (error)
                    *error = QStringLiteral("A page could not be added.");
                painter.end();
                file.cancelWriting();
                return false;
            }
            renderer.drawPage(painter, area, page);
        }
        painter.end();
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool savePdf(const QString &path, const ReportPageRenderer &renderer, const QString &title,
             OperatorNotifier &notifier)
{
    const OperatorText caption =
        OperatorText::catalogue(QStringLiteral("FrmSysPre"), QStringLiteral("DlgText"));
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QString why;
    if (!writePdf(path, renderer, title, &why)) {
        notifier.error(caption, OperatorText::catalogue(QStringLiteral("FrmSysPre"),
                                                        QStringLiteral("MsgPdfErr"), {shownPath, why}));
        return false;
    }
    notifier.information(caption, OperatorText::catalogue(QStringLiteral("FrmSysPre"),
                                                          QStringLiteral("MsgPdfSaved"), {shownPath}));
    return true;
}

ReportDocument document(const ReportLanguages &languages, const QString &meetingName, const QDate &today)
{
    ReportDocument document;
    document.meetingName = meetingName;
    document.dateLine = languages.text(Section, u"szTag2") + today.toString(QStringLiteral("yyyy-MM-dd"));
    document.pageWord = languages.text(Section, u"szTag3");
    return document;
}

} // namespace ReportFiles
