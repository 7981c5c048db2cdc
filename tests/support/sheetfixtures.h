#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>
#include <variant>

// Spreadsheet files as other programs make them, written here part by part, so that no test depends on a
// file of unknown origin: .xlsx packages from hand-written XML zipped with libzip, and .xls workbooks from
// BIFF8 records in a compound file.
namespace SheetFixtures {

using Parts = QList<std::pair<QString, QByteArray>>;

// A zip of the parts, deflated, in the order given.
QByteArray zip(const Parts &parts);
// The parts of a zip, in their order.
Parts unzip(const QByteArray &bytes);

struct XlsxSheet
{
    QString name;
    QByteArray sheetData; // the children of <sheetData>: <row> and <c> elements as a program wrote them
};

// A workbook package with the sheets in order (parts xl/worksheets/sheetN.xml), the optional shared
// strings (the children of <sst>) and cell styles (the children of <styleSheet>), as Excel lays it out.
QByteArray xlsx(const QList<XlsxSheet> &sheets, const QByteArray &sharedStrings = {},
                const QByteArray &styles = {}, bool date1904 = false);

struct XlsCell
{
    int row;
    int column;
    std::variant<QString, double> value; // a text goes to the shared strings
    int style = 0;                       // 0 General, 1 a date format (14), 2 date and time (22)
};

struct XlsSheet
{
    QString name;
    QList<XlsCell> cells;
    // The size the sheet declares; by default the cells' extent.
    int declaredRows = -1;
    int declaredColumns = -1;
};

// A BIFF8 workbook in a compound file, as Excel 97-2003 saves it.
QByteArray xls(const QList<XlsSheet> &sheets);

} // namespace SheetFixtures
