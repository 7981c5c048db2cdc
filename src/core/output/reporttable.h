#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One list of a report as the page shows it, the workbook holds it and the printed pages draw it. Texts
// are kept whole; only the drawing elides what does not fit its box.
struct ReportTable
{
    QString title;
    QStringList headings;
    QList<int> columnPixels; // the list's widths on screen and in the workbook
    // How the printed page shares its width among the columns; the list's widths when empty. A page is
    // narrower than the screen's list, so names get the larger share there.
    QList<int> printWeights;
    QList<int> centredColumns; // due, present and the counts; the rest are left-aligned
    QList<QStringList> rows;

    qsizetype size() const { return rows.size(); }
    bool isCentred(qsizetype column) const { return centredColumns.contains(int(column)); }
};

// What a printed report carries besides its list.
struct ReportDocument
{
    QString meetingName;
    QString summary;  // a line under the title, such as the due and present counts
    QString dateLine; // the printing date with its label
    QString pageWord; // follows the page number in the footer
    ReportTable table;
};
