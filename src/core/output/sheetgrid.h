#pragma once

#include "core/output/sheetreading.h"

// Collects the values of one sheet by their place, in whatever order a file lists them, and keeps the
// limits while doing so: a value beyond the last row allowed or beyond the cell budget is refused, a value
// to the right of the columns read is left out. Empty values take no place, so the rows end at the last
// row that holds a value and each row at its last value.
class SheetGrid final
{
public:
    explicit SheetGrid(const SheetLimits &limits) : m_limits(limits) {}

    // Row and column count from 0. False when the value breaks the limits; the grid is then no longer
    // complete and the reading fails as too large.
    bool put(qint64 row, qint64 column, const QString &text);
    QList<QStringList> takeRows() { return std::move(m_rows); }

private:
    SheetLimits m_limits;
    QList<QStringList> m_rows;
    qint64 m_cells = 0;
};
