#pragma once

#include "core/output/sheetreading.h"

// Reads one sheet of a legacy Excel workbook (.xls, BIFF5 and BIFF8 in a compound file) through FreeXL:
// the sheet of the given name, else the first; numbers as a General cell shows them, dates as yyyy-MM-dd,
// as XlsxReader gives them. FreeXL keeps a whole sheet in memory as its declared rows times columns, so
// the declared size is checked against the limits before the sheet is loaded.
class XlsReader final
{
public:
    XlsReader() = delete;

    static SheetReading read(const QString &path, const QString &sheetName, const SheetLimits &limits = {});
};
