#include "gui/ui/columnfit.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <numeric>

namespace {

constexpr int SpacerWidth = 4;

// The frame and margins a cell or a heading draws around its text, with a little air.
int padding(const QWidget &widget)
{
    return 2 * widget.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &widget) + 2 * 6;
}

} // namespace

int ColumnFit::headingWidth(const QTableWidget &table, int column)
{
    const QTableWidgetItem *heading = table.horizontalHeaderItem(column);
    if (!heading || heading->text().isEmpty())
        return 0;
    const QHeaderView &header = *table.horizontalHeader();
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    return header.fontMetrics().horizontalAdvance(heading->text()) + 2 * margin + padding(header);
}

int ColumnFit::cellsWidth(const QTableWidget &table, int column)
{
    int widest = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        const QTableWidgetItem *cell = table.item(row, column);
        if (!cell || cell->text().isEmpty())
            continue;
        const QFontMetrics metrics(cell->font());
        widest = std::max(widest, metrics.horizontalAdvance(cell->text()));
    }
    return widest > 0 ? widest + padding(table) : 0;
}

void ColumnFit::fit(QTableWidget &table, const QList<int> &layoutWidths)
{
    const int columns = table.columnCount();
    QList<int> widths(columns, 0);
    QList<int> floors(columns, 0);
    for (int c = 0; c < columns; ++c) {
        const int layout = layoutWidths.value(c, table.columnWidth(c));
        if (layout <= SpacerWidth) {
            widths[c] = floors[c] = layout;
            continue;
        }
        floors[c] = std::max(layout, headingWidth(table, c));
        widths[c] = std::max(floors[c], cellsWidth(table, c));
    }
    if (table.horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) {
        // The viewport's width without a vertical scroll bar's share when rows overflow.
        int room = table.viewport()->width();
        if (room <= 0)
            room = table.width() - 2 * table.frameWidth() - table.verticalScrollBar()->sizeHint().width();
        int excess = std::accumulate(widths.cbegin(), widths.cend(), 0) - room;
        while (excess > 0) {
            int widest = -1;
            for (int c = 0; c < columns; ++c)
                if (widths[c] > floors[c] &&
                    (widest < 0 || widths[c] - floors[c] > widths[widest] - floors[widest]))
                    widest = c;
            if (widest < 0)
                break;
            const int give = std::min(excess, widths[widest] - floors[widest]);
            widths[widest] -= give;
            excess -= give;
        }
    }
    for (int c = 0; c < columns; ++c)
        table.setColumnWidth(c, widths[c]);
}
