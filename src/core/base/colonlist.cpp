#include "core/base/colonlist.h"

namespace {

constexpr QChar Colon = u':';
constexpr QChar FullWidthColon = u'\uFF1A';

// Calls take(index, field) for each field up to maxFields, in order; returns how many it took.
template <typename Take> qsizetype forEachField(QStringView text, qsizetype maxFields, Take take)
{
    qsizetype taken = 0;
    qsizetype start = 0;
    while (taken < maxFields) {
        const qsizetype colon = text.indexOf(Colon, start);
        if (colon < 0)
            break;
        take(taken, text.sliced(start, colon - start));
        ++taken;
        start = colon + 1;
    }
    return taken;
}

} // namespace

namespace ColonList {

QStringList split(QStringView text, qsizetype maxFields)
{
    QStringList result;
    forEachField(text, maxFields, [&result](qsizetype, QStringView f) { result.append(f.toString()); });
    return result;
}

QStringList fields(QStringView text, qsizetype count)
{
    QStringList result(count > 0 ? count : 0);
    splitInto(text, result);
    return result;
}

qsizetype splitInto(QStringView text, QStringList &fields)
{
    return forEachField(text, fields.size(),
                        [&fields](qsizetype i, QStringView f) { fields[i] = f.toString(); });
}

QString join(const QStringList &fields)
{
    QString result;
    for (const QString &f : fields) {
        result += field(f);
        result += Colon;
    }
    return result;
}

QString field(QString text)
{
    text.replace(Colon, FullWidthColon);
    return text;
}

} // namespace ColonList
