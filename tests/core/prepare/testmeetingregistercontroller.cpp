#include "core/prepare/meetingregistercontroller.h"

#include "preparefixture.h"

#include "core/conduct/journalaudit.h"
#include "core/conduct/journalrecovery.h"
#include "core/output/rtfreader.h"
#include "core/prepare/documenteditorcontroller.h"
#include "core/store/meetingdatabase.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingfiles.h"
#include "core/store/meetingjournal.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTextDocument>

class TestMeetingRegisterController : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void filtersApplyOnEveryChange_data();
    void filtersApplyOnEveryChange();
    void quorumBoxProposesFiftyAndClearsToZero();
    void missingNameOrDueNumberIsRefused_data();
    void missingNameOrDueNumberIsRefused();
    void newMeetingCreatesRowFolderAndDatabaseAndIsSelected();
    void meetingsMadeInTheSameSecondGetTheirOwnStamps();
    void statesEnableTheButtons();
    void duplicateNameIsRefused();
    void renameToAUsedNameIsRefusedAndMovesNothing();
    void renameMovesTheDatabaseWithItsData();
    void renameWhoseMoveFailsKeepsTheOldName();
    void cancellingAnEditShowsTheStoredMeeting();
    void deleteRemovesDatabaseFolderAndBanner();
    void deleteWithoutBannerTouchesNoBanner();
    void deleteAnsweredNoKeepsEverything();
    void meetingWithoutStampNeverDeletesOtherMaterial();
    void meetingOpenInTheConferenceIsNeitherRenamedNorDeleted();
    void bannerIsSavedAsRtfAndRecorded();
    void registerChangesGoIntoTheMeetingsOwnJournal();
    void changeTheJournalCannotTakeStaysAndIsReported();

private:
    QList<QJsonObject> journalled(const QString &meeting);
    MeetingRegisterController &makeController();
    bool create(const QString &name, const QString &due = QStringLiteral("60"));

    std::unique_ptr<PrepareFixture> f;
    std::unique_ptr<MeetingRegisterController> c;
};

void TestMeetingRegisterController::init()
{
    c.reset();
    f = std::make_unique<PrepareFixture>();
    QVERIFY(f->dir.isValid());
    makeController();
}

MeetingRegisterController &TestMeetingRegisterController::makeController()
{
    c = std::make_unique<MeetingRegisterController>(f->root, f->system, f->notifier, f->catalogue,
                                                    f->clock());
    c->open();
    return *c;
}

bool TestMeetingRegisterController::create(const QString &name, const QString &due)
{
    c->startNew();
    c->setName(name);
    c->setDue(due);
    return c->save();
}

void TestMeetingRegisterController::filtersApplyOnEveryChange_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("single quote in the name") << "name"
                                              << "Board's meeting"
                                              << "Boards meeting";
    QTest::newRow("double quotes in the name") << "name"
                                               << "\"Annual\" assembly"
                                               << "Annual assembly";
    QTest::newRow("path separators in the name") << "name"
                                                 << "2024/05 a\\b"
                                                 << "202405 ab";
    QTest::newRow("quotes in the place") << "place"
                                         << "O'Neill \"Hall\""
                                         << "ONeill Hall";
    QTest::newRow("slash stays in the place") << "place"
                                              << "Room 3/B"
                                              << "Room 3/B";
    QTest::newRow("letters in the due number") << "due"
                                               << "6x0"
                                               << "60";
    QTest::newRow("sign and blanks in the due number") << "due"
                                                       << " -12 "
                                                       << "12";
    QTest::newRow("percent in the ratio") << "ratio"
                                          << "66%"
                                          << "66";
}

void TestMeetingRegisterController::filtersApplyOnEveryChange()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    c->startNew();
    QString result;
    if (field == "name")
        result = c->setName(typed);
    else if (field == "place")
        result = c->setPlace(typed);
    else if (field == "due")
        result = c->setDue(typed);
    else
        result = c->setRatio(typed);
    QCOMPARE(result, shown);
}

void TestMeetingRegisterController::quorumBoxProposesFiftyAndClearsToZero()
{
    c->startNew();
    QVERIFY(!c->ratioEnabled());
    c->setQuorum(true);
    QCOMPARE(c->fields().ratio, QString("50"));
    QVERIFY(c->ratioEnabled());
    c->setQuorum(false);
    QCOMPARE(c->fields().ratio, QString("0"));
    QVERIFY(!c->ratioEnabled());

    c->setName("Plenary");
    c->setDue("40");
    QVERIFY(c->save());
    MeetingRecord stored;
    QVERIFY(f->system.readMeeting("Plenary", stored));
    QCOMPARE(stored.bSetLimit, QString("2"));
    QCOMPARE(stored.limit, QString("0"));

    c->startEdit();
    c->setQuorum(true);
    c->setRatio("67");
    QVERIFY(c->save());
    QVERIFY(f->system.readMeeting("Plenary", stored));
    QCOMPARE(stored.bSetLimit, QString("1"));
    QCOMPARE(stored.limit, QString("67"));
}

void TestMeetingRegisterController::missingNameOrDueNumberIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("due");
    QTest::addColumn<OperatorText>("message");

    const OperatorText dueText = OperatorText::catalogue("FrmMeeset", "MsgDueNum");
    QTest::newRow("no name") << ""
                             << "60" << OperatorText::catalogue("FrmMeeset", "MsgClew1");
    QTest::newRow("blank name") << "   "
                                << "60" << OperatorText::catalogue("FrmMeeset", "MsgClew1");
    QTest::newRow("name that names no file") << ".."
                                             << "60" << OperatorText::catalogue("FrmMeeset", "MsgClew5");
    QTest::newRow("no due number") << "Plenary"
                                   << "" << dueText;
    QTest::newRow("due number 0") << "Plenary"
                                  << "0" << dueText;
    QTest::newRow("due number 000") << "Plenary"
                                    << "000" << dueText;
}

void TestMeetingRegisterController::missingNameOrDueNumberIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, due);
    QFETCH(OperatorText, message);

    QVERIFY(!create(name, due));
    QCOMPARE(f->notifier.count(), 1);
    QCOMPARE(f->lastText(), message);
    QCOMPARE(f->notifier.entries().last().caption, OperatorText::catalogue("FrmMeeset", "MsgClew"));
    QCOMPARE(c->state(), MeetingRegisterController::State::EditingNew);
    QCOMPARE(f->system.listMeetings().size(), 0);
    QVERIFY(!f->exists("Data"));
}

void TestMeetingRegisterController::newMeetingCreatesRowFolderAndDatabaseAndIsSelected()
{
    QVERIFY(create("Spring session"));
    c->startNew();
    c->setName("Autumn session");
    c->setPlace("Hall A");
    c->setStart("2024-09-02");
    c->setEnd("2024-09-04");
    c->setDue("075");
    QVERIFY(c->save());
    QCOMPARE(f->notifier.count(), 0);

    QCOMPARE(c->meetings().MeeName, QStringList({"Spring session", "Autumn session"}));
    QCOMPARE(c->selectedRow(), 1);
    QCOMPARE(c->state(), MeetingRegisterController::State::Selected);
    QVERIFY(c->hasMeeting());

    MeetingRecord stored;
    QVERIFY(f->system.readMeeting("Autumn session", stored));
    QCOMPARE(stored.MeeAddr, QString("Hall A"));
    QCOMPARE(stored.DateStart, QString("2024-09-02"));
    QCOMPARE(stored.DateEnd, QString("2024-09-04"));
    QCOMPARE(stored.DueNum, QString("75"));
    QCOMPARE(c->record(), stored);
    QVERIFY(f->exists("MeeFile/" + stored.insertdate));
    QVERIFY(f->exists("Data/Autumn session.db"));
    MeetingDatabase database(f->root, "Autumn session", f->notifier);
    QCOMPARE(database.listDelegates().size(), 0);
    QCOMPARE(f->notifier.count(), 0);
}

void TestMeetingRegisterController::meetingsMadeInTheSameSecondGetTheirOwnStamps()
{
    QVERIFY(create("One"));
    QVERIFY(create("Two"));
    // A second controller (the window opened again) with the clock still in the same second.
    makeController();
    QVERIFY(create("Three"));
    QStringList stamps;
    for (const char *name : {"One", "Two", "Three"}) {
        MeetingRecord r;
        QVERIFY(f->system.readMeeting(name, r));
        stamps.append(r.insertdate);
    }
    QCOMPARE(stamps.first(), QString("20240517093000"));
    stamps.removeDuplicates();
    QCOMPARE(stamps.size(), 3);
}

void TestMeetingRegisterController::statesEnableTheButtons()
{
    using State = MeetingRegisterController::State;
    QCOMPARE(c->state(), State::Browsing);
    QVERIFY(c->canCreate() && !c->canEdit() && !c->canDelete() && !c->canEditBanner());
    QVERIFY(!c->canSave() && !c->canCancel() && c->listEnabled());

    c->startNew();
    QVERIFY(!c->canCreate() && !c->canEdit() && !c->canDelete() && !c->canEditBanner());
    QVERIFY(c->canSave() && c->canCancel() && !c->listEnabled() && !c->hasMeeting());
    QCOMPARE(c->fields().start, MeetingRegisterController::dateText(QDate::currentDate()));

    c->cancel();
    QCOMPARE(c->state(), State::Browsing);
    QVERIFY(!c->canEdit());

    QVERIFY(create("Plenary"));
    QVERIFY(c->canCreate() && c->canEdit() && c->canDelete() && c->canEditBanner() && c->hasMeeting());
    c->startEdit();
    QCOMPARE(c->state(), State::EditingExisting);
    QVERIFY(!c->hasMeeting() && !c->listEnabled());
    c->cancel();
    QCOMPARE(c->state(), State::Selected);
    QVERIFY(c->canEditBanner());

    c->select(-1);
    QCOMPARE(c->state(), State::Browsing);
    c->select(0);
    QCOMPARE(c->fields().name, QString("Plenary"));
}

void TestMeetingRegisterController::duplicateNameIsRefused()
{
    QVERIFY(create("Plenary"));
    QVERIFY(!create("Plenary"));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeset", "MsgClew2"));
    QCOMPARE(f->system.listMeetings().size(), 1);
}

void TestMeetingRegisterController::renameToAUsedNameIsRefusedAndMovesNothing()
{
    QVERIFY(create("First"));
    QVERIFY(create("Second"));
    c->select(0);
    c->startEdit();
    c->setName("Second");
    QVERIFY(!c->save());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeset", "MsgClew2"));
    QVERIFY(f->exists("Data/First.db"));
    QVERIFY(f->exists("Data/Second.db"));
    QCOMPARE(f->system.listMeetings().MeeName, QStringList({"First", "Second"}));
}

void TestMeetingRegisterController::renameMovesTheDatabaseWithItsData()
{
    QVERIFY(create("Draft"));
    {
        MeetingDatabase database(f->root, "Draft", f->notifier);
        QVERIFY(database.insertDelegate({"7", "Ana", {}, {}, {}, {}, {}, {}, {}, {}, {}}));
    }
    const QString stamp = c->record().insertdate;
    c->startEdit();
    c->setName("Final");
    QVERIFY(c->save());
    QVERIFY(!f->exists("Data/Draft.db"));
    QVERIFY(f->exists("Data/Final.db"));
    MeetingDatabase database(f->root, "Final", f->notifier);
    QCOMPARE(database.delegateName("7"), QString("Ana"));
    MeetingRecord stored;
    QVERIFY(f->system.readMeeting("Final", stored));
    QCOMPARE(stored.insertdate, stamp);
    QCOMPARE(c->meetings().MeeName, QStringList({"Final"}));
    QCOMPARE(f->notifier.count(), 0);
}

void TestMeetingRegisterController::renameWhoseMoveFailsKeepsTheOldName()
{
    QVERIFY(create("Draft"));
    // A file left under the new name from elsewhere: the move must not put the meeting onto it.
    f->write("Data/Final.db", "not a meeting");
    c->startEdit();
    c->setName("Final");
    QVERIFY(!c->save());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeset", "MsgClew6"));
    QCOMPARE(f->system.listMeetings().MeeName, QStringList({"Draft"}));
    QVERIFY(f->exists("Data/Draft.db"));
    QCOMPARE(c->state(), MeetingRegisterController::State::EditingExisting);
}

void TestMeetingRegisterController::cancellingAnEditShowsTheStoredMeeting()
{
    QVERIFY(create("Plenary", "60"));
    c->startEdit();
    c->setName("Changed");
    c->setDue("9");
    c->cancel();
    QCOMPARE(c->fields().name, QString("Plenary"));
    QCOMPARE(c->fields().due, QString("60"));
}

void TestMeetingRegisterController::deleteRemovesDatabaseFolderAndBanner()
{
    QVERIFY(create("Plenary"));
    const QString stamp = c->record().insertdate;
    f->write("MeeFile/" + stamp + "/20240517093500.rtf", "{\\rtf1 motion}");
    f->write("MeeFile/Meebanner/" + stamp + ".rtf", "{\\rtf1 banner}");
    QVERIFY(f->system.recordBanner(stamp, stamp + ".rtf"));
    c->select(0);

    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QCOMPARE(f->notifier.entries().last().kind, RecordingNotifier::Kind::Question);
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmMeeset", "MsgDelinfo"));
    QCOMPARE(f->system.listMeetings().size(), 0);
    QVERIFY(!f->exists("Data/Plenary.db"));
    QVERIFY(!f->exists("MeeFile/" + stamp));
    QVERIFY(!f->exists("MeeFile/Meebanner/" + stamp + ".rtf"));
    QVERIFY(f->exists("MeeFile/Meebanner"));
    QCOMPARE(c->state(), MeetingRegisterController::State::Browsing);
    QCOMPARE(c->fields(), MeetingRegisterController::Fields());
}

void TestMeetingRegisterController::deleteWithoutBannerTouchesNoBanner()
{
    QVERIFY(create("Other"));
    const QString otherStamp = c->record().insertdate;
    f->write("MeeFile/Meebanner/" + otherStamp + ".rtf", "{\\rtf1 other}");
    QVERIFY(create("Plenary"));
    const QString stamp = c->record().insertdate;
    // Even a file that looks like its banner stays while the row names none.
    f->write("MeeFile/Meebanner/" + stamp + ".rtf", "{\\rtf1 stray}");
    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QVERIFY(!f->exists("Data/Plenary.db"));
    QVERIFY(!f->exists("MeeFile/" + stamp));
    QVERIFY(f->exists("MeeFile/Meebanner/" + stamp + ".rtf"));
    QVERIFY(f->exists("MeeFile/Meebanner/" + otherStamp + ".rtf"));
    QVERIFY(f->exists("MeeFile/" + otherStamp));
    QVERIFY(f->exists("Data/Other.db"));
}

void TestMeetingRegisterController::deleteAnsweredNoKeepsEverything()
{
    QVERIFY(create("Plenary"));
    f->notifier.queueAnswer(false);
    QVERIFY(!c->remove());
    QCOMPARE(f->system.listMeetings().size(), 1);
    QVERIFY(f->exists("Data/Plenary.db"));
    QVERIFY(f->exists("MeeFile/" + c->record().insertdate));
    QCOMPARE(c->state(), MeetingRegisterController::State::Selected);
}

void TestMeetingRegisterController::meetingWithoutStampNeverDeletesOtherMaterial()
{
    QVERIFY(create("Kept"));
    const QString keptStamp = c->record().insertdate;
    MeetingRecord legacy;
    legacy.MeeName = "Legacy";
    legacy.DueNum = "10";
    legacy.bannerPath = "../SystemData.db";
    QVERIFY(f->system.insertMeeting(legacy));
    makeController();
    c->select(1);
    QCOMPARE(c->record().MeeName, QString("Legacy"));
    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QVERIFY(f->exists("MeeFile/" + keptStamp));
    QVERIFY(f->exists("System/SystemData.db"));
    QCOMPARE(f->system.listMeetings().MeeName, QStringList({"Kept"}));
}

void TestMeetingRegisterController::meetingOpenInTheConferenceIsNeitherRenamedNorDeleted()
{
    QVERIFY(create("Plenary", "60"));
    QVERIFY(create("Board"));
    makeController();
    c->setOpenMeeting("Plenary");
    c->select(0);
    const OperatorText refused = OperatorText::catalogue("FrmMeeset", "MsgClewOpen");
    f->notifier.clear();

    QVERIFY(!c->remove());
    QCOMPARE(f->notifier.count(), 1); // refused before the question
    QCOMPARE(f->lastText(), refused);
    c->startEdit();
    c->setName("Plenary 2");
    QVERIFY(!c->save());
    QCOMPARE(f->lastText(), refused);
    QCOMPARE(c->state(), MeetingRegisterController::State::EditingExisting);
    QCOMPARE(f->system.listMeetings().MeeName, QStringList({"Plenary", "Board"}));
    QVERIFY(f->exists("Data/Plenary.db"));
    QVERIFY(!f->exists("Data/Plenary 2.db"));

    // Its other details may change; the conference reads them again when the preparation closes.
    c->setName("Plenary");
    c->setDue("80");
    QVERIFY(c->save());
    MeetingRecord stored;
    QVERIFY(f->system.readMeeting("Plenary", stored));
    QCOMPARE(stored.DueNum, QString("80"));

    // Every other meeting is the register's as ever.
    c->select(1);
    f->notifier.queueAnswer(true);
    QVERIFY(c->remove());
    QCOMPARE(f->system.listMeetings().MeeName, QStringList({"Plenary"}));
    QVERIFY(f->exists("Data/Plenary.db"));
}

void TestMeetingRegisterController::bannerIsSavedAsRtfAndRecorded()
{
    QVERIFY(f->system.setScreenSize("1280*720"));
    makeController();
    QVERIFY(create("Plenary"));
    const QString stamp = c->record().insertdate;
    const DocumentSetup setup = c->bannerSetup();
    QCOMPARE(setup.mode, DocumentSetup::Mode::Banner);
    QCOMPARE(setup.title, QString("Plenary"));
    QCOMPARE(setup.baseName, stamp);
    QCOMPARE(setup.storedName, QString());
    QCOMPARE(setup.width, 1280);

    DocumentEditorController editor(f->root, setup, f->notifier);
    QTextDocument document;
    editor.load(document);
    QVERIFY(editor.save(document));
    c->bannerSaved();

    MeetingRecord stored;
    QVERIFY(f->system.readMeeting("Plenary", stored));
    QCOMPARE(stored.bannerPath, stamp + ".rtf");
    QCOMPARE(c->bannerSetup().storedName, stamp + ".rtf");
    QTextDocument back;
    QVERIFY(RtfReader::readFile(f->root.filePath("MeeFile/Meebanner/" + stamp + ".rtf"), back));
    QCOMPARE(back.toPlainText(), QString("\n\n\nPlenary"));
}

QList<QJsonObject> TestMeetingRegisterController::journalled(const QString &meeting)
{
    QList<QJsonObject> contents;
    for (const JournalEntry &e : MeetingJournal(f->root, meeting, f->notifier).entries()) {
        if (e.kind != "MeetingChanged" || !e.motion.isEmpty())
            return {}; // the register writes nothing else, and nothing of a motion
        contents.append(QJsonDocument::fromJson(e.content.toUtf8()).object());
    }
    return contents;
}

void TestMeetingRegisterController::registerChangesGoIntoTheMeetingsOwnJournal()
{
    QVERIFY(create("Draft", "60"));
    c->startEdit();
    c->setPlace("Hall B");
    c->setDue("075");
    QVERIFY(c->save());
    c->startEdit();
    c->setName("Final");
    QVERIFY(c->save());
    c->bannerSaved();
    QCOMPARE(f->notifier.count(), 0);

    // The journal moved with the database: the whole history is under the new name.
    const QList<QJsonObject> entries = journalled("Final");
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[0]["op"].toString(), "create");
    QCOMPARE(entries[0]["MeeName"].toString(), "Draft");
    QCOMPARE(entries[0]["DueNum"].toString(), "60");
    QCOMPARE(entries[0]["insertdate"].toString(), "20240517093000");
    QCOMPARE(entries[0]["bSetLimit"].toString(), "2");
    QCOMPARE(entries[1]["op"].toString(), "update");
    QCOMPARE(entries[1]["MeeAddr"].toString(), "Hall B");
    QCOMPARE(entries[1]["DueNum"].toString(), "75");
    QVERIFY(!entries[1].contains("previousName"));
    QCOMPARE(entries[2]["op"].toString(), "rename");
    QCOMPARE(entries[2]["MeeName"].toString(), "Final");
    QCOMPARE(entries[2]["previousName"].toString(), "Draft");
    QCOMPARE(entries[2]["MeeAddr"].toString(), "Hall B");
    QCOMPARE(entries[3]["op"].toString(), "banner");
    QCOMPARE(entries[3]["bannerPath"].toString(), "20240517093000.rtf");

    // The verifier and the recovery read past them.
    const QList<JournalEntry> all = MeetingJournal(f->root, "Final", f->notifier).entries();
    const JournalAudit::Report report = JournalAudit::run(all, {});
    QVERIFY(report.chain.intact());
    QCOMPARE(report.chain.entries, 4);
    QVERIFY(report.ballots.isEmpty());
    QVERIFY(JournalRecovery::unfinished(all).isEmpty());
}

void TestMeetingRegisterController::changeTheJournalCannotTakeStaysAndIsReported()
{
    QVERIFY(create("Plenary", "60"));
    {
        // Holding the meeting database open makes it refuse the entry.
        DatabaseAccess holder(f->root.filePath("Data/Plenary.db"), f->notifier);
        QVERIFY(holder.open());
        c->startEdit();
        c->setDue("80");
        QVERIFY(c->save());
    }
    QCOMPARE(f->notifier.entries().last().kind, RecordingNotifier::Kind::Error);
    QCOMPARE(f->lastText(), OperatorText::catalogue("Public", "MsgMeetingNotJournalled", {"Plenary"}));
    QCOMPARE(c->state(), MeetingRegisterController::State::Selected);
    MeetingRecord stored;
    QVERIFY(f->system.readMeeting("Plenary", stored));
    QCOMPARE(stored.DueNum, QString("80"));
    QCOMPARE(journalled("Plenary").size(), 1); // the creation only

    // A meeting whose database is gone has no journal to write to: its row still changes, silently.
    QVERIFY(QFile::remove(f->root.filePath("Data/Plenary.db")));
    f->notifier.clear();
    c->startEdit();
    c->setDue("90");
    QVERIFY(c->save());
    QCOMPARE(f->notifier.count(), 0);
    QVERIFY(!f->exists("Data/Plenary.db"));
}

QTEST_MAIN(TestMeetingRegisterController)
#include "testmeetingregistercontroller.moc"
