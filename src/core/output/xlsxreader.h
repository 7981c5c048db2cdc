#pragma once

#include "core/output/sheetreading.h"

#include <QByteArrayView>

// Reads one sheet of an Office Open XML workbook (.xlsx) as texts, without any spreadsheet program:
// - the sheet is found by its name through the workbook and its relationships, not by a file name
//   inside the package; without a sheet of that name, the first sheet is read;
// - cells are placed by their reference, whatever order the file lists them in; empty cells, which
//   writers leave out of the file, stay empty;
// - shared strings (rich-text runs joined, phonetic guides left out), inline strings, formula results,
//   numbers as a General cell shows them ("12", not "12.0") and dates as yyyy-MM-dd by their format;
// - every part is read within the limits, so a damaged or hostile file is refused, not obeyed.
class XlsxReader final
{
public:
    XlsxReader() = delete;

    static SheetReading read(QByteArrayView bytes, const QString &sheetName, const SheetLimits &limits = {});
};
