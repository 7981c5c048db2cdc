#include "core/conduct/ballotjournal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<QJsonObject> parse(const QString &content)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(content.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

QJsonObject codesObject(const QMap<int, int> &codes)
{
    QJsonObject object;
    for (auto it = codes.cbegin(); it != codes.cend(); ++it)
        object.insert(QString::number(it.key()), it.value());
    return object;
}

QMap<int, int> codesFrom(const QJsonObject &object)
{
    QMap<int, int> codes;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        bool ok = false;
        const int keypad = it.key().toInt(&ok);
        if (ok && keypad >= 1 && keypad <= 255)
            codes.insert(keypad, it.value().toInt());
    }
    return codes;
}

QJsonObject textsObject(const TallyTexts &t)
{
    return {{QStringLiteral("cbBaseOne"), t.cbBaseOne},   {QStringLiteral("cbBaseTwo"), t.cbBaseTwo},
            {QStringLiteral("cbAbetOne"), t.cbAbetOne},   {QStringLiteral("DateYes"), t.DateYes},
            {QStringLiteral("DateBreak"), t.DateBreak},   {QStringLiteral("PassVoteOk"), t.PassVoteOk},
            {QStringLiteral("PassVoteNo"), t.PassVoteNo}};
}

TallyTexts textsFrom(const QJsonObject &o)
{
    TallyTexts t;
    t.cbBaseOne = o.value(QStringLiteral("cbBaseOne")).toString();
    t.cbBaseTwo = o.value(QStringLiteral("cbBaseTwo")).toString();
    t.cbAbetOne = o.value(QStringLiteral("cbAbetOne")).toString();
    t.DateYes = o.value(QStringLiteral("DateYes")).toString();
    t.DateBreak = o.value(QStringLiteral("DateBreak")).toString();
    t.PassVoteOk = o.value(QStringLiteral("PassVoteOk")).toString();
    t.PassVoteNo = o.value(QStringLiteral("PassVoteNo")).toString();
    return t;
}

} // namespace

namespace BallotJournal {

JournalNote start(const QString &OveName, const BallotStartRecord &r)
{
    QJsonArray counted;
    for (int keypad : r.counted)
        counted.append(keypad);
    const BallotSettings &s = r.settings;
    const QJsonObject object{
        {QStringLiteral("type"), int(r.type)},
        {QStringLiteral("OveType"), r.OveType},
        {QStringLiteral("VoteBase"), s.VoteBase},
        {QStringLiteral("VoteAbet"), s.VoteAbet},
        {QStringLiteral("VoteAbetValue"), s.VoteAbetValue},
        {QStringLiteral("Unit"), s.Unit},
        {QStringLiteral("ytText"), s.ytText},
        {QStringLiteral("mark"), s.mark},
        {QStringLiteral("due"), r.due},
        {QStringLiteral("present"), r.present},
        {QStringLiteral("counted"), counted},
        {QStringLiteral("texts"), textsObject(r.texts)},
        {QStringLiteral("previous"),
         QJsonObject{{QStringLiteral("result"), r.previousResult},
                     {QStringLiteral("VoteState"), r.previousVoteState},
                     {QStringLiteral("PollTimel"), r.previousPollTimel}}},
    };
    return {JournalKind::BallotStart, OveName, compact(object)};
}

JournalNote live(const QString &OveName, const QMap<int, int> &changed)
{
    return {JournalKind::BallotLive, OveName, compact({{QStringLiteral("keys"), codesObject(changed)}})};
}

JournalNote stop(const QString &OveName, bool byCountDown)
{
    return {JournalKind::BallotStop, OveName,
            compact({{QStringLiteral("by"), byCountDown ? QStringLiteral("count-down")
                                                        : QStringLiteral("operator")}})};
}

JournalNote outcome(const QString &kind, const QString &OveName, const BallotOutcomeRecord &r)
{
    QJsonArray counts;
    for (int c : r.counters.counts)
        counts.append(c);
    const QJsonObject object{
        {QStringLiteral("keys"), codesObject(r.keyCodes)},
        {QStringLiteral("counts"), counts},
        {QStringLiteral("notAnswered"), r.counters.notAnswered},
        {QStringLiteral("result"), r.result},
        {QStringLiteral("verdict"), r.verdict},
        {QStringLiteral("VoteState"), r.VoteState},
        {QStringLiteral("PollTimel"), r.PollTimel},
    };
    return {kind, OveName, compact(object)};
}

JournalNote discarded(const QString &OveName)
{
    return {JournalKind::BallotDiscarded, OveName, compact({})};
}

JournalNote link(bool lost, const QString &OveName, const QString &detail)
{
    return {lost ? JournalKind::LinkLost : JournalKind::LinkFound, OveName,
            compact({{QStringLiteral("detail"), detail}})};
}

std::optional<BallotStartRecord> readStart(const QString &content)
{
    const auto object = parse(content);
    if (!object)
        return std::nullopt;
    const auto type = VoteTypeTable::fromIndex(object->value(QStringLiteral("type")).toInt(-1));
    if (!type)
        return std::nullopt;
    BallotStartRecord r;
    r.type = *type;
    r.OveType = object->value(QStringLiteral("OveType")).toString();
    r.settings = {object->value(QStringLiteral("VoteBase")).toString(),
                  object->value(QStringLiteral("VoteAbet")).toString(),
                  object->value(QStringLiteral("VoteAbetValue")).toString(),
                  object->value(QStringLiteral("Unit")).toString(),
                  object->value(QStringLiteral("ytText")).toString(),
                  object->value(QStringLiteral("mark")).toString()};
    r.texts = textsFrom(object->value(QStringLiteral("texts")).toObject());
    r.due = object->value(QStringLiteral("due")).toInt();
    r.present = object->value(QStringLiteral("present")).toInt();
    for (const QJsonValue &v : object->value(QStringLiteral("counted")).toArray())
        r.counted.append(v.toInt());
    const QJsonObject previous = object->value(QStringLiteral("previous")).toObject();
    r.previousResult = previous.value(QStringLiteral("result")).toString();
    r.previousVoteState = previous.value(QStringLiteral("VoteState")).toString();
    r.previousPollTimel = previous.value(QStringLiteral("PollTimel")).toString();
    return r;
}

std::optional<BallotOutcomeRecord> readOutcome(const QString &content)
{
    const auto object = parse(content);
    if (!object)
        return std::nullopt;
    BallotOutcomeRecord r;
    r.keyCodes = codesFrom(object->value(QStringLiteral("keys")).toObject());
    const QJsonArray counts = object->value(QStringLiteral("counts")).toArray();
    for (int i = 0; i < 5 && i < counts.size(); ++i)
        r.counters.counts[size_t(i)] = counts.at(i).toInt();
    r.counters.notAnswered = object->value(QStringLiteral("notAnswered")).toInt();
    r.result = object->value(QStringLiteral("result")).toString();
    r.verdict = object->value(QStringLiteral("verdict")).toString();
    r.VoteState = object->value(QStringLiteral("VoteState")).toString();
    r.PollTimel = object->value(QStringLiteral("PollTimel")).toString();
    return r;
}

QMap<int, int> readLive(const QString &content)
{
    const auto object = parse(content);
    return object ? codesFrom(object->value(QStringLiteral("keys")).toObject()) : QMap<int, int>();
}

QList<int> codesOf(const BallotStartRecord &start, const QMap<int, int> &keyCodes)
{
    QList<int> codes;
    codes.reserve(start.counted.size());
    for (int keypad : start.counted)
        codes.append(keyCodes.value(keypad, 0));
    return codes;
}

bool isOutcome(const QString &kind)
{
    return kind == JournalKind::BallotResult || kind == JournalKind::BallotInterrupted ||
           kind == JournalKind::BallotRecovered;
}

} // namespace BallotJournal
