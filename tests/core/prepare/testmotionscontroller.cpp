#include "core/prepare/motionscontroller.h"

#include "preparefixture.h"

#include "core/output/rtfreader.h"
#include "core/prepare/documenteditorcontroller.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TestMotionsController : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void comboTextsComeFromTheCatalogue();
    void newYesNoBallotStoresItsDefaults();
    void everyTypeStoresItsOwnOptions_data();
    void everyTypeStoresItsOwnOptions();
    void typeRulesEnableTheControls_data();
    void typeRulesEnableTheControls();
    void titleAndThresholdAreFiltered();
    void titleMustBeGivenAndUnique();
    void storedTypeOfNoTypeIsNeverSavedAsAnother();
    void selectionShowsTheStoredMotion();
    void editedElectionKeepsItsNewTimeLimit();
    void editingAnAppraisalResetsItsState();
    void motionEditedIntoAScoringGetsTheScores();
    void candidatesOnlyForElections();
    void contentDocumentIsSavedAsRtfAndRecorded();
    void deletingTheLastRowSelectsThePreviousOne();

private:
    MotionRecord stored(const QString &title);
    void addMotion(const QString &title, VoteType type);
    QString typeText(VoteType type) const;

    std::unique_ptr<PrepareFixture> f;
    std::unique_ptr<MotionsController> c;
};

void TestMotionsController::init()
{
    c.reset();
    f = std::make_unique<PrepareFixture>();
    QVERIFY(MeetingFiles::create(f->root, "Plenary", f->notifier));
    QVERIFY(f->system.setBallotDefaults("1", "2", "10:8:6:4:2:"));
    c = std::make_unique<MotionsController>(f->root, f->system, f->notifier, f->catalogue, f->clock());
    c->setMeeting("Plenary", "20240517090000");
    QCOMPARE(f->notifier.count(), 0);
}

MotionRecord TestMotionsController::stored(const QString &title)
{
    MeetingDatabase database(f->root, "Plenary", f->notifier);
    MotionRecord record;
    if (!database.readMotion(title, record))
        qWarning("no motion %s", qPrintable(title));
    return record;
}

QString TestMotionsController::typeText(VoteType type) const
{
    return f->catalogue.text("Public", VoteTypeTable::info(type).typeKey.toString());
}

void TestMotionsController::addMotion(const QString &title, VoteType type)
{
    c->startNew();
    c->setTitle(title);
    c->setType(int(type));
    QVERIFY(c->save());
}

void TestMotionsController::comboTextsComeFromTheCatalogue()
{
    QCOMPARE(c->typeTexts().size(), 7);
    QCOMPARE(c->typeTexts().first(), f->english("Public", "VoteType1"));
    QCOMPARE(c->typeTexts().last(), f->english("Public", "VoteType7"));
    QCOMPARE(c->baseTexts(),
             QStringList({f->english("FrmMeeMat", "cbVBaseOne"), f->english("FrmMeeMat", "cbVBaseTwo")}));
    QCOMPARE(c->ruleTexts(),
             QStringList({f->english("FrmMeeMat", "cbVAberOne"), f->english("FrmMeeMat", "cbVAberTwo")}));
    QCOMPARE(MotionsController::secondValues().size(), 12);
}

void TestMotionsController::newYesNoBallotStoresItsDefaults()
{
    c->startNew();
    QCOMPARE(c->fields().threshold, QString("50"));
    QVERIFY(!c->secondsEnabled());
    c->setTitle("Budget 2025");
    QVERIFY(c->save());
    QCOMPARE(f->notifier.count(), 0);

    const MotionRecord m = stored("Budget 2025");
    QCOMPARE(m.OveType, f->english("Public", "VoteType1"));
    QCOMPARE(m.VoteBase, f->english("FrmMeeMat", "cbVBaseOne"));
    QCOMPARE(m.VoteAbet, f->english("FrmMeeMat", "cbVAberOne"));
    QCOMPARE(m.VoteAbetValue, QString("50"));
    QCOMPARE(m.VoteTimelRes, QString("2"));
    QCOMPARE(m.VoteTimelValue, QString("0"));
    QCOMPARE(m.VoteState, f->english("FrmMeeMat", "DataNo"));
    QCOMPARE(m.insertdate, QString("20240517093000"));
    QCOMPARE(m.mark, QString());
    QCOMPARE(m.rtf, QString());
    // The display defaults of the settings: percentages on, verdict off.
    QCOMPARE(m.ViewPer, QString("1"));
    QCOMPARE(m.ViewPass, QString("2"));
    QCOMPARE(m.Unit, QString("2"));
    QCOMPARE(m.VoteDll, QString("1"));

    QCOMPARE(c->state(), MotionsController::State::Selected);
    QCOMPARE(c->selectedRow(), 0);
    QCOMPARE(c->list().VoteState, QStringList({f->english("FrmMeeMat", "DataNo")}));
}

void TestMotionsController::everyTypeStoresItsOwnOptions_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("hasBase");
    QTest::addColumn<bool>("hasRule");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("live");
    QTest::addColumn<QString>("ytText");
    QTest::addColumn<QString>("mark");

    // Every box ticked, the limit on, the threshold 66 and a verdict text: what a type cannot carry
    // must not be stored.
    QTest::newRow("yes/no ballot") << 0 << true << true << "66"
                                   << "1"
                                   << "1"
                                   << "1"
                                   << "1"
                                   << "Motion "
                                   << "";
    QTest::newRow("one of three") << 1 << false << false << "0"
                                  << "0"
                                  << "0"
                                  << "0"
                                  << "0"
                                  << ""
                                  << "10:8:6:4:2:";
    QTest::newRow("several of three") << 2 << false << false << "0"
                                      << "0"
                                      << "0"
                                      << "0"
                                      << "0"
                                      << ""
                                      << "10:8:6:4:2:";
    QTest::newRow("one of five") << 3 << false << false << "0"
                                 << "0"
                                 << "0"
                                 << "0"
                                 << "0"
                                 << ""
                                 << "10:8:6:4:2:";
    QTest::newRow("several of five") << 4 << false << false << "0"
                                     << "0"
                                     << "0"
                                     << "0"
                                     << "0"
                                     << ""
                                     << "10:8:6:4:2:";
    QTest::newRow("scoring") << 5 << false << false << "0"
                             << "0"
                             << "0"
                             << "0"
                             << "0"
                             << ""
                             << "10:8:6:4:2:";
    QTest::newRow("appraisal") << 6 << true << false << "0"
                               << "2"
                               << "1"
                               << "0"
                               << "1"
                               << ""
                               << "10:8:6:4:2:";
}

void TestMotionsController::everyTypeStoresItsOwnOptions()
{
    QFETCH(int, type);
    QFETCH(bool, hasBase);
    QFETCH(bool, hasRule);
    QFETCH(QString, threshold);
    QFETCH(QString, unit);
    QFETCH(QString, percent);
    QFETCH(QString, verdict);
    QFETCH(QString, live);
    QFETCH(QString, ytText);
    QFETCH(QString, mark);

    c->startNew();
    c->setTitle("Item");
    c->setType(type);
    c->setBase(1);
    c->setRule(1);
    c->setThreshold("66");
    c->setTimeLimit(true);
    c->setSeconds("90");
    c->setAbstain(true);
    c->setPercentages(true);
    c->setVerdict(true);
    c->setLive(true);
    c->setVerdictText("Motion ");
    QVERIFY(c->save());

    const MotionRecord m = stored("Item");
    QCOMPARE(m.OveType, c->typeTexts().at(type));
    QCOMPARE(m.VoteBase, hasBase ? f->english("FrmMeeMat", "cbVBaseTwo") : QString());
    QCOMPARE(m.VoteAbet, hasRule ? f->english("FrmMeeMat", "cbVAberTwo") : QString());
    QCOMPARE(m.VoteAbetValue, threshold);
    QCOMPARE(m.Unit, unit);
    QCOMPARE(m.ViewPer, percent);
    QCOMPARE(m.ViewPass, verdict);
    QCOMPARE(m.VoteDll, live);
    QCOMPARE(m.ytText, ytText);
    QCOMPARE(m.mark, mark);
    QCOMPARE(m.VoteTimelRes, QString("1"));
    QCOMPARE(m.VoteTimelValue, QString("90"));
}

void TestMotionsController::typeRulesEnableTheControls_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<bool>>("enabled"); // base, rule, abstain, percent, verdict, live
    QTest::addColumn<bool>("scores");

    QTest::newRow("yes/no ballot") << 0 << QList<bool>{true, true, true, true, true, true} << false;
    QTest::newRow("appraisal") << 6 << QList<bool>{true, false, false, true, false, true} << false;
    QTest::newRow("several of five") << 4 << QList<bool>{false, false, false, false, false, false} << false;
    QTest::newRow("scoring") << 5 << QList<bool>{false, false, false, false, false, false} << true;
}

void TestMotionsController::typeRulesEnableTheControls()
{
    QFETCH(int, type);
    QFETCH(QList<bool>, enabled);
    QFETCH(bool, scores);

    const QList<MotionOption> options{MotionOption::CountingBase,  MotionOption::PassingRule,
                                      MotionOption::AbstainSwitch, MotionOption::Percentages,
                                      MotionOption::Verdict,       MotionOption::LiveDisplay};
    for (MotionOption option : options)
        QVERIFY(!c->optionEnabled(option));
    c->startNew();
    c->setType(type);
    for (qsizetype i = 0; i < options.size(); ++i)
        QCOMPARE(c->optionEnabled(options[i]), enabled[i]);
    QCOMPARE(c->scoresVisible(), scores);
    if (scores)
        QCOMPARE(c->scores(), QStringList({"10", "8", "6", "4", "2"}));
    QVERIFY(!c->secondsEnabled());
    c->setTimeLimit(true);
    QVERIFY(c->secondsEnabled());
    QCOMPARE(c->fields().seconds, MotionsController::defaultSeconds());
}

void TestMotionsController::titleAndThresholdAreFiltered()
{
    c->startNew();
    QCOMPARE(c->setTitle("Members' \"fees\""), QString("Members fees"));
    QCOMPARE(c->setThreshold("6x6"), QString("66"));
    QCOMPARE(c->setThreshold("-5%"), QString("5"));
    QCOMPARE(c->setThreshold("100"), QString("100"));
    QCOMPARE(c->setThreshold("101"), QString("100"));
    QCOMPARE(c->setThreshold("9x99"), QString("100"));
    c->setThreshold("066");
    QVERIFY(c->save());
    QCOMPARE(stored("Members fees").VoteAbetValue, QString("66"));
}

void TestMotionsController::titleMustBeGivenAndUnique()
{
    c->startNew();
    c->setTitle("  ");
    QVERIFY(!c->save());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeMat", "MsgClewNew2"));
    QCOMPARE(f->notifier.entries().last().caption, OperatorText::catalogue("FrmMeeMat", "MsgClew"));
    QCOMPARE(c->state(), MotionsController::State::EditingNew);
    c->cancel();

    addMotion("Budget", VoteType::YesNo);
    addMotion("Chair", VoteType::ElectOneOfThree);
    c->startNew();
    c->setTitle("Budget");
    QVERIFY(!c->save());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeMat", "MsgClewNew3"));
    c->cancel();

    c->select(1);
    c->startEdit();
    QVERIFY(c->save()); // its own title is no clash
    c->startEdit();
    c->setTitle("Budget");
    QVERIFY(!c->save());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeMat", "MsgClewNew3"));
    c->setTitle("Chair of the board");
    QVERIFY(c->save());
    QCOMPARE(c->list().OveName, QStringList({"Budget", "Chair of the board"}));
    QCOMPARE(c->selectedRow(), 1);
}

void TestMotionsController::storedTypeOfNoTypeIsNeverSavedAsAnother()
{
    addMotion("Chair", VoteType::ElectOneOfFive);
    addMotion("Budget", VoteType::YesNo);
    // Saved under the Portuguese texts, with a threshold the editor never took.
    MotionRecord foreign = stored("Budget");
    foreign.OveType = "Votação (sim/não/abstenção)";
    foreign.VoteAbetValue = "150";
    QVERIFY(MeetingDatabase(f->root, "Plenary", f->notifier).updateMotion(foreign));
    c->refresh();
    c->select(0); // the election: its type is what the box would otherwise keep showing
    c->select(1);
    QCOMPARE(c->fields().type, -1);
    QCOMPARE(c->fields().threshold, QString("100"));
    f->notifier.clear();

    c->startEdit();
    QVERIFY(!c->save());
    QCOMPARE(f->notifier.count(), 1);
    QCOMPARE(f->lastText(),
             OperatorText::plain("The motion's stored vote type “Votação (sim/não/abstenção)” is "
                                 "none of the vote types. Choose its vote type before saving."));
    QCOMPARE(stored("Budget").OveType, foreign.OveType);
    QCOMPARE(stored("Budget").VoteAbetValue, QString("150"));
    QCOMPARE(c->state(), MotionsController::State::EditingExisting);

    // A type the operator chooses is saved, and the threshold as the editor showed it.
    c->setType(int(VoteType::YesNo));
    QVERIFY(c->save());
    QCOMPARE(stored("Budget").OveType, typeText(VoteType::YesNo));
    QCOMPARE(stored("Budget").VoteAbetValue, QString("100"));
}

void TestMotionsController::selectionShowsTheStoredMotion()
{
    c->startNew();
    c->setTitle("Budget");
    c->setBase(1);
    c->setRule(1);
    c->setThreshold("75");
    c->setTimeLimit(true);
    c->setSeconds("120");
    c->setAbstain(true);
    c->setVerdictText("Budget ");
    QVERIFY(c->save());
    addMotion("Chair", VoteType::ElectSeveralOfFive);

    c->select(0);
    MotionsController::Fields shown = c->fields();
    QCOMPARE(shown.type, 0);
    QCOMPARE(shown.base, 1);
    QCOMPARE(shown.rule, 1);
    QCOMPARE(shown.threshold, QString("75"));
    QVERIFY(shown.timeLimit);
    QCOMPARE(shown.seconds, QString("120"));
    QVERIFY(shown.abstain);
    QCOMPARE(shown.verdictText, QString("Budget "));

    // The election stores "0" for the switches it lacks: those boxes keep what they showed.
    c->select(1);
    QCOMPARE(c->fields().type, 4);
    QVERIFY(c->fields().abstain);
    QVERIFY(!c->fields().timeLimit);
}

void TestMotionsController::editedElectionKeepsItsNewTimeLimit()
{
    addMotion("Chair", VoteType::ElectOneOfFive);
    c->startEdit();
    c->setTimeLimit(true);
    c->setSeconds("30");
    QVERIFY(c->save());
    const MotionRecord m = stored("Chair");
    QCOMPARE(m.VoteTimelRes, QString("1"));
    QCOMPARE(m.VoteTimelValue, QString("30"));
}

void TestMotionsController::editingAnAppraisalResetsItsState()
{
    addMotion("Work report", VoteType::Appraisal);
    addMotion("Budget", VoteType::YesNo);
    const QString voted = f->english("FrmMeeMat", "DataYes");
    {
        MeetingDatabase database(f->root, "Plenary", f->notifier);
        QVERIFY(database.storeResult("Work report", "2:60:55:", voted, "2024/05/17/-10:00:00"));
        QVERIFY(database.storeResult("Budget", "1:60:55:", voted, "2024/05/17/-10:05:00"));
    }
    c->select(0);
    QVERIFY(c->voted());
    c->startEdit();
    c->setPercentages(false);
    QVERIFY(c->save());
    QCOMPARE(stored("Work report").VoteState, f->english("FrmMeeMat", "DataNo"));
    QCOMPARE(stored("Work report").ViewPer, QString("2"));
    QCOMPARE(stored("Work report").result, QString("2:60:55:"));
    QVERIFY(!c->voted());

    // A yes/no ballot keeps its state when edited.
    c->select(1);
    c->startEdit();
    QVERIFY(c->save());
    QCOMPARE(stored("Budget").VoteState, voted);
}

void TestMotionsController::motionEditedIntoAScoringGetsTheScores()
{
    addMotion("Speaker", VoteType::YesNo);
    QCOMPARE(stored("Speaker").mark, QString());
    c->startEdit();
    c->setType(int(VoteType::Scoring));
    QVERIFY(c->scoresVisible());
    QVERIFY(c->save());
    const MotionRecord m = stored("Speaker");
    QCOMPARE(m.OveType, typeText(VoteType::Scoring));
    QCOMPARE(m.mark, QString("10:8:6:4:2:"));
    QCOMPARE(m.VoteAbetValue, QString("0"));
    QCOMPARE(m.Unit, QString("0"));
    QCOMPARE(m.VoteBase, QString());
    QVERIFY(c->scoresVisible());
    QCOMPARE(c->scores(), QStringList({"10", "8", "6", "4", "2"}));
}

void TestMotionsController::candidatesOnlyForElections()
{
    addMotion("Budget", VoteType::YesNo);
    QVERIFY(!c->canEditCandidates());
    addMotion("Chair", VoteType::ElectOneOfThree);
    QVERIFY(c->canEditCandidates());
    QCOMPARE(c->selectedType(), std::optional<VoteType>(VoteType::ElectOneOfThree));
    QVERIFY(!c->storeCandidates(QString()));
    QVERIFY(c->storeCandidates("Ana:Bo:Chen:"));
    QCOMPARE(stored("Chair").candidate, QString("Ana:Bo:Chen:"));
    c->startEdit();
    QVERIFY(!c->canEditCandidates());
    c->cancel();
    QCOMPARE(c->record().candidate, QString("Ana:Bo:Chen:"));
}

void TestMotionsController::contentDocumentIsSavedAsRtfAndRecorded()
{
    addMotion("Budget", VoteType::YesNo);
    const DocumentSetup setup = c->contentSetup();
    QCOMPARE(setup.mode, DocumentSetup::Mode::Motion);
    QCOMPARE(setup.folder, QString("20240517090000"));
    QCOMPARE(setup.baseName, QString("20240517093000"));
    QCOMPARE(setup.storedName, QString());

    DocumentEditorController editor(f->root, setup, f->notifier);
    QTextDocument document;
    editor.load(document);
    QTextCursor(&document).insertText("Articles 1 to 4 — 预算 ");
    QVERIFY(editor.save(document));
    c->contentSaved();
    QCOMPARE(stored("Budget").rtf, QString("20240517093000.rtf"));

    const QString path = f->root.filePath("MeeFile/20240517090000/20240517093000.rtf");
    QTextDocument back;
    QVERIFY(RtfReader::readFile(path, back));
    QCOMPARE(back.toPlainText(), document.toPlainText());

    // Deleting the motion takes its document along.
    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QVERIFY(!QFileInfo::exists(path));
}

void TestMotionsController::deletingTheLastRowSelectsThePreviousOne()
{
    addMotion("One", VoteType::YesNo);
    addMotion("Two", VoteType::Scoring);
    addMotion("Three", VoteType::ElectOneOfThree);
    f->notifier.queueAnswer(false);
    QVERIFY(!c->remove());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeMat", "MsgClewDel1"));
    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QCOMPARE(c->list().OveName, QStringList({"One", "Two"}));
    QCOMPARE(c->selectedRow(), 1);
    QCOMPARE(c->record().OveName, QString("Two"));
    c->select(0);
    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QCOMPARE(c->record().OveName, QString("Two"));
    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QCOMPARE(c->state(), MotionsController::State::Browsing);
    QVERIFY(c->canCreate() && !c->canEdit() && !c->canDelete() && !c->canEditCandidates() &&
            !c->canEditContent());
}

QTEST_MAIN(TestMotionsController)
#include "testmotionscontroller.moc"
