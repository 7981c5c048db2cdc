#pragma once

#include <QString>
#include <QStringList>

// One delegate of a meeting: an `Employees` row without its photo, which travels separately as bytes.
struct DelegateRecord
{
    QString CellNo; // keypad number, decimal
    QString EmpName;
    QString EmpSex;
    QString Nationality;
    QString Unit;
    QString Title;
    QString Office_phone;
    QString delegacy;
    QString presidium;
    QString SeatNo;
    QString Grouping; // group (channel); with CellNo it finds the row for updates and photos

    bool operator==(const DelegateRecord &) const = default;
};

// How many characters each `Employees` text column holds, in the list's column order (CellNo .. SeatNo):
// the roster's fields and the roster's import keep to them.
inline constexpr int DelegateColumnWidths[10] = {5, 50, 10, 40, 40, 20, 30, 30, 30, 30};

// Delegates as the lists show them: ten parallel columns, one entry per row in query order.
struct DelegateList
{
    QStringList CellNo;
    QStringList EmpName;
    QStringList EmpSex;
    QStringList Nationality;
    QStringList Unit;
    QStringList Title;
    QStringList Office_phone;
    QStringList delegacy;
    QStringList presidium;
    QStringList SeatNo;

    qsizetype size() const { return CellNo.size(); }
};
