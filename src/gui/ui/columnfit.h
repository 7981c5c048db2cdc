#pragma once

#include <QList>

class QTableWidget;

// Column widths for every list of the console: each column at least its layout width, and wide enough
// for its heading and its longest cell in whatever language the texts come in ("Nationality", "Feminino"
// and the long vote-type names no longer show cut). A list that may not scroll sideways gives the
// surplus back from the columns that grew for their cells, never below their heading.
class ColumnFit final
{
public:
    ColumnFit() = delete;

    // Columns of layout width 4 or less are spacers and keep their width.
    static void fit(QTableWidget &table, const QList<int> &layoutWidths);
    // What the heading of a column needs, and what its widest cell needs.
    static int headingWidth(const QTableWidget &table, int column);
    static int cellsWidth(const QTableWidget &table, int column);
};
