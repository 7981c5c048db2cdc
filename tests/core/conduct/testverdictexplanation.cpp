// The explained verdict in each of the shipped languages, for each counting base and pass rule. The
// sentences are written out here as an operator reads them.

#include "core/conduct/verdictexplanation.h"

#include "core/base/textcatalogue.h"

#include <QTest>

class TestVerdictExplanation : public QObject
{
    Q_OBJECT

private slots:
    void sentence_data();
    void sentence();
    void electionsAndLiveCountsHaveNone();
};

void TestVerdictExplanation::sentence_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("baseKey");
    QTest::addColumn<QString>("ruleKey");
    QTest::addColumn<int>("inFavour");
    QTest::addColumn<int>("due");
    QTest::addColumn<int>("present");
    QTest::addColumn<QString>("expected");

    const QString en = "menu_e.ini", zh = "menu.ini", pt = "menu_p.ini";
    QTest::newRow("en due more") << en << 0 << "cbBaseOne" << "cbAbetOne" << 31 << 60 << 55
                                 << "Yes 31 of 60 delegates due = 51.67 %, more than 50 % needed: passed";
    QTest::newRow("en due at least") << en << 0 << "cbBaseOne" << "cbAbetTwo" << 29 << 60 << 55
                                     << "Yes 29 of 60 delegates due = 48.33 %, at least 50 % needed: not passed";
    QTest::newRow("en present more, exactly half") << en << 0 << "cbBaseTwo" << "cbAbetOne" << 20 << 60 << 40
                                 << "Yes 20 of 40 delegates present = 50.00 %, more than 50 % needed: not passed";
    QTest::newRow("en present at least") << en << 0 << "cbBaseTwo" << "cbAbetTwo" << 20 << 60 << 40
                                 << "Yes 20 of 40 delegates present = 50.00 %, at least 50 % needed: passed";
    QTest::newRow("en no base") << en << 0 << "other" << "cbAbetOne" << 31 << 60 << 55
                                << "Yes 31 without a counting base = 0.00 %, more than 50 % needed: not passed";
    QTest::newRow("en nobody signed in") << en << 0 << "cbBaseTwo" << "cbAbetTwo" << 3 << 60 << 0
                                 << "Yes 3 without a counting base = 0.00 %, at least 50 % needed: not passed";
    QTest::newRow("en appraisal") << en << 6 << "cbBaseTwo" << "cbAbetTwo" << 5 << 10 << 8
                                  << "Satisfied 5 of 8 delegates present = 62.50 %, at least 50 % needed: passed";
    QTest::newRow("zh due more") << zh << 0 << "cbBaseOne" << "cbAbetOne" << 31 << 60 << 55
                                 << "赞成 31 票，应到 60 人，占 51.67 %，需超过 50 %：通过";
    QTest::newRow("zh present at least") << zh << 0 << "cbBaseTwo" << "cbAbetTwo" << 19 << 60 << 40
                                         << "赞成 19 票，实到 40 人，占 47.50 %，需至少 50 %：未通过";
    QTest::newRow("zh no base") << zh << 0 << "other" << "cbAbetTwo" << 0 << 60 << 40
                                << "赞成 0 票，无计票基数，占 0.00 %，需至少 50 %：未通过";
    QTest::newRow("pt due more") << pt << 0 << "cbBaseOne" << "cbAbetOne" << 31 << 60 << 55
                                 << "A favor 31 de 60 delegados previstos = 51.67 %, necessário mais de 50 %: aprovada";
    QTest::newRow("pt present at least") << pt << 0 << "cbBaseTwo" << "cbAbetTwo" << 19 << 60 << 40
                                         << "A favor 19 de 40 delegados presentes = 47.50 %, necessário pelo menos 50 %: rejeitada";
    QTest::newRow("pt appraisal no base") << pt << 6 << "other" << "cbAbetOne" << 4 << 10 << 8
                                          << "Satisfeito 4 sem base de contagem = 0.00 %, necessário mais de 50 %: rejeitada";
}

void TestVerdictExplanation::sentence()
{
    QFETCH(QString, file);
    QFETCH(int, type);
    QFETCH(QString, baseKey);
    QFETCH(QString, ruleKey);
    QFETCH(int, inFavour);
    QFETCH(int, due);
    QFETCH(int, present);
    QFETCH(QString, expected);

    const TextCatalogue catalogue(QStringLiteral(QUORIX_SOURCE_DIR) + "/data/System/Menu/" + file);
    const TallyTexts texts = TallyTexts::lookUp(catalogue.lookup());
    const QString base = baseKey == "other" ? "written elsewhere" : catalogue.text("FrmMeeVote", baseKey);
    const BallotSettings settings{base, catalogue.text("FrmMeeVote", ruleKey), "50", "2", "Motion ", ""};
    BallotCounters counters;
    counters.count(1) = inFavour;
    const VoteType voteType = *VoteTypeTable::fromIndex(type);
    const TallyResult tallied = BallotTally::tally(voteType, counters, due, present, settings, texts);
    QCOMPARE(VerdictExplanation::sentence(voteType, tallied, settings, texts, due, present, catalogue), expected);
}

void TestVerdictExplanation::electionsAndLiveCountsHaveNone()
{
    const TextCatalogue catalogue(QStringLiteral(QUORIX_SOURCE_DIR) + "/data/System/Menu/menu_e.ini");
    const TallyTexts texts = TallyTexts::lookUp(catalogue.lookup());
    BallotCounters counters;
    counters.count(1) = 3;
    const BallotSettings settings{texts.cbBaseOne, texts.cbAbetOne, "50", "2", "", ""};
    const TallyResult election =
        BallotTally::tally(VoteType::ElectOneOfThree, counters, 10, 8, settings, texts);
    QVERIFY(VerdictExplanation::sentence(VoteType::ElectOneOfThree, election, settings, texts, 10, 8, catalogue)
                .isEmpty());
    TallyResult live = BallotTally::tally(VoteType::YesNo, counters, 10, 8, settings, texts);
    live.passed.reset(); // what a count without a verdict carries
    QVERIFY(VerdictExplanation::sentence(VoteType::YesNo, live, settings, texts, 10, 8, catalogue).isEmpty());
}

QTEST_GUILESS_MAIN(TestVerdictExplanation)
#include "testverdictexplanation.moc"
