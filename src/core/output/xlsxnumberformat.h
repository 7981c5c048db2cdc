#pragma once

#include <QString>
#include <QStringView>

// What a workbook's number format makes of a number: a plain number, or a date, a time or both. A
// workbook stores a date as a day count with a date format on its cell; read without the format, a
// birthday would come in as "45292". Dates are written as yyyy-MM-dd and times as HH:mm:ss, the forms the
// .xls reader gives too.
class XlsxNumberFormat final
{
public:
    enum class Kind
    {
        Number,
        Date,
        Time,
        DateTime,
    };

    XlsxNumberFormat() = delete;

    // The built-in formats by number, including the East Asian date and time formats.
    static Kind ofBuiltIn(int id);
    // A format code of the workbook's own ("yyyy-mm-dd", "[$-804]yyyy\"年\"m\"月\"d\"日\"").
    static Kind ofCode(QStringView code);
    // The value as the kind shows it; a number that is no valid date stays a number.
    static QString text(double value, Kind kind, bool date1904);
};
