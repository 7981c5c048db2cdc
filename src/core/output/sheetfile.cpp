#include "core/output/sheetfile.h"

#include <QFile>
#include <QFileInfo>

#include "core/output/csvreader.h"
#include "core/output/csvwriter.h"
#include "core/output/workbookwriter.h"
#include "core/output/xlsreader.h"
#include "core/output/xlsxreader.h"

SheetFile::Format SheetFile::formatOfName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"xlsx")
        return Format::Xlsx;
    if (suffix == u"xls")
        return Format::Xls;
    if (suffix == u"csv")
        return Format::Csv;
    return Format::Unknown;
}

SheetReading SheetFile::read(const QString &path, const QString &sheetName, const SheetLimits &limits)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SheetReading::failed(SheetReading::Failure::Unreadable);
    if (file.size() > limits.fileBytes)
        return SheetReading::failed(SheetReading::Failure::TooLarge);
    const QByteArray bytes = file.read(limits.fileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return SheetReading::failed(SheetReading::Failure::Unreadable);
    if (bytes.size() > limits.fileBytes)
        return SheetReading::failed(SheetReading::Failure::TooLarge);
    file.close();

    if (bytes.startsWith("PK"))
        return XlsxReader::read(bytes, sheetName, limits);
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        // A password-protected .xlsx travels inside a compound file, as an encrypted package.
        if (bytes.contains(QByteArrayView(reinterpret_cast<const char *>(u"EncryptedPackage"), 32)))
            return SheetReading::failed(SheetReading::Failure::Protected);
        return XlsReader::read(path, sheetName, limits);
    }
    return CsvReader::read(bytes, limits);
}

bool SheetFile::write(const QString &path, const QString &sheetName, const QList<QStringList> &rows,
                      const QList<int> &columnPixels, int headingRows)
{
    switch (formatOfName(path)) {
    case Format::Xlsx:
        return WorkbookWriter::write(path, {{sheetName, rows, columnPixels, headingRows}});
    case Format::Csv:
        return CsvWriter::write(path, rows);
    default:
        return false;
    }
}
