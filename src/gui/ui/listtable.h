#pragma once

#include <QStringList>
#include <QTableWidget>

// The lists of the working windows: whole rows selected one at a time, grid lines, nothing edited in
// place, fixed column widths. Rows are given as lists of cell texts.
class ListTable final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListTable)

public:
    explicit ListTable(QWidget *parent = nullptr);

    // The widths are the layout's; a column grows for its heading and its longest cell (ColumnFit).
    void setColumns(const QStringList &headers, const QList<int> &widths);
    // Replaces every row; nothing is selected afterwards.
    void setRows(const QList<QStringList> &rows);
    // Selects a row (none for a negative one) without reporting it as the operator's choice.
    void showSelectedRow(int row);
    QString cellText(int row, int column) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QList<int> m_layoutWidths;

signals:
    // The operator chose a row with the mouse or the keys; -1 for a click on no row.
    void rowChosen(int row);
};
