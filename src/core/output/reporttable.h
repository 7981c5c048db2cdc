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

// One box of a printed form: rows of 7 mm, each split among its cells by `weights`. With `headings` the
// box opens with a shaded heading row (a small table); otherwise the first cell of each row is its label.
struct ReportFormBox
{
    QStringList headings;
    QList<QStringList> rows;
    QList<int> weights;
};

// A page printed as a form of boxes rather than as a part of the list.
struct ReportFormPage
{
    QString title;
    QList<ReportFormBox> boxes;
};

// What a printed report carries besides its list.
struct ReportDocument
{
    QString meetingName;
    QString summary;  // a line under the title, such as the due and present counts
    QString dateLine; // the printing date with its label
    QString pageWord; // follows the page number in the footer
    ReportTable table;
    // When not empty, the pages are these forms, one a page, and `table` is not printed.
    QList<ReportFormPage> forms;
};
