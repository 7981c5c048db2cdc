#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Writes workbooks (.xlsx) with libxlsxwriter, every cell as text: the cells are strings and every column
// carries the text format, so what was a text stays that text in a spreadsheet program ("007" keeps its
// zeros, 13800138000 never turns into 1.38E+10) and what the operator types into those columns there
// stays text too. Empty cells are left out.
class WorkbookWriter final
{
public:
    struct Sheet
    {
        QString name;            // 1..31 characters, none of []:*?/\ as workbooks require
        QList<QStringList> rows; // row by row, cell by cell
        QList<int> columnPixels; // widths of the first columns; others keep the default
        int headingRows = 0;     // the first rows are set in bold
    };

    WorkbookWriter() = delete;

    // Written to a temporary name and renamed, so a reader never sees half a file and a failure leaves
    // what was at the path untouched. On failure, *error (when given) says why.
    static bool write(const QString &path, const QList<Sheet> &sheets, QString *error = nullptr);
};
