#include "core/base/inputfilter.h"

namespace {

QString without(QStringView text, QStringView removed)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!removed.contains(c))
            out.append(c);
    }
    return out;
}

} // namespace

namespace InputFilter {

QString withoutQuotes(QStringView text)
{
    return without(text, u"'\"");
}

QString meetingName(QStringView text)
{
    return without(text, u"'\"/\\");
}

QString digitsOnly(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out.append(c);
    }
    return out;
}

QString canonicalNumber(QStringView digits)
{
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0')
        ++first;
    const QString rest = digits.sliced(first).toString();
    return rest.isEmpty() ? QStringLiteral("0") : rest;
}

} // namespace InputFilter
