#pragma once

#include "core/output/sheetreading.h"

#include <QList>
#include <QStringList>

// Spreadsheet files by path: reads .xlsx, .xls and .csv, writes .xlsx and .csv, one sheet of texts.
class SheetFile final
{
public:
    enum class Format
    {
        Xlsx,
        Xls,
        Csv,
        Unknown,
    };

    SheetFile() = delete;

    // By the name's suffix, without case.
    static Format formatOfName(const QString &path);

    // Reads by what the file holds rather than by its name, since files are often misnamed: a zip as an
    // .xlsx workbook, a compound file as an .xls workbook, text as comma-separated values. The sheet of
    // the given name is read, else the first.
    static SheetReading read(const QString &path, const QString &sheetName, const SheetLimits &limits = {});

    // Writes one sheet, every cell as text, as the name's suffix says (.xlsx or .csv); a .csv keeps
    // only the rows. Written to a temporary name and renamed: false when the name has another suffix or
    // the file could not be written, and then nothing at the path has changed.
    static bool write(const QString &path, const QString &sheetName, const QList<QStringList> &rows,
                      const QList<int> &columnPixels = {}, int headingRows = 0);
};
