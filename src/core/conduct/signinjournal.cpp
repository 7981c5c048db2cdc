#include "core/conduct/signinjournal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QJsonArray numbers(const QList<int> &list)
{
    QJsonArray array;
    for (int n : list)
        array.append(n);
    return array;
}

QList<int> numbersFrom(const QJsonValue &value)
{
    QList<int> list;
    for (const QJsonValue &v : value.toArray())
        list.append(v.toInt());
    return list;
}

std::optional<QJsonObject> parse(const QString &content)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(content.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

} // namespace

namespace SignInJournal {

JournalNote start(const SignInStartRecord &r)
{
    return {JournalKind::SignInStart, QString(),
            compact({{QStringLiteral("fill"), r.fill},
                     {QStringLiteral("keypadCount"), r.keypadCount},
                     {QStringLiteral("counted"), numbers(r.counted)},
                     {QStringLiteral("signedBefore"), numbers(r.signedBefore)},
                     {QStringLiteral("presentMark"), r.presentMark},
                     {QStringLiteral("absentMark"), r.absentMark}})};
}

JournalNote live(const QList<int> &signedIn)
{
    return {JournalKind::SignInLive, QString(), compact({{QStringLiteral("signed"), numbers(signedIn)}})};
}

JournalNote marks(const QString &kind, const QList<SignInMark> &marks, int signedCount)
{
    QJsonObject byKeypad;
    for (const SignInMark &m : marks)
        byKeypad.insert(m.CellNo, m.sign);
    return {kind, QString(),
            compact({{QStringLiteral("marks"), byKeypad}, {QStringLiteral("signed"), signedCount}})};
}

JournalNote discarded()
{
    return {JournalKind::SignInDiscarded, QString(), compact({})};
}

std::optional<SignInStartRecord> readStart(const QString &content)
{
    const auto object = parse(content);
    if (!object)
        return std::nullopt;
    SignInStartRecord r;
    r.fill = object->value(QStringLiteral("fill")).toBool();
    r.keypadCount = object->value(QStringLiteral("keypadCount")).toInt();
    r.counted = numbersFrom(object->value(QStringLiteral("counted")));
    r.signedBefore = numbersFrom(object->value(QStringLiteral("signedBefore")));
    r.presentMark = object->value(QStringLiteral("presentMark")).toString();
    r.absentMark = object->value(QStringLiteral("absentMark")).toString();
    return r;
}

QList<int> readLive(const QString &content)
{
    const auto object = parse(content);
    return object ? numbersFrom(object->value(QStringLiteral("signed"))) : QList<int>();
}

bool isEnd(const QString &kind)
{
    return kind == JournalKind::SignInEnd || kind == JournalKind::SignInRecovered ||
           kind == JournalKind::SignInDiscarded;
}

} // namespace SignInJournal
