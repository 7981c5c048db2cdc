#include "core/counting/ballottally.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include "core/link/keypadtable.h"
#include "core/base/colonlist.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Stand-ins for the looked-up catalogue texts; what matters is that they differ from each other.
TallyTexts texts()
{
    TallyTexts t;
    t.cbBaseOne = u"due base"_s;
    t.cbBaseTwo = u"present base"_s;
    t.cbAbetOne = u"above"_s;
    t.DateYes = u"voted"_s;
    t.DateBreak = u"halted"_s;
    t.PassVoteOk = u"passed"_s;
    t.PassVoteNo = u"failed"_s;
    return t;
}
const QString AtLeast = u"at least"_s; // the other pass rule

// Key codes of keypads 1..n, given as (key code, how many keypads) runs.
QList<int> codes(std::initializer_list<std::pair<int, int>> runs)
{
    QList<int> result;
    for (const auto &[code, n] : runs)
        result.append(QList<int>(n, code));
    return result;
}

BallotSettings settings(const QString &base, const QString &unit, const QString &abet = AtLeast,
                        const QString &threshold = u"50"_s)
{
    BallotSettings s;
    s.VoteBase = base;
    s.VoteAbet = abet;
    s.VoteAbetValue = threshold;
    s.Unit = unit;
    s.ytText = u"Motion 1 "_s;
    return s;
}

TallyResult run(VoteType type, const QList<int> &keyCodes, int due, int present, const BallotSettings &s)
{
    return BallotTally::tally(type, BallotTally::count(type, keyCodes), due, present, s, texts());
}

bool isSingleKeyOrNone(int code)
{
    return code == 0 || code == 0x01 || code == 0x02 || code == 0x04 || code == 0x08 || code == 0x10;
}

// A key code as the parser may leave it: mostly one key or none, sometimes several keys at once.
int randomKeyCode(QRandomGenerator &rng)
{
    const int roll = int(rng.bounded(10));
    if (roll < 3)
        return 0;
    if (roll < 8)
        return 1 << rng.bounded(5);
    return int(rng.bounded(32));
}

} // namespace

class TestBallotTally final : public QObject
{
    Q_OBJECT

private slots:
    void countsKeyCodesByTheTypesRule_data();
    void countsKeyCodesByTheTypesRule();
    void countsKeypadsOneToKeypadCountFromTheTable();

    void fullBallotResultText_data();
    void fullBallotResultText();
    void thresholdDecidesOnTheUnroundedShare_data();
    void thresholdDecidesOnTheUnroundedShare();
    void longVerdictIsStoredWhole();
    void colonInTheVerdictKeepsTheFieldCount();

    void electionTextListsTheCounts_data();
    void electionTextListsTheCounts();
    void keysFourAndFiveChangeNothingInThreeKeyTypes_data();
    void keysFourAndFiveChangeNothingInThreeKeyTypes();

    void scoringTextIsTheAverage_data();
    void scoringTextIsTheAverage();

    void randomCountsAddUpAndResultTextsSplitBack();
    void twoDecimalsWritesAsPrintfInTheCLocale();
    void twoDecimalsIgnoresTheOperatorsLocale();

    void resultWriteSetsStateAndPollTime_data();
    void resultWriteSetsStateAndPollTime();
    void resultNotFinalHasNoVerdictAndTheHaltedState();
    void textsAreLookedUpInTheirSections();
    void decimalValueReadsStoredNumbers_data();
    void decimalValueReadsStoredNumbers();
};

void TestBallotTally::countsKeyCodesByTheTypesRule_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("keyCodes");
    QTest::addColumn<int>("notAnswered");
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("yes/no: each single key, no key, several keys")
        << int(VoteType::YesNo) << QList<int>{0x01, 0x02, 0x04, 0x08, 0x10, 0, 0x03, 0x01} << 1
        << QList<int>{2, 1, 1, 1, 1};
    QTest::newRow("one of three: keys 1 and 2 together count for neither")
        << int(VoteType::ElectOneOfThree) << QList<int>{0x03, 0x01, 0x02} << 0 << QList<int>{1, 1, 0, 0, 0};
    QTest::newRow("several of three: keys 1 and 2 together count for both")
        << int(VoteType::ElectSeveralOfThree) << QList<int>{0x03, 0x01, 0x05, 0} << 1
        << QList<int>{3, 1, 1, 0, 0};
    QTest::newRow("several of five: all five keys and bits above key 5")
        << int(VoteType::ElectSeveralOfFive) << QList<int>{0x1F, 0x18, 0x20, 0xE0} << 0
        << QList<int>{1, 1, 1, 2, 2};
    QTest::newRow("scoring counts single keys only")
        << int(VoteType::Scoring) << QList<int>{0x10, 0x10, 0x11, 0} << 1 << QList<int>{0, 0, 0, 0, 2};
    QTest::newRow("no keypads") << int(VoteType::Appraisal) << QList<int>{} << 0 << QList<int>{0, 0, 0, 0, 0};
}

void TestBallotTally::countsKeyCodesByTheTypesRule()
{
    QFETCH(int, type);
    QFETCH(QList<int>, keyCodes);
    QFETCH(int, notAnswered);
    QFETCH(QList<int>, counts);

    const BallotCounters c = BallotTally::count(VoteType(type), keyCodes);
    QCOMPARE(c.notAnswered, notAnswered);
    QCOMPARE(QList<int>(c.counts.begin(), c.counts.end()), counts);
}

void TestBallotTally::countsKeypadsOneToKeypadCountFromTheTable()
{
    KeypadTable table;
    table.entry(1)->keyCode = 0x01;
    table.entry(2)->keyCode = 0x02;
    table.entry(3)->keyCode = 0x04;
    table.entry(249)->keyCode = 0x01;

    BallotCounters c = BallotTally::count(VoteType::YesNo, table, 2);
    QCOMPARE(c.count(1), 1);
    QCOMPARE(c.count(2), 1);
    QCOMPARE(c.count(3), 0);

    // A keypad count beyond the last keypad number must not count phantom keypads as not answered.
    c = BallotTally::count(VoteType::YesNo, table, 400);
    QCOMPARE(c.count(1), 2);
    QCOMPARE(c.notAnswered, 249 - 4);

    QCOMPARE(BallotTally::count(VoteType::YesNo, table, 0), BallotCounters{});
}

void TestBallotTally::fullBallotResultText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("keyCodes");
    QTest::addColumn<int>("due");
    QTest::addColumn<int>("present");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("result");

    const int yesNo = int(VoteType::YesNo);
    const QString due = texts().cbBaseOne;
    const QString present = texts().cbBaseTwo;
    const QList<int> twoYesOneAbstain = codes({{0x01, 2}, {0x04, 1}});

    QTest::newRow("due base, Unit 1: silent present delegates abstain")
        << yesNo << codes({{0x01, 30}, {0x02, 10}, {0x04, 3}, {0, 7}}) << 50 << 48 << due << u"1"_s
        << u"1:50:48:30:10:8:5:60.00%:20.00%:16.00%:Motion 1 passed:"_s;
    QTest::newRow("appraisal counts like the yes/no ballot")
        << int(VoteType::Appraisal) << codes({{0x01, 30}, {0x02, 10}, {0x04, 3}}) << 50 << 48 << due << u"1"_s
        << u"1:50:48:30:10:8:5:60.00%:20.00%:16.00%:Motion 1 passed:"_s;
    QTest::newRow("nobody answers, Unit 1") << yesNo << codes({{0, 10}}) << 10 << 8 << due << u"1"_s
                                            << u"1:10:8:0:0:8:8:0.00%:0.00%:80.00%:Motion 1 failed:"_s;
    QTest::newRow("nobody answers, Unit 2") << yesNo << codes({{0, 10}}) << 10 << 8 << due << u"2"_s
                                            << u"2:10:8:0:0:0:8:0.00%:0.00%:0.00%:Motion 1 failed:"_s;

    QTest::newRow("due base, Unit empty: abstain share given")
        << yesNo << twoYesOneAbstain << 10 << 5 << due << QString()
        << u":10:5:2:0:1:2:20.00%:0.00%:10.00%:Motion 1 failed:"_s;
    QTest::newRow("due base, other Unit text: no abstain share")
        << yesNo << twoYesOneAbstain << 10 << 5 << due << u"3"_s
        << u"3:10:5:2:0:1:2:20.00%:0.00%:0.00%:Motion 1 failed:"_s;
    QTest::newRow("present base, Unit 1") << yesNo << twoYesOneAbstain << 10 << 5 << present << u"1"_s
                                          << u"1:10:5:2:0:3:2:40.00%:0.00%:60.00%:Motion 1 failed:"_s;
    QTest::newRow("present base, Unit 2") << yesNo << twoYesOneAbstain << 10 << 5 << present << u"2"_s
                                          << u"2:10:5:2:0:1:2:40.00%:0.00%:20.00%:Motion 1 failed:"_s;
    QTest::newRow("present base, Unit empty: no abstain share")
        << yesNo << twoYesOneAbstain << 10 << 5 << present << QString()
        << u":10:5:2:0:1:2:40.00%:0.00%:0.00%:Motion 1 failed:"_s;

    QTest::newRow("several keys and key 4 fall into not answered")
        << yesNo << codes({{0x01, 3}, {0x03, 2}, {0x05, 1}, {0x08, 1}, {0, 3}}) << 10 << 10 << due << u"2"_s
        << u"2:10:10:3:0:0:7:30.00%:0.00%:0.00%:Motion 1 failed:"_s;
    QTest::newRow("more answers than present: not answered held at 0")
        << yesNo << codes({{0x01, 5}}) << 10 << 2 << present << u"2"_s
        << u"2:10:2:5:0:0:0:250.00%:0.00%:0.00%:Motion 1 passed:"_s;
    QTest::newRow("shares rounded in the text")
        << yesNo << codes({{0x01, 2}, {0x02, 1}}) << 3 << 3 << due << u"2"_s
        << u"2:3:3:2:1:0:0:66.67%:33.33%:0.00%:Motion 1 passed:"_s;
    QTest::newRow("unrecognised base: no shares, abstentions still added")
        << yesNo << codes({{0x01, 1}}) << 10 << 4 << u"Anteil der Anwesenden"_s << u"1"_s
        << u"1:10:4:1:0:3:3:0.00%:0.00%:0.00%:Motion 1 failed:"_s;
    QTest::newRow("zero due count: shares 0, no failure")
        << yesNo << codes({{0x01, 2}}) << 0 << 3 << due << u"1"_s
        << u"1:0:3:2:0:1:1:0.00%:0.00%:0.00%:Motion 1 failed:"_s;
    QTest::newRow("zero present count: shares 0, no failure")
        << yesNo << codes({{0x01, 2}}) << 10 << 0 << present << u"2"_s
        << u"2:10:0:2:0:0:0:0.00%:0.00%:0.00%:Motion 1 failed:"_s;
}

void TestBallotTally::fullBallotResultText()
{
    QFETCH(int, type);
    QFETCH(QList<int>, keyCodes);
    QFETCH(int, due);
    QFETCH(int, present);
    QFETCH(QString, base);
    QFETCH(QString, unit);
    QFETCH(QString, result);

    const TallyResult r = run(VoteType(type), keyCodes, due, present, settings(base, unit));
    QCOMPARE(r.result, result);
    // The counters handed back are the ones in the text, for the charts and the reports.
    const QStringList f = ColonList::fields(r.result, 11);
    QCOMPARE(QString::number(r.counters.count(3)), f.at(5));
    QCOMPARE(QString::number(r.counters.notAnswered), f.at(6));
    QCOMPARE(r.verdict, f.at(10));
    QVERIFY(r.passed.has_value());
}

void TestBallotTally::thresholdDecidesOnTheUnroundedShare_data()
{
    QTest::addColumn<int>("inFavour");
    QTest::addColumn<int>("due");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QString>("rule");
    QTest::addColumn<bool>("passed");

    const QString strict = texts().cbAbetOne;
    QTest::newRow("5 of 10 at 50, above") << 5 << 10 << u"50"_s << strict << false;
    QTest::newRow("5 of 10 at 50, at least") << 5 << 10 << u"50"_s << AtLeast << true;
    QTest::newRow("1 of 2 at 50, above") << 1 << 2 << u"50"_s << strict << false;
    QTest::newRow("2 of 3 at 66, above") << 2 << 3 << u"66"_s << strict << true;
    QTest::newRow("2 of 3 at 66, at least") << 2 << 3 << u"66"_s << AtLeast << true;
    QTest::newRow("2 of 3 at 67, at least") << 2 << 3 << u"67"_s << AtLeast << false;
    QTest::newRow("no votes at 0, above") << 0 << 10 << u"0"_s << strict << false;
    QTest::newRow("no votes at 0, at least") << 0 << 10 << u"0"_s << AtLeast << true;
    QTest::newRow("one vote at 0, above") << 1 << 10 << u"0"_s << strict << true;
    QTest::newRow("all at 100, at least") << 10 << 10 << u"100"_s << AtLeast << true;
    QTest::newRow("all at 100, above") << 10 << 10 << u"100"_s << strict << false;
    QTest::newRow("any other rule text means at least") << 5 << 10 << u"50"_s << QString() << true;
    QTest::newRow("zero base decides against 0, at least") << 2 << 0 << u"0"_s << AtLeast << true;
    QTest::newRow("zero base decides against 0, above") << 2 << 0 << u"0"_s << strict << false;
}

void TestBallotTally::thresholdDecidesOnTheUnroundedShare()
{
    QFETCH(int, inFavour);
    QFETCH(int, due);
    QFETCH(QString, threshold);
    QFETCH(QString, rule);
    QFETCH(bool, passed);

    const TallyResult r = run(VoteType::YesNo, codes({{0x01, inFavour}, {0x02, 1}}), due, due + 1,
                              settings(texts().cbBaseOne, u"2"_s, rule, threshold));
    QCOMPARE(r.passed, std::optional<bool>(passed));
    const QString verdict = u"Motion 1 "_s + (passed ? u"passed"_s : u"failed"_s);
    QCOMPARE(r.verdict, verdict);
    QVERIFY(r.result.endsWith(u':' + verdict + u':'));
}

void TestBallotTally::longVerdictIsStoredWhole()
{
    BallotSettings s = settings(texts().cbBaseOne, u"1"_s);
    s.ytText = QString(150, u'决');
    const TallyResult r = run(VoteType::YesNo, codes({{0x01, 9}}), 10, 10, s);
    QVERIFY(r.result.size() > 100);
    QCOMPARE(r.verdict, s.ytText + u"passed"_s);
    QCOMPARE(ColonList::fields(r.result, 11).at(10), r.verdict);
    QVERIFY(r.result.endsWith(u"passed:"_s));
}

void TestBallotTally::colonInTheVerdictKeepsTheFieldCount()
{
    BallotSettings s = settings(texts().cbBaseOne, u"2"_s);
    s.ytText = u"No. 3: "_s;
    const TallyResult r = run(VoteType::YesNo, codes({{0x01, 9}}), 10, 10, s);
    QCOMPARE(r.verdict, u"No. 3: passed"_s); // shown as captions unchanged
    const QStringList f = ColonList::split(r.result, 20);
    QCOMPARE(f.size(), 11);
    QCOMPARE(f.at(10), u"No. 3\uFF1A passed"_s);
}

void TestBallotTally::electionTextListsTheCounts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("keyCodes");
    QTest::addColumn<QString>("result");

    QTest::newRow("one of three") << int(VoteType::ElectOneOfThree)
                                  << QList<int>{0x01, 0x02, 0x02, 0x04, 0x03, 0, 0x08, 0x10} << u"1:2:1:"_s;
    QTest::newRow("several of three")
        << int(VoteType::ElectSeveralOfThree) << QList<int>{0x03, 0x05, 0x01} << u"3:1:1:"_s;
    QTest::newRow("one of five") << int(VoteType::ElectOneOfFive)
                                 << QList<int>{0x01, 0x02, 0x04, 0x08, 0x10, 0x10, 0x18} << u"1:1:1:1:2:"_s;
    QTest::newRow("several of five") << int(VoteType::ElectSeveralOfFive) << QList<int>{0x1F, 0x18, 0}
                                     << u"1:1:1:2:2:"_s;
    QTest::newRow("no votes") << int(VoteType::ElectOneOfThree) << QList<int>{0, 0} << u"0:0:0:"_s;
}

void TestBallotTally::electionTextListsTheCounts()
{
    QFETCH(int, type);
    QFETCH(QList<int>, keyCodes);
    QFETCH(QString, result);

    const TallyResult r = run(VoteType(type), keyCodes, 10, 10, settings(texts().cbBaseOne, u"1"_s));
    QCOMPARE(r.result, result);
    QVERIFY(!r.passed.has_value());
    QVERIFY(r.verdict.isEmpty());
}

void TestBallotTally::keysFourAndFiveChangeNothingInThreeKeyTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("yes/no") << int(VoteType::YesNo);
    QTest::newRow("appraisal") << int(VoteType::Appraisal);
    QTest::newRow("one of three") << int(VoteType::ElectOneOfThree);
    QTest::newRow("several of three") << int(VoteType::ElectSeveralOfThree);
}

void TestBallotTally::keysFourAndFiveChangeNothingInThreeKeyTypes()
{
    QFETCH(int, type);
    const QList<int> base = codes({{0x01, 4}, {0x02, 3}, {0x04, 2}});
    const BallotSettings s = settings(texts().cbBaseTwo, u"1"_s);
    const QString silent = run(VoteType(type), base + codes({{0, 3}}), 20, 15, s).result;
    const QString keysFourFive =
        run(VoteType(type), base + codes({{0x08, 1}, {0x10, 1}, {0x18, 1}}), 20, 15, s).result;
    QCOMPARE(keysFourFive, silent);
}

void TestBallotTally::scoringTextIsTheAverage_data()
{
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QList<int>>("keyCodes");
    QTest::addColumn<QString>("result");

    const QString marks = u"10:8:6:4:2:"_s;
    QTest::newRow("keys 1, 1, 3") << marks << QList<int>{0x01, 0x01, 0x04} << u"8.67:"_s;
    QTest::newRow("no answers") << marks << QList<int>{0, 0, 0} << u"0.00:"_s;
    QTest::newRow("silent keypads do not lower the average")
        << marks << QList<int>{0x01, 0, 0, 0} << u"10.00:"_s;
    QTest::newRow("several keys at once count nowhere") << marks << QList<int>{0x03, 0x02} << u"8.00:"_s;
    QTest::newRow("score after the last colon is dropped")
        << u"10:8:6:4:2"_s << QList<int>{0x10, 0x01} << u"5.00:"_s;
    QTest::newRow("non-numeric score reads as 0")
        << u"ten:8:6:4:2:"_s << QList<int>{0x01, 0x02} << u"4.00:"_s;
    QTest::newRow("all scores zero") << u"0:0:0:0:0:"_s << QList<int>{0x01, 0x02} << u"0.00:"_s;
    QTest::newRow("no score list") << QString() << QList<int>{0x01} << u"0.00:"_s;
}

void TestBallotTally::scoringTextIsTheAverage()
{
    QFETCH(QString, mark);
    QFETCH(QList<int>, keyCodes);
    QFETCH(QString, result);

    BallotSettings s = settings(texts().cbBaseOne, u"1"_s);
    s.mark = mark;
    const TallyResult r = run(VoteType::Scoring, keyCodes, 10, 10, s);
    QCOMPARE(r.result, result);
    QVERIFY(!r.passed.has_value());
}

void TestBallotTally::randomCountsAddUpAndResultTextsSplitBack()
{
    QRandomGenerator rng(20261207);
    const QStringList bases{texts().cbBaseOne, texts().cbBaseTwo, u"other"_s};
    const QStringList units{u"1"_s, u"2"_s, QString()};

    for (int round = 0; round < 3000; ++round) {
        const int keypads = int(rng.bounded(250));
        QList<int> keyCodes;
        KeypadTable table;
        for (int n = 1; n <= keypads; ++n) {
            keyCodes.append(randomKeyCode(rng));
            table.entry(n)->keyCode = keyCodes.last();
        }
        const VoteType type = VoteType(rng.bounded(VoteTypeTable::Count));
        const VoteTypeInfo &info = VoteTypeTable::info(type);
        const BallotCounters c = BallotTally::count(type, keyCodes);
        QCOMPARE(BallotTally::count(type, table, keypads), c);

        int total = c.notAnswered;
        for (int v : c.counts)
            total += v;
        if (info.counting == KeyCounting::SingleKey) {
            const auto severalKeys =
                std::count_if(keyCodes.begin(), keyCodes.end(), [](int k) { return !isSingleKeyOrNone(k); });
            QCOMPARE(total + int(severalKeys), keypads);
        } else {
            QCOMPARE(c.notAnswered, int(keyCodes.count(0)));
            for (int key = 1; key <= 5; ++key) {
                const int bit = 1 << (key - 1);
                QCOMPARE(c.count(key), int(std::count_if(keyCodes.begin(), keyCodes.end(),
                                                         [bit](int k) { return k & bit; })));
            }
        }

        const int due = int(rng.bounded(300));
        const int present = int(rng.bounded(300));
        BallotSettings s = settings(bases.at(rng.bounded(3)), units.at(rng.bounded(3)), AtLeast,
                                    QString::number(rng.bounded(101)));
        s.mark = u"%1:%2:%3:%4:%5:"_s.arg(rng.bounded(11))
                     .arg(rng.bounded(11))
                     .arg(rng.bounded(11))
                     .arg(rng.bounded(11))
                     .arg(rng.bounded(11));
        const TallyResult r = BallotTally::tally(type, c, due, present, s, texts());

        switch (info.resultForm) {
        case ResultForm::FullBallot: {
            const QStringList f = ColonList::split(r.result, 20);
            QCOMPARE(f.size(), 11);
            QCOMPARE(f.at(0), s.Unit);
            QCOMPARE(f.at(1).toInt(), due);
            QCOMPARE(f.at(2).toInt(), present);
            const int notAnswered = std::max(0, present - c.count(1) - c.count(2) - c.count(3));
            QCOMPARE(f.at(3).toInt(), c.count(1));
            QCOMPARE(f.at(4).toInt(), c.count(2));
            QCOMPARE(f.at(5).toInt(), c.count(3) + (s.Unit == u"1" ? notAnswered : 0));
            QCOMPARE(f.at(6).toInt(), notAnswered);
            for (int i = 0; i < 3; ++i) {
                QVERIFY(f.at(7 + i).endsWith(u'%'));
                const double shown = f.at(7 + i).chopped(1).toDouble();
                QVERIFY2(std::abs(shown - r.percentages[size_t(i)]) <= 0.005 + 1e-9, qPrintable(r.result));
            }
            QCOMPARE(f.at(10), r.verdict);
            break;
        }
        case ResultForm::ThreeCounts:
        case ResultForm::FiveCounts: {
            const QStringList f = ColonList::split(r.result, 20);
            QCOMPARE(f.size(), info.keyCount);
            for (int key = 1; key <= info.keyCount; ++key)
                QCOMPARE(f.at(key - 1).toInt(), c.count(key));
            break;
        }
        case ResultForm::AverageScore: {
            const QStringList f = ColonList::split(r.result, 20);
            QCOMPARE(f.size(), 1);
            QVERIFY(std::abs(f.at(0).toDouble() - r.average) <= 0.005 + 1e-9);
            break;
        }
        }
    }
}

void TestBallotTally::twoDecimalsWritesAsPrintfInTheCLocale()
{
    std::setlocale(LC_NUMERIC, "C");
    QList<double> values;
    for (int k = 0; k <= 400; ++k)
        values.append(k / 8.0); // exact ties at the third decimal, where rounding rules differ
    QRandomGenerator rng(7);
    for (int i = 0; i < 5000; ++i)
        values.append(rng.bounded(250) * 100.0 / (1 + rng.bounded(1000)));
    values.append({0.005, 0.015, 2.675, 1e9 / 3, 99.995, 99.994999});

    for (double v : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%2.2f", v);
        QCOMPARE(BallotTally::twoDecimals(v), QString::fromLatin1(expected));
    }
}

void TestBallotTally::twoDecimalsIgnoresTheOperatorsLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool commaLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    const QString text = BallotTally::twoDecimals(1234.5);
    const TallyResult r = run(VoteType::YesNo, codes({{0x01, 1}}), 3, 3, settings(texts().cbBaseOne, u"2"_s));
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(before);

    QCOMPARE(text, u"1234.50"_s);
    QVERIFY(r.result.contains(u"33.33%"_s));
    if (!commaLocale)
        qInfo("no comma locale installed; checked against the Qt default locale only");
}

void TestBallotTally::resultWriteSetsStateAndPollTime_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("pollTime");

    QTest::newRow("evening") << QDateTime(QDate(2026, 12, 7), QTime(18, 30, 5)) << u"2026/12/07/-18:30:05"_s;
    QTest::newRow("small fields are zero-padded")
        << QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)) << u"2026/01/02/-03:04:05"_s;
    QTest::newRow("midnight") << QDateTime(QDate(2027, 10, 31), QTime(0, 0, 0)) << u"2027/10/31/-00:00:00"_s;
}

void TestBallotTally::resultWriteSetsStateAndPollTime()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, pollTime);

    const TallyResult r = run(VoteType::ElectOneOfThree, {0x01}, 1, 1, settings(texts().cbBaseOne, u"1"_s));
    const BallotResultWrite w = BallotTally::resultWrite(r, now, texts(), true);
    QCOMPARE(w.result, u"1:0:0:"_s);
    QCOMPARE(w.VoteState, u"voted"_s);
    QCOMPARE(w.PollTimel, pollTime);
}

void TestBallotTally::resultNotFinalHasNoVerdictAndTheHaltedState()
{
    // 3 of 4 present in favour passes 50 %: the final write says so, a live one must not.
    const TallyResult r = run(VoteType::YesNo, {0x01, 0x01, 0x01, 0x02}, 4, 4, settings(texts().cbBaseTwo, u"2"_s));
    const QDateTime now(QDate(2026, 12, 9), QTime(10, 0, 0));
    const BallotResultWrite final = BallotTally::resultWrite(r, now, texts(), true);
    QVERIFY(final.result.endsWith(u"passed:"_s));
    QCOMPARE(final.VoteState, u"voted"_s);
    const BallotResultWrite live = BallotTally::resultWrite(r, now, texts(), false);
    QCOMPARE(live.result, u"2:4:4:3:1:0:0:75.00%:25.00%:0.00%::"_s);
    QCOMPARE(live.VoteState, u"halted"_s);
    QCOMPARE(live.PollTimel, final.PollTimel);
}

void TestBallotTally::textsAreLookedUpInTheirSections()
{
    const TallyTexts t = TallyTexts::lookUp([](QStringView section, QStringView key) -> QString {
        return section.toString() + u'/' + key.toString();
    });
    QCOMPARE(t.cbBaseOne, u"FrmMeeVote/cbBaseOne"_s);
    QCOMPARE(t.cbBaseTwo, u"FrmMeeVote/cbBaseTwo"_s);
    QCOMPARE(t.cbAbetOne, u"FrmMeeVote/cbAbetOne"_s);
    QCOMPARE(t.DateYes, u"FrmMeeVote/DateYes"_s);
    QCOMPARE(t.PassVoteOk, u"FrmScrText/PassVoteOk"_s);
    QCOMPARE(t.PassVoteNo, u"FrmScrText/PassVoteNo"_s);
}

void TestBallotTally::decimalValueReadsStoredNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << u"66"_s << 66;
    QTest::newRow("leading blanks") << u"  7"_s << 7;
    QTest::newRow("trailing text") << u"12 points"_s << 12;
    QTest::newRow("non-numeric") << u"ten"_s << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("negative") << u"-3"_s << -3;
    QTest::newRow("beyond int is held") << u"99999999999999999999"_s << std::numeric_limits<int>::max();
    QTest::newRow("below int is held") << u"-99999999999999999999"_s << std::numeric_limits<int>::min();
}

void TestBallotTally::decimalValueReadsStoredNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(BallotTally::decimalValue(text), value);
}

QTEST_GUILESS_MAIN(TestBallotTally)
#include "testballottally.moc"
