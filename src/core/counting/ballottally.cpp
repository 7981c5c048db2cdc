#include "core/counting/ballottally.h"

#include <QLocale>

#include "core/link/keypadtable.h"
#include "core/base/colonlist.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int KeyBits = 0x1F; // keys 1..5

int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void addKeyCode(KeyCounting counting, int keyCode, BallotCounters &c)
{
    if (keyCode == 0) {
        ++c.notAnswered;
        return;
    }
    if (counting == KeyCounting::SingleKey) {
        // Only a code of exactly one key counts; a keypad that pressed several keys in a single-key
        // ballot has not made a valid choice and is left out of every count.
        const auto code = unsigned(keyCode);
        if (code <= 0x10 && std::has_single_bit(code))
            ++c.count(std::countr_zero(code) + 1);
        return;
    }
    const int keys = keyCode & KeyBits;
    for (int key = 1; key <= 5; ++key) {
        if (keys & (1 << (key - 1)))
            ++c.count(key);
    }
}

enum class Base
{
    Due,
    Present,
    None
};

void tallyFullBallot(int dueCount, int presentCount, const BallotSettings &s, const TallyTexts &texts,
                     TallyResult &r)
{
    BallotCounters &c = r.counters;

    // Not-answered is what the present count leaves after the three counted keys, so keypads that pressed
    // several keys, or keys 4 and 5, end up here, and answers from keypads beyond the present count lower
    // it (never below 0).
    const qint64 rest = qint64(presentCount) - c.count(1) - c.count(2) - c.count(3);
    c.notAnswered = clampToInt(std::max<qint64>(rest, 0));

    // Under `Unit` "1" the silent present delegates abstain. This holds whatever the base text says: the
    // readers of the stored text take count 3 as including them and hide the not-answered field, so
    // leaving them out under an unrecognised base would drop them from every report.
    if (s.Unit == u"1")
        c.count(3) = clampToInt(qint64(c.count(3)) + c.notAnswered);

    const Base base = s.VoteBase == texts.cbBaseOne   ? Base::Due
                      : s.VoteBase == texts.cbBaseTwo ? Base::Present
                                                      : Base::None;
    // Percentage 3 follows the `Unit` rule of each base as it has always been stored: an empty `Unit`
    // (older records) still gives it under the due base but not under the present base.
    const bool thirdPercentage = s.Unit == u"1" || s.Unit == u"2" || (base == Base::Due && s.Unit.isEmpty());
    const int baseCount = base == Base::Due ? dueCount : base == Base::Present ? presentCount : 0;

    // A zero base (no delegates due, or nobody signed in) has no meaningful share: the percentages stay
    // 0.00 rather than failing or writing "inf", and the verdict is decided against 0 as for an
    // unrecognised base. A negative count cannot come from a sign-in and is treated the same way.
    auto &p = r.percentages;
    p = {0, 0, 0};
    if (base != Base::None && baseCount > 0) {
        p[0] = c.count(1) * 100.0 / baseCount;
        p[1] = c.count(2) * 100.0 / baseCount;
        if (thirdPercentage)
            p[2] = c.count(3) * 100.0 / baseCount;
    }

    // The unrounded share decides: 2 of 3 (66.67 in the text) passes a threshold of 66, and exactly 50
    // does not pass 50 under the strict rule.
    const int threshold = BallotTally::decimalValue(s.VoteAbetValue);
    const bool passed = s.VoteAbet == texts.cbAbetOne ? p[0] > threshold : p[0] >= threshold;
    r.passed = passed;
    r.verdict = s.ytText + (passed ? texts.PassVoteOk : texts.PassVoteNo);

    const QString percent = QStringLiteral("%");
    // A long ytText can take the text past the column's declared 100 characters. It is stored whole (SQLite
    // does not cut it): a shortened text would lose the verdict field or its closing colon.
    const QStringList fields = {s.Unit,
                                QString::number(dueCount),
                                QString::number(presentCount),
                                QString::number(c.count(1)),
                                QString::number(c.count(2)),
                                QString::number(c.count(3)),
                                QString::number(c.notAnswered),
                                BallotTally::twoDecimals(p[0]) + percent,
                                BallotTally::twoDecimals(p[1]) + percent,
                                BallotTally::twoDecimals(p[2]) + percent};
    r.result = ColonList::join(QStringList(fields) << r.verdict);
    r.resultWithoutVerdict = ColonList::join(QStringList(fields) << QString());
}

void tallyScoring(const BallotSettings &s, TallyResult &r)
{
    const BallotCounters &c = r.counters;
    const QStringList scores = ColonList::fields(s.mark, 5);
    qint64 sum = 0;
    qint64 answers = 0;
    for (int key = 1; key <= 5; ++key) {
        sum += qint64(BallotTally::decimalValue(scores[key - 1])) * c.count(key);
        answers += c.count(key);
    }
    // Keypads that did not answer do not pull the average down; with no answers it is 0.
    r.average = (sum == 0 || answers <= 0) ? 0.0 : double(sum) / double(answers);
    r.result = ColonList::join({BallotTally::twoDecimals(r.average)});
}

QString countsText(const BallotCounters &c, int keys)
{
    QStringList fields;
    for (int key = 1; key <= keys; ++key)
        fields.append(QString::number(c.count(key)));
    return ColonList::join(fields);
}

} // namespace

TallyTexts TallyTexts::lookUp(const VoteTypeTable::Lookup &lookup)
{
    TallyTexts t;
    t.cbBaseOne = lookup(VoteSection, cbBaseOneKey);
    t.cbBaseTwo = lookup(VoteSection, cbBaseTwoKey);
    t.cbAbetOne = lookup(VoteSection, cbAbetOneKey);
    t.DateYes = lookup(VoteSection, DateYesKey);
    t.DateBreak = lookup(VoteSection, DateBreakKey);
    t.PassVoteOk = lookup(ScreenSection, PassVoteOkKey);
    t.PassVoteNo = lookup(ScreenSection, PassVoteNoKey);
    return t;
}

BallotCounters BallotTally::count(VoteType type, std::span<const int> keyCodes)
{
    const KeyCounting counting = VoteTypeTable::info(type).counting;
    BallotCounters c;
    for (int k : keyCodes)
        addKeyCode(counting, k, c);
    return c;
}

BallotCounters BallotTally::count(VoteType type, const KeypadTable &table, int keypadCount,
                                  const CountedKeypads &counted)
{
    const KeyCounting counting = VoteTypeTable::info(type).counting;
    BallotCounters c;
    for (int n : counted.countedUpTo(keypadCount))
        addKeyCode(counting, table.at(n).keyCode, c);
    return c;
}

TallyResult BallotTally::tally(VoteType type, const BallotCounters &counted, int dueCount, int presentCount,
                               const BallotSettings &settings, const TallyTexts &texts)
{
    TallyResult r;
    r.counters = counted;
    switch (VoteTypeTable::info(type).resultForm) {
    case ResultForm::FullBallot:
        tallyFullBallot(dueCount, presentCount, settings, texts, r);
        break;
    case ResultForm::ThreeCounts:
        r.result = countsText(counted, 3);
        break;
    case ResultForm::FiveCounts:
        r.result = countsText(counted, 5);
        break;
    case ResultForm::AverageScore:
        tallyScoring(settings, r);
        break;
    }
    if (r.resultWithoutVerdict.isEmpty())
        r.resultWithoutVerdict = r.result;
    return r;
}

BallotResultWrite BallotTally::resultWrite(const TallyResult &tallied, const QDateTime &now,
                                           const TallyTexts &texts, bool final)
{
    if (!final)
        return {tallied.resultWithoutVerdict, texts.DateBreak, pollTimeText(now)};
    return {tallied.result, voteStateText(texts), pollTimeText(now)};
}

QString BallotTally::pollTimeText(const QDateTime &now)
{
    // The C locale keeps the digits Western whatever the operator's language.
    return QLocale::c().toString(now, u"yyyy/MM/dd/-HH:mm:ss");
}

QString BallotTally::twoDecimals(double value)
{
    if (!std::isfinite(value))
        value = 0;
    // std::to_chars is locale-independent and rounds the exact binary value as printf does (0.125 gives
    // "0.12"), which QString::number does not promise. The buffer holds the widest double.
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (ec != std::errc())
        return QStringLiteral("0.00");
    return QString::fromLatin1(buffer, end - buffer);
}

int BallotTally::decimalValue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 Limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = std::min(value * 10 + (text[i].unicode() - u'0'), Limit);
    }
    return clampToInt(negative ? -value : value);
}
