#include "core/prepare/rostersheet.h"

#include <QHash>

#include <algorithm>

#include "core/prepare/delegaterostercontroller.h"
#include "core/base/inputfilter.h"

namespace {

QString cell(const QStringList &row, int column)
{
    return column < row.size() ? row.at(column) : QString();
}

DelegateRecord recordOf(const QStringList &row)
{
    DelegateRecord r;
    r.CellNo = cell(row, 0).trimmed();
    r.EmpName = cell(row, 1);
    r.EmpSex = cell(row, 2);
    r.Nationality = cell(row, 3);
    r.Unit = cell(row, 4);
    r.Title = cell(row, 5);
    r.Office_phone = cell(row, 6);
    r.delegacy = cell(row, 7);
    r.presidium = cell(row, 8);
    r.SeatNo = cell(row, 9);
    return r;
}

// The stored keypad number of a cell, or empty when the cell holds none the roster takes.
QString keypadOf(const QString &text)
{
    if (text.isEmpty() || InputFilter::digitsOnly(text) != text)
        return {};
    const QString number = InputFilter::canonicalNumber(text);
    if (number.size() > 3 || number == u"0" || number.toInt() > DelegateRosterController::HighestKeypad)
        return {};
    return number;
}

} // namespace

QString RosterSheet::sheetName()
{
    return QStringLiteral("Sheet1");
}

QList<int> RosterSheet::columnPixels()
{
    return {50, 110, 50, 50, 80, 80, 120, 120, 80, 60};
}

QList<QStringList> RosterSheet::rows(const QStringList &headings, const DelegateList &list)
{
    QList<QStringList> rows{headings};
    rows.reserve(list.size() + 1);
    for (qsizetype i = 0; i < list.size(); ++i) {
        rows.append({list.CellNo.at(i), list.EmpName.at(i), list.EmpSex.at(i), list.Nationality.at(i),
                     list.Unit.at(i), list.Title.at(i), list.Office_phone.at(i), list.delegacy.at(i),
                     list.presidium.at(i), list.SeatNo.at(i)});
    }
    return rows;
}

bool RosterSheet::headingMatches(const QList<QStringList> &rows, const QStringList &headings)
{
    if (rows.isEmpty() || headings.size() != Columns)
        return false;
    for (int c = 0; c < Columns; ++c) {
        if (cell(rows.first(), c).trimmed() != headings.at(c).trimmed())
            return false;
    }
    return true;
}

RosterImport RosterSheet::check(const QList<QStringList> &rows, const QSet<QString> &used,
                                const QString &group)
{
    RosterImport result;
    QHash<QString, int> rowOfKeypad;
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const QStringList &row = rows.at(r);
        if (std::all_of(row.cbegin(), row.cend(), [](const QString &t) { return t.trimmed().isEmpty(); }))
            continue;
        DelegateRecord record = recordOf(row);
        RosterRefusal refusal;
        refusal.row = int(r) + 1;
        refusal.keypad = record.CellNo;
        refusal.name = record.EmpName;
        const QString keypad = keypadOf(record.CellNo);
        // The keypad number is checked as a number; it is stored without its leading zeros.
        int longColumn = -1;
        for (int c = 1; c < Columns && longColumn < 0; ++c) {
            if (cell(row, c).size() > DelegateColumnWidths[c])
                longColumn = c;
        }
        if (keypad.isEmpty()) {
            refusal.reason = RosterRefusal::Reason::Keypad;
        } else if (record.EmpName.trimmed().isEmpty()) {
            refusal.reason = RosterRefusal::Reason::Name;
        } else if (longColumn >= 0) {
            refusal.reason = RosterRefusal::Reason::TooLong;
            refusal.column = longColumn;
        } else if (used.contains(keypad)) {
            refusal.reason = RosterRefusal::Reason::Used;
        } else if (rowOfKeypad.contains(keypad)) {
            refusal.reason = RosterRefusal::Reason::Twice;
            refusal.earlierRow = rowOfKeypad.value(keypad);
        } else {
            rowOfKeypad.insert(keypad, refusal.row);
            record.CellNo = keypad;
            record.Grouping = group;
            result.delegates.append(record);
            continue;
        }
        result.refused.append(refusal);
    }
    return result;
}
