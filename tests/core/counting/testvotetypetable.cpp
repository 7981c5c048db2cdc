#include "core/counting/votetypetable.h"

#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A language file in miniature: section/key -> text, missing keys give an empty text.
VoteTypeTable::Lookup catalogue(const QHash<QString, QString> &entries)
{
    return [entries](QStringView section, QStringView key) {
        return entries.value(section.toString() + u'/' + key.toString());
    };
}

const QHash<QString, QString> English{
    {u"Public/VoteType1"_s, u"Yes/No"_s},       {u"Public/VoteType2"_s, u"Elect 1 of 3"_s},
    {u"Public/VoteType3"_s, u"Elect n of 3"_s}, {u"Public/VoteType4"_s, u"Elect 1 of 5"_s},
    {u"Public/VoteType5"_s, u"Elect n of 5"_s}, {u"Public/VoteType6"_s, u"Scoring"_s},
    {u"Public/VoteType7"_s, u"Appraisal"_s},    {u"FrmMeeVote/VoteType6"_s, u"Wrong section"_s},
};

} // namespace

class TestVoteTypeTable final : public QObject
{
    Q_OBJECT

private slots:
    void rowsAreInTypeNumberOrder();
    void commandValuesAreTheKeypadsOwn_data();
    void commandValuesAreTheKeypadsOwn();
    void electionsAreTheTypesWithCandidates();
    void fromIndexAcceptsOnlyTypeNumbers();
    void matchFindsTheTypeByDisplayText_data();
    void matchFindsTheTypeByDisplayText();
    void matchTakesTheFirstOfEqualTexts();
};

void TestVoteTypeTable::rowsAreInTypeNumberOrder()
{
    // Windows hand each other the type number 0..6; a row out of place would open another kind of ballot.
    for (int i = 0; i < VoteTypeTable::Count; ++i) {
        const VoteTypeInfo &t = VoteTypeTable::all()[size_t(i)];
        QCOMPARE(t.index(), i);
        QCOMPARE(t.typeKey, u"VoteType%1"_s.arg(i + 1));
        QCOMPARE(&VoteTypeTable::info(t.type), &t);
    }
}

void TestVoteTypeTable::commandValuesAreTheKeypadsOwn_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<uint>("command");
    QTest::addColumn<int>("chartKind");
    QTest::addColumn<QString>("startKey");
    QTest::addColumn<QString>("endKey");

    QTest::newRow("yes/no") << 0 << 0xF75501u << 1 << u"BtnVoteStart1"_s << u"BtnVoteEnd1"_s;
    QTest::newRow("one of three") << 1 << 0xF75501u << 2 << u"BtnVoteStart2"_s << u"BtnVoteEnd2"_s;
    QTest::newRow("several of three") << 2 << 0xF75507u << 3 << u"BtnVoteStart2"_s << u"BtnVoteEnd2"_s;
    QTest::newRow("one of five") << 3 << 0xF75503u << 4 << u"BtnVoteStart2"_s << u"BtnVoteEnd2"_s;
    QTest::newRow("several of five") << 4 << 0xF75505u << 5 << u"BtnVoteStart2"_s << u"BtnVoteEnd2"_s;
    QTest::newRow("scoring") << 5 << 0xF75503u << 6 << u"BtnVoteStart3"_s << u"BtnVoteEnd3"_s;
    QTest::newRow("appraisal draws as a full ballot")
        << 6 << 0xF75501u << 1 << u"BtnVoteStart4"_s << u"BtnVoteEnd4"_s;
}

void TestVoteTypeTable::commandValuesAreTheKeypadsOwn()
{
    QFETCH(int, type);
    QFETCH(uint, command);
    QFETCH(int, chartKind);
    QFETCH(QString, startKey);
    QFETCH(QString, endKey);

    const VoteTypeInfo &t = VoteTypeTable::info(VoteType(type));
    QCOMPARE(t.command, command);
    QCOMPARE(t.chartKind, chartKind);
    QCOMPARE(t.startCaptionKey, startKey);
    QCOMPARE(t.endCaptionKey, endKey);
}

void TestVoteTypeTable::electionsAreTheTypesWithCandidates()
{
    QList<int> candidates;
    for (const VoteTypeInfo &t : VoteTypeTable::all())
        candidates.append(t.candidateCount());
    QCOMPARE(candidates, (QList<int>{0, 3, 3, 5, 5, 0, 0}));
}

void TestVoteTypeTable::fromIndexAcceptsOnlyTypeNumbers()
{
    QCOMPARE(VoteTypeTable::fromIndex(0), std::optional(VoteType::YesNo));
    QCOMPARE(VoteTypeTable::fromIndex(6), std::optional(VoteType::Appraisal));
    QCOMPARE(VoteTypeTable::fromIndex(-1), std::nullopt);
    QCOMPARE(VoteTypeTable::fromIndex(7), std::nullopt);
}

void TestVoteTypeTable::matchFindsTheTypeByDisplayText_data()
{
    QTest::addColumn<QString>("oveType");
    QTest::addColumn<int>("expected"); // -1: no type

    QTest::newRow("first") << u"Yes/No"_s << 0;
    QTest::newRow("scoring") << u"Scoring"_s << 5;
    QTest::newRow("last") << u"Appraisal"_s << 6;
    QTest::newRow("text of another language file") << u"是否表决"_s << -1;
    QTest::newRow("case matters") << u"scoring"_s << -1;
    QTest::newRow("text of another section") << u"Wrong section"_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestVoteTypeTable::matchFindsTheTypeByDisplayText()
{
    QFETCH(QString, oveType);
    QFETCH(int, expected);
    const std::optional<VoteType> found = VoteTypeTable::match(oveType, catalogue(English));
    QCOMPARE(found ? int(*found) : -1, expected);
}

void TestVoteTypeTable::matchTakesTheFirstOfEqualTexts()
{
    QHash<QString, QString> sameWords = English;
    sameWords[u"Public/VoteType3"_s] = u"Elect 1 of 3"_s;
    QCOMPARE(VoteTypeTable::match(u"Elect 1 of 3"_s, catalogue(sameWords)),
             std::optional(VoteType::ElectOneOfThree));

    // A language file without the type keys makes every text empty; an empty record must not match them.
    QCOMPARE(VoteTypeTable::match(QString(), catalogue({})), std::nullopt);
}

QTEST_GUILESS_MAIN(TestVoteTypeTable)
#include "testvotetypetable.moc"
