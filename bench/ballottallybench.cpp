// How long one live tick of the voting spends in the tally: count all keypads, judge, and build the result
// text. The voting does this every 500 ms on the interface thread, so it must stay far below a millisecond.

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>

#include "core/counting/ballottally.h"
#include "core/link/keypadtable.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

volatile qsizetype sink = 0; // keeps the optimiser from dropping the work

double nanosecondsPerTick(VoteType type, const KeypadTable &table, const BallotSettings &settings,
                          const TallyTexts &texts, int rounds)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        const BallotCounters c = BallotTally::count(type, table, KeypadTable::LastKeypad);
        const TallyResult r = BallotTally::tally(type, c, 249, 240, settings, texts);
        sink = sink + r.result.size();
    }
    return double(timer.nsecsElapsed()) / rounds;
}

} // namespace

int main()
{
    KeypadTable table;
    QRandomGenerator rng(1);
    for (int n = KeypadTable::FirstKeypad; n <= KeypadTable::LastKeypad; ++n)
        table.entry(n)->keyCode = rng.bounded(6) == 0 ? 0 : 1 << rng.bounded(5);

    TallyTexts texts;
    texts.cbBaseOne = u"应到人数"_s;
    texts.cbBaseTwo = u"实到人数"_s;
    texts.cbAbetOne = u"大于"_s;
    texts.PassVoteOk = u"通过"_s;
    texts.PassVoteNo = u"未通过"_s;
    BallotSettings settings;
    settings.VoteBase = texts.cbBaseOne;
    settings.VoteAbet = texts.cbAbetOne;
    settings.VoteAbetValue = u"50"_s;
    settings.Unit = u"1"_s;
    settings.ytText = u"第一项议案"_s;
    settings.mark = u"10:8:6:4:2:"_s;

    constexpr int Rounds = 20000;
    std::printf("ballot tally, %d keypads, count + tally + result text, %d rounds each\n",
                KeypadTable::LastKeypad, Rounds);
    for (const VoteTypeInfo &info : VoteTypeTable::all()) {
        nanosecondsPerTick(info.type, table, settings, texts, Rounds / 10); // warm-up
        const double ns = nanosecondsPerTick(info.type, table, settings, texts, Rounds);
        std::printf("  %-10s %8.2f us per tick\n", qPrintable(info.typeKey.toString()), ns / 1000.0);
    }
    return sink < 0 ? 1 : 0;
}
