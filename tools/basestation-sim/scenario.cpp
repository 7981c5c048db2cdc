#include "scenario.h"

#include <QFile>
#include <QRegularExpression>

namespace {
std::optional<int> parseKeyCode(const QString &text)
{
    int code = 0;
    for (const QString &part : text.split(QLatin1Char('+'))) {
        bool ok = false;
        const int key = part.toInt(&ok);
        if (!ok || key < 1 || key > 5)
            return std::nullopt;
        code |= 1 << (key - 1);
    }
    return code;
}

std::optional<double> parseAfter(const QStringList &tokens, qsizetype at)
{
    if (at >= tokens.size())
        return 0.0;
    bool ok = false;
    const double seconds = tokens.value(at + 1).toDouble(&ok);
    if (tokens[at] != QLatin1String("after") || !ok || seconds < 0 || at + 2 != tokens.size())
        return std::nullopt;
    return seconds;
}
} // namespace

std::optional<QList<int>> Scenario::parseKeypadList(const QStringList &tokens, int keypadCount)
{
    QList<int> keypads;
    for (const QString &token : tokens) {
        for (const QString &item : token.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (item == QLatin1String("all")) {
                for (int n = 1; n <= keypadCount; ++n)
                    keypads.append(n);
                continue;
            }
            const QStringList bounds = item.split(QLatin1Char('-'));
            bool okLow = false;
            bool okHigh = true;
            const int low = bounds[0].toInt(&okLow);
            const int high = bounds.size() == 2 ? bounds[1].toInt(&okHigh) : low;
            if (!okLow || !okHigh || bounds.size() > 2 || low < 1 || high > 249 || low > high)
                return std::nullopt;
            for (int n = low; n <= high; ++n)
                keypads.append(n);
        }
    }
    return keypads;
}

std::optional<Scenario> Scenario::parse(const QString &text, QString *error)
{
    Scenario s;
    int lineNumber = 0;
    const auto bad = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
        return std::nullopt;
    };
    for (QString line : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        line = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList t = line.split(QRegularExpression(QStringLiteral("\\s+")));
        const QString &word = t[0];
        bool ok = false;
        if (word == QLatin1String("keypads") || word == QLatin1String("reserved") ||
            word == QLatin1String("seed")) {
            const int value = t.value(1).toInt(&ok);
            if (!ok || t.size() != 2 || value < 0 || (word == QLatin1String("keypads") && value > 249))
                return bad(QStringLiteral("%1 takes one number").arg(word));
            if (word == QLatin1String("keypads"))
                s.keypads = value;
            else if (word == QLatin1String("reserved"))
                s.reserved = value;
            else
                s.seed = quint32(value);
        } else if (word == QLatin1String("vote-delay")) {
            s.voteDelaySeconds = t.value(1).toDouble(&ok);
            if (!ok || t.size() != 2 || s.voteDelaySeconds < 0)
                return bad(QStringLiteral("vote-delay takes seconds"));
        } else if (word == QLatin1String("offline") || word == QLatin1String("excluded")) {
            const auto list = parseKeypadList(t.mid(1), s.keypads);
            if (!list)
                return bad(QStringLiteral("bad keypad list"));
            (word == QLatin1String("offline") ? s.offline : s.excluded).unite(QSet<int>(list->begin(), list->end()));
        } else if (word == QLatin1String("signin") || word == QLatin1String("speak")) {
            qsizetype afterAt = t.indexOf(QStringLiteral("after"));
            if (afterAt < 0)
                afterAt = t.size();
            const auto list = parseKeypadList(t.mid(1, afterAt - 1), s.keypads);
            const auto after = parseAfter(t, afterAt);
            if (!list || !after)
                return bad(QStringLiteral("%1 takes a keypad list and optionally: after SECONDS").arg(word));
            (word == QLatin1String("signin") ? s.signIns : s.speakers).append({*list, *after});
        } else if (word == QLatin1String("vote")) {
            VoteRule rule;
            if (t.size() < 4)
                return bad(QStringLiteral("vote takes: BALLOT KEYPADS keys K[+K] | random K:W ..."));
            if (t[1] != QLatin1String("*")) {
                rule.ballot = t[1].toInt(&ok);
                if (!ok || rule.ballot < 1)
                    return bad(QStringLiteral("ballot number must be 1 or more, or *"));
            }
            qsizetype how = t.indexOf(QStringLiteral("keys"));
            if (how < 0)
                how = t.indexOf(QStringLiteral("random"));
            if (how < 3)
                return bad(QStringLiteral("vote needs a keypad list, then keys or random"));
            const auto list = parseKeypadList(t.mid(2, how - 2), s.keypads);
            if (!list)
                return bad(QStringLiteral("bad keypad list"));
            rule.keypads = *list;
            if (t[how] == QLatin1String("keys")) {
                const auto code = parseKeyCode(t.value(how + 1));
                if (!code || t.size() != how + 2)
                    return bad(QStringLiteral("keys takes K or K+K with keys 1..5"));
                rule.keyCode = *code;
            } else {
                for (const QString &pair : t.mid(how + 1)) {
                    bool okKey = false;
                    bool okWeight = false;
                    const int key = pair.section(QLatin1Char(':'), 0, 0).toInt(&okKey);
                    const int weight = pair.section(QLatin1Char(':'), 1, 1).toInt(&okWeight);
                    if (!okKey || !okWeight || key < 0 || key > 5 || weight < 0)
                        return bad(QStringLiteral("random takes KEY:WEIGHT pairs, keys 0..5"));
                    rule.weights.append({key, weight});
                }
                if (rule.weights.isEmpty())
                    return bad(QStringLiteral("random needs at least one KEY:WEIGHT"));
            }
            s.votes.append(rule);
        } else {
            return bad(QStringLiteral("unknown word '%1'").arg(word));
        }
    }
    return s;
}

std::optional<Scenario> Scenario::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return parse(QString::fromUtf8(file.readAll()), error);
}
