#include "core/output/xlsxnumberformat.h"

#include <QDate>
#include <QTime>

#include "core/output/sheetreading.h"

#include <cmath>

namespace {

// [h], [mm], [ss]: hours, minutes or seconds counted past their usual wrap.
bool isElapsed(QStringView inside)
{
    if (inside.isEmpty())
        return false;
    const QChar first = inside[0].toLower();
    if (first != u'h' && first != u'm' && first != u's')
        return false;
    for (const QChar c : inside) {
        if (c.toLower() != first)
            return false;
    }
    return true;
}

} // namespace

XlsxNumberFormat::Kind XlsxNumberFormat::ofBuiltIn(int id)
{
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || id == 36 || (id >= 50 && id <= 54) || id == 57 ||
        id == 58)
        return Kind::Date;
    if ((id >= 18 && id <= 21) || (id >= 32 && id <= 35) || (id >= 45 && id <= 47) || id == 55 || id == 56)
        return Kind::Time;
    if (id == 22)
        return Kind::DateTime;
    return Kind::Number;
}

XlsxNumberFormat::Kind XlsxNumberFormat::ofCode(QStringView code)
{
    bool date = false;
    bool time = false;
    bool month = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (c == u'"') {
            // Quoted text is shown as it stands.
            const qsizetype end = code.indexOf(u'"', i + 1);
            i = end < 0 ? code.size() : end;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i; // the next character is literal, a spacing or a fill
        } else if (c == u'[') {
            // Colours, conditions and locales are no date parts; elapsed [h], [mm], [ss] are.
            const qsizetype end = code.indexOf(u']', i + 1);
            const QStringView inside = code.sliced(i + 1, (end < 0 ? code.size() : end) - i - 1);
            if (isElapsed(inside))
                time = true;
            i = end < 0 ? code.size() : end;
        } else if (c == u'y' || c == u'd') {
            date = true;
        } else if (c == u'h' || c == u's') {
            time = true;
        } else if (c == u'm') {
            month = true;
        }
    }
    // "m" is the month unless hours or seconds stand with it, where it is the minute.
    if (month && !time)
        date = true;
    if (date && time)
        return Kind::DateTime;
    if (date)
        return Kind::Date;
    return time ? Kind::Time : Kind::Number;
}

QString XlsxNumberFormat::text(double value, Kind kind, bool date1904)
{
    // 2958465 is 9999-12-31, the last day a workbook knows.
    if (kind == Kind::Number || !std::isfinite(value) || value < 0 || value >= 2958466)
        return SheetReading::numberText(value);
    qint64 seconds = std::llround(value * 86400.0);
    qint64 days = seconds / 86400;
    seconds %= 86400;
    QDate day;
    if (date1904)
        day = QDate(1904, 1, 1).addDays(days);
    else if (days < 61)
        // The 1900 system counts a 29 February 1900 that never was; days before it count from one day later.
        day = QDate(1899, 12, 31).addDays(days);
    else
        day = QDate(1899, 12, 30).addDays(days);
    const QString clock = QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("HH:mm:ss"));
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    switch (kind) {
    case Kind::Date:
        return date;
    case Kind::Time:
        return clock;
    default:
        return date + u' ' + clock;
    }
}
