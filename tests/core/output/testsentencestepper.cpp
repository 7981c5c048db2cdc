#include "core/output/sentencestepper.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Range = std::pair<int, int>;

class TestSentenceStepper final : public QObject
{
    Q_OBJECT

private slots:
    void nextRunsToAndIncludingThePauseSymbol_data();
    void nextRunsToAndIncludingThePauseSymbol();
    void nextWithoutPauseSymbolsRunsToTheEnd();
    void nextAtTheEndHighlightsNothing();
    void previousHighlightsTheSentenceBefore();
    void previousAtTheStartStaysAtZero();
    void fullWidthCommaIsOneSymbol();
    void entryIsCutToThirtyCharacters();
    void newTextKeepsPositionsWithinItsLength();
    void restoreReturnsToTheStart();
};

void TestSentenceStepper::nextRunsToAndIncludingThePauseSymbol_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Range>>("sentences");

    QTest::newRow("western") << u"One, two. Three"_s << QList<Range>{{0, 4}, {4, 9}, {9, 15}};
    QTest::newRow("chinese") << u"各位代表，大家好。现在开会；请坐？"_s
                             << QList<Range>{{0, 5}, {5, 9}, {9, 14}, {14, 17}};
    QTest::newRow("symbols side by side") << u"Yes?!.."_s << QList<Range>{{0, 4}, {4, 6}, {6, 7}};
    QTest::newRow("symbol first") << u",a"_s << QList<Range>{{0, 1}, {1, 2}};
}

void TestSentenceStepper::nextRunsToAndIncludingThePauseSymbol()
{
    QFETCH(QString, text);
    QFETCH(QList<Range>, sentences);
    SentenceStepper s;
    s.setText(text);
    for (const Range &expected : sentences) {
        const SentenceStepper::Step step = s.next();
        QCOMPARE(Range(step.highlightFrom, step.highlightTo), expected);
        // Everything before the sentence goes back to the text colour.
        QCOMPARE(Range(step.plainFrom, step.plainTo), Range(0, expected.first));
    }
    QVERIFY(s.atEnd());
}

void TestSentenceStepper::nextWithoutPauseSymbolsRunsToTheEnd()
{
    SentenceStepper s;
    s.setText(u"no pause symbol here\n"_s);
    const SentenceStepper::Step step = s.next();
    QCOMPARE(step.highlightFrom, 0);
    QCOMPARE(step.highlightTo, 21);
    QVERIFY(s.atEnd());
}

void TestSentenceStepper::nextAtTheEndHighlightsNothing()
{
    SentenceStepper s;
    s.setText(u"a.b"_s);
    s.next();
    s.next();
    const SentenceStepper::Step step = s.next();
    QCOMPARE(step.highlightFrom, 3);
    QCOMPARE(step.highlightTo, 3);
    QCOMPARE(step.plainTo, 3);

    SentenceStepper empty;
    const SentenceStepper::Step none = empty.next();
    QCOMPARE(none.highlightTo, 0);
    QVERIFY(empty.atEnd());
}

void TestSentenceStepper::previousHighlightsTheSentenceBefore()
{
    SentenceStepper s;
    s.setText(u"One, two. Three"_s);
    s.next(); // [0,4)
    s.next(); // [4,9)
    s.next(); // [9,15)
    SentenceStepper::Step step = s.previous();
    QCOMPARE(Range(step.plainFrom, step.plainTo), Range(0, 15));
    QCOMPARE(Range(step.highlightFrom, step.highlightTo), Range(4, 9));
    step = s.previous();
    QCOMPARE(Range(step.highlightFrom, step.highlightTo), Range(0, 4));
    QCOMPARE(s.sentenceStart(), 0);
    QCOMPARE(s.sentenceEnd(), 4);
    // And forward again from there.
    step = s.next();
    QCOMPARE(Range(step.highlightFrom, step.highlightTo), Range(4, 9));
}

void TestSentenceStepper::previousAtTheStartStaysAtZero()
{
    SentenceStepper s;
    s.setText(u"One, two."_s);
    s.next();
    const SentenceStepper::Step step = s.previous();
    QCOMPARE(step.highlightFrom, 0);
    QCOMPARE(step.highlightTo, 0);
    QCOMPARE(Range(step.plainFrom, step.plainTo), Range(0, 4));
    QCOMPARE(s.sentenceStart(), 0);
    s.previous();
    QCOMPARE(s.sentenceStart(), 0);
    QCOMPARE(s.sentenceEnd(), 0);
}

void TestSentenceStepper::fullWidthCommaIsOneSymbol()
{
    SentenceStepper s;
    s.setPauseSymbols(u"，"_s);
    QCOMPARE(s.pauseSymbols(), QStringList{u"，"_s});
    s.setText(u"甲，乙,丙，丁"_s);
    QCOMPARE(s.next().highlightTo, 2);
    QCOMPARE(s.next().highlightTo, 6); // the ASCII comma is no longer a symbol

    // Applying the field as it first stands keeps every default symbol, the full-width ones too.
    s.setPauseSymbols(SentenceStepper::defaultEntry());
    QCOMPARE(s.pauseSymbols(), SentenceStepper::defaultPauseSymbols());
    QCOMPARE(s.pauseSymbols().size(), 8);
    s.restore();
    QCOMPARE(s.next().highlightTo, 2);
}

void TestSentenceStepper::entryIsCutToThirtyCharacters()
{
    SentenceStepper s;
    s.setPauseSymbols(QString(40, u'x') + u"!"_s);
    QCOMPARE(s.pauseSymbols().size(), 30);
    QVERIFY(!s.pauseSymbols().contains(u"!"_s));
}

void TestSentenceStepper::newTextKeepsPositionsWithinItsLength()
{
    SentenceStepper s;
    s.setText(u"A long first sentence, and more."_s);
    s.next();
    s.next();
    QCOMPARE(s.sentenceEnd(), 32);
    s.setText(u"Short."_s);
    QCOMPARE(s.sentenceStart(), 6);
    QCOMPARE(s.sentenceEnd(), 6);
    s.setText(u"A much longer text, again."_s);
    QCOMPARE(s.sentenceEnd(), 6);
}

void TestSentenceStepper::restoreReturnsToTheStart()
{
    SentenceStepper s;
    s.setText(u"a,b,c"_s);
    s.next();
    s.next();
    s.restore();
    QCOMPARE(s.sentenceStart(), 0);
    QCOMPARE(s.sentenceEnd(), 0);
    QCOMPARE(s.next().highlightTo, 2);
}

QTEST_MAIN(TestSentenceStepper)
#include "testsentencestepper.moc"
