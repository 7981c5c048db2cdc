#include "core/output/sheetgrid.h"

bool SheetGrid::put(qint64 row, qint64 column, const QString &text)
{
    if (text.isEmpty() || column < 0 || column >= m_limits.columns)
        return true;
    if (row < 0 || row >= m_limits.rows || ++m_cells > m_limits.cells)
        return false;
    if (row >= m_rows.size())
        m_rows.resize(row + 1);
    QStringList &cells = m_rows[row];
    if (column >= cells.size())
        cells.resize(column + 1);
    cells[column] = text;
    return true;
}
