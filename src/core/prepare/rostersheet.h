#pragma once

#include "core/prepare/rosterimport.h"

#include <QList>
#include <QSet>
#include <QStringList>

// The layout in which the roster goes to and comes from spreadsheets: one sheet "Sheet1", a heading row
// with the ten list headings of the interface language in use, then one delegate per row in the list's
// column order (keypad, name, sex, nationality, unit, title, phone, delegation, presidium, seat).
class RosterSheet final
{
public:
    static constexpr int Columns = 10;
    // A roster holds at most one delegate per keypad; a file far longer than that is some other file.
    static constexpr int MostRows = 2000;

    RosterSheet() = delete;

    static QString sheetName();
    // The widths of the list's columns, which the workbook takes over.
    static QList<int> columnPixels();

    // The heading row, then one row per delegate of the list.
    static QList<QStringList> rows(const QStringList &headings, const DelegateList &list);
    // True when the first row holds the headings in their order; blanks around a heading do not count.
    static bool headingMatches(const QList<QStringList> &rows, const QStringList &headings);

    // The delegates of the rows below the heading, checked as the roster checks a new delegate: a keypad
    // number from 1 to the highest, a name, texts that fit their columns, and a keypad that neither an
    // earlier row of the file nor a delegate of the meeting (`used`, stored numbers) has. Rows without any
    // text are passed over. The delegates join `group`.
    static RosterImport check(const QList<QStringList> &rows, const QSet<QString> &used,
                              const QString &group);
};
