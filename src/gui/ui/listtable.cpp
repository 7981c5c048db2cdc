#include "gui/ui/listtable.h"

#include "gui/ui/columnfit.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

ListTable::ListTable(QWidget *parent) : QTableWidget(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) { emit rowChosen(row); });
}

void ListTable::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid())
        emit rowChosen(-1);
}

void ListTable::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QTableWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit rowChosen(currentRow());
}

void ListTable::setColumns(const QStringList &headers, const QList<int> &widths)
{
    setColumnCount(int(headers.size()));
    setHorizontalHeaderLabels(headers);
    m_layoutWidths = widths;
    ColumnFit::fit(*this, m_layoutWidths);
}

void ListTable::setRows(const QList<QStringList> &rows)
{
    const QSignalBlocker blocker(this);
    clearContents();
    setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size() && c < columnCount(); ++c)
            setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
    ColumnFit::fit(*this, m_layoutWidths);
    clearSelection();
    setCurrentCell(-1, -1);
}

void ListTable::showSelectedRow(int row)
{
    const QSignalBlocker blocker(this);
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        setCurrentCell(-1, -1);
        return;
    }
    selectRow(row);
    scrollToItem(item(row, 0));
}

QString ListTable::cellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}
