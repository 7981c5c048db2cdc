// The system setup's controllers driven directly: every setting's store and refusal, the link and the
// hall screen following at once, the seat plan editor with its questions and room pictures, and the
// frame's pages by installation.

#include "fakelinkport.h"
#include "recordingnotifier.h"

#include "core/link/link.h"
#include "core/output/hallscreen.h"
#include "core/output/screengeometry.h"
#include "core/shell/basicsettingscontroller.h"
#include "core/base/dataroot.h"
#include "core/seating/roompicture.h"
#include "core/shell/screensetupcontroller.h"
#include "core/shell/seatplancontroller.h"
#include "core/seating/seatplanfile.h"
#include "core/shell/systemsetupcontroller.h"
#include "core/store/databaseaccess.h"
#include "core/store/systemdatabase.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {
OperatorText basic(const char *key)
{
    return OperatorText::catalogue("Frmbasicset", key);
}

OperatorText found(const char *key)
{
    return OperatorText::catalogue("Frmfound", key);
}

struct Installation
{
    QTemporaryDir dir;
    DataRoot root{dir.path()};
    RecordingNotifier notifier;
    SystemDatabase database{root, notifier};
    Link link{std::make_unique<FakeLinkPort>(), notifier};
    HallScreen hall;

    Installation()
    {
        database.ensureExists();
        QDir().mkpath(root.filePath("System/photo"));
        link.applySettings(database.linkSettings());
    }
    SettingsRecord settings() { return database.loadSettings(); }
    // Every later store fails as a damaged database would.
    void breakSettingsTable()
    {
        DatabaseAccess access(database.filePath(), notifier);
        access.open();
        access.execute("drop table sysbasicset");
        notifier.clear();
    }
    QList<OperatorText> texts() const
    {
        QList<OperatorText> shown;
        for (const RecordingNotifier::Entry &e : notifier.entries())
            shown << e.text;
        return shown;
    }
    QString writePicture(const QString &name, const char *format, QColor colour = Qt::darkCyan)
    {
        QImage picture(80, 40, QImage::Format_ARGB32);
        picture.fill(colour);
        const QString path = dir.filePath(name);
        picture.save(path, format);
        return path;
    }
};
} // namespace

class TestSystemSetup : public QObject
{
    Q_OBJECT

private slots:
    void keypadCountIsStoredThenTakesEffect_data();
    void keypadCountIsStoredThenTakesEffect();
    void failedStoreIsNeverReportedAsSuccess();
    void sameKeypadCountChangesNothing();
    void reservedCountAgainstTheCountInForce();
    void portRange_data();
    void portRange();
    void hallFollowsSizeAndColoursAtOnce();
    void passwordChange();
    void ballotDefaults();
    void screenSetupKeepsItsOwnTable();

    void seatPlanCreateAndDeleteAskFirst();
    void keypadCountChangeOffersTheRoomPages_data();
    void keypadCountChangeOffersTheRoomPages();
    void leavingTheRoomPagesIsRefusedWhileMoving();
    void fixingSeatsSavesThem();
    void roomPictureImport();
    void removingThePictureDeletesOnlyAnImportedFile_data();
    void removingThePictureDeletesOnlyAnImportedFile();
};

void TestSystemSetup::keypadCountIsStoredThenTakesEffect_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("249") << "249" << true;
    QTest::newRow("leading zero") << "025" << true;
    // 250..255 never name a keypad on the link.
    QTest::newRow("250") << "250" << false;
    QTest::newRow("251") << "251" << false;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("empty") << "" << false;
}

void TestSystemSetup::keypadCountIsStoredThenTakesEffect()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Installation inst;
    BasicSettingsController c(inst.database, inst.link, inst.hall, inst.notifier);
    c.open(1280);
    QList<int> changes;
    connect(&c, &BasicSettingsController::keypadCountChanged, this, [&](int n) { changes << n; });
    QCOMPARE(c.applyKeypadCount(typed), accepted);
    const int expected = accepted ? typed.toInt() : 100;
    QCOMPARE(inst.settings().cellnum, QString::number(expected));
    QCOMPARE(inst.link.settings().keypadCount, expected);
    QCOMPARE(inst.texts(), QList<OperatorText>{basic(accepted ? "Set_OK" : "Setcell_Clew")});
    QCOMPARE(changes, accepted ? QList<int>{expected} : QList<int>{});
}

void TestSystemSetup::failedStoreIsNeverReportedAsSuccess()
{
    Installation inst;
    BasicSettingsController c(inst.database, inst.link, inst.hall, inst.notifier);
    c.open(1280);
    inst.breakSettingsTable();
    QVERIFY(!c.applyKeypadCount("60"));
    QVERIFY(!c.applyPortRange("2", "3"));
    QVERIFY(!c.pickBackground(0x00FF00));
    QCOMPARE(inst.link.settings().keypadCount, 100);
    QCOMPARE(inst.link.settings().highestPort, 8);
    QCOMPARE(inst.hall.background(), QColor(0, 0, 255));
    // Only the database's own errors were shown.
    QVERIFY(inst.notifier.count() >= 3);
    for (const RecordingNotifier::Entry &e : inst.notifier.entries())
        QCOMPARE(e.kind, RecordingNotifier::Kind::Error);
}

void TestSystemSetup::sameKeypadCountChangesNothing()
{
    Installation inst;
    SystemSetupController setup(
        {inst.database, inst.link, inst.hall, inst.notifier, inst.root, SystemType::Discussion});
    setup.open(1280);
    inst.notifier.queueAnswer(true);
    setup.seatPlan()->pressConfiguration();
    inst.notifier.clear();
    QVERIFY(setup.basic().applyKeypadCount("100"));
    // No question, no new plan, the basic page stays.
    QCOMPARE(inst.texts(), QList<OperatorText>{basic("Set_OK")});
    QCOMPARE(setup.currentPage(), SystemSetupController::Page::Basic);
}

void TestSystemSetup::reservedCountAgainstTheCountInForce()
{
    Installation inst;
    BasicSettingsController c(inst.database, inst.link, inst.hall, inst.notifier);
    c.open(1280);
    QVERIFY(c.applyReservedCount("100")); // equal to the keypad count
    QCOMPARE(inst.settings().cinnum, "100");
    QCOMPARE(inst.link.settings().reservedCount, 100);
    QVERIFY(!c.applyReservedCount("0"));
    QVERIFY(!c.applyReservedCount("101"));
    QCOMPARE(inst.texts(), (QList<OperatorText>{basic("SetCin_clew1"), basic("SetCin_clew2")}));
    QCOMPARE(inst.settings().cinnum, "100");
}

void TestSystemSetup::portRange_data()
{
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("message"); // empty: stored
    QTest::addColumn<QString>("fieldsAfter");
    QTest::newRow("3 to 3") << "3"
                            << "3"
                            << ""
                            << "3-3";
    QTest::newRow("2 to 12") << "02"
                             << "12"
                             << ""
                             << "2-12";
    QTest::newRow("5 to 2") << "5"
                            << "2"
                            << "Setcom_clew"
                            << "0-0";
    QTest::newRow("empty low") << ""
                               << "4"
                               << "Setcom_Empty"
                               << "1-8";
    QTest::newRow("empty high") << "1"
                                << ""
                                << "Setcom_Empty"
                                << "1-8";
    QTest::newRow("port 0") << "0"
                            << "4"
                            << "Setcom_Range"
                            << "1-8";
}

void TestSystemSetup::portRange()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(QString, message);
    QFETCH(QString, fieldsAfter);
    Installation inst;
    BasicSettingsController c(inst.database, inst.link, inst.hall, inst.notifier);
    c.open(1280);
    QCOMPARE(c.applyPortRange(low, high), message.isEmpty());
    QCOMPARE(c.fields().lowestPort + "-" + c.fields().highestPort, fieldsAfter);
    const QString stored = message.isEmpty() ? fieldsAfter : QString("1-8");
    QCOMPARE(inst.settings().comlow + "-" + inst.settings().comHigh, stored);
    QCOMPARE(QString("%1-%2").arg(inst.link.settings().lowestPort).arg(inst.link.settings().highestPort),
             stored);
    QCOMPARE(inst.texts(), message.isEmpty() ? QList<OperatorText>{}
                                             : QList<OperatorText>{basic(message.toLatin1().constData())});
}

void TestSystemSetup::hallFollowsSizeAndColoursAtOnce()
{
    Installation inst;
    BasicSettingsController c(inst.database, inst.link, inst.hall, inst.notifier);
    c.open(1366);
    QVERIFY(!inst.hall.isVisible());
    // A hidden hall screen moves too.
    QVERIFY(c.selectScreenSize("1920*1080"));
    QCOMPARE(inst.hall.geometry(), QRect(1366, 0, 1920, 1080));
    QCOMPARE(inst.settings().ScrSize, "1920*1080");
    QVERIFY(c.pickBackground(0x008000)); // green, stored as 0x00BBGGRR
    QCOMPARE(inst.settings().ScrColor, "32768");
    QCOMPARE(inst.hall.background(), QColor(0, 128, 0));
    QCOMPARE(inst.hall.textColour(), QColor(255, 255, 255));
    QVERIFY(c.pickTextColour(0x0000FF)); // red
    QCOMPARE(inst.settings().ScrTextColor, "255");
    QCOMPARE(inst.hall.textColour(), QColor(255, 0, 0));
    QCOMPARE(inst.hall.background(), QColor(0, 128, 0));
    c.toggleHallScreen();
    QVERIFY(inst.hall.isVisible());
    QCOMPARE(inst.hall.pane(), HallScreen::Pane::Text);
    c.toggleHallScreen();
    QVERIFY(!inst.hall.isVisible());
    QCOMPARE(inst.notifier.count(), 0);
}

void TestSystemSetup::passwordChange()
{
    using P = BasicSettingsController::Password;
    Installation inst;
    BasicSettingsController c(inst.database, inst.link, inst.hall, inst.notifier);
    c.open(0);
    QCOMPARE(c.changePassword("", "a", "a"), P::Incomplete);
    QCOMPARE(c.changePassword("123456", "new", "New"), P::Mismatch);
    QCOMPARE(c.changePassword("123456 ", "new", "new"), P::WrongOld);
    QCOMPARE(inst.settings().UserPass, "123456");
    QCOMPARE(c.changePassword("123456", "s3cret", "s3cret"), P::Changed);
    QCOMPARE(inst.settings().UserPass, "s3cret");
    QCOMPARE(inst.texts(), (QList<OperatorText>{basic("SetPass_cell3"), basic("SetPass_clew"),
                                                basic("SetPass_cell1"), basic("SetPass_cell2")}));
    inst.breakSettingsTable();
    QCOMPARE(c.changePassword("s3cret", "x", "x"), P::WrongOld); // the old one can no longer be read
}

void TestSystemSetup::ballotDefaults()
{
    Installation inst;
    inst.database.setBallotDefaults("1", "2", "10:20:30:");
    BasicSettingsController c(inst.database, inst.link, inst.hall, inst.notifier);
    c.open(0);
    // Three scores stored: keys 4 and 5 keep what they held.
    QCOMPARE(c.fields().scores, (QStringList{"10", "20", "30", "75", "100"}));
    QVERIFY(c.fields().percentages);
    QVERIFY(!c.fields().verdict);
    QVERIFY(c.applyBallotDefaults({"0", "1", "2", "3", "100"}, false, true));
    QCOMPARE(inst.settings().per, "2");
    QCOMPARE(inst.settings().Pass, "1");
    QCOMPARE(inst.settings().mark, "0:1:2:3:100:");
    QVERIFY(!c.applyBallotDefaults({"0", "1", "2", "3", "101"}, true, true));
    QVERIFY(!c.applyBallotDefaults({"0", "", "2", "3", "4"}, true, true));
    QCOMPARE(inst.texts(), (QList<OperatorText>{basic("SetMarkErr"), basic("SetMarkErr")}));
    QCOMPARE(inst.settings().mark, "0:1:2:3:100:");
    c.restoreFactoryScores();
    QCOMPARE(c.fields().scores, BasicSettingsController::factoryScores());
    c.cancelBallotDefaults();
    QCOMPARE(c.fields().scores, (QStringList{"0", "1", "2", "3", "100"}));
    QVERIFY(!c.fields().percentages);
}

void TestSystemSetup::screenSetupKeepsItsOwnTable()
{
    Installation inst;
    inst.hall.setGeometry(QRect(1280, 0, 1024, 768), QColor(0, 0, 255), QColor(255, 255, 0));
    ScreenSetupController c(inst.database, inst.hall);
    c.open(1280);
    QCOMPARE(c.size(), "1024*768");
    QVERIFY(c.selectSize("1280*1024"));
    QVERIFY(c.pickColour(0x000080)); // dark red
    QCOMPARE(inst.database.loadScreenSetup().ScrSize, "1280*1024");
    QCOMPARE(inst.database.loadScreenSetup().ScrColor, "128");
    QCOMPARE(inst.settings().ScrSize, "1024*768");
    QCOMPARE(inst.hall.geometry(), QRect(1280, 0, 1280, 1024));
    QCOMPARE(inst.hall.background(), QColor(128, 0, 0));
    QCOMPARE(inst.hall.textColour(), QColor(255, 255, 0));
    QVERIFY(!c.selectSize("wide"));
    QCOMPARE(inst.database.loadScreenSetup().ScrSize, "1280*1024");
}

void TestSystemSetup::seatPlanCreateAndDeleteAskFirst()
{
    Installation inst;
    SeatPlanController c(inst.database, inst.notifier, inst.root);
    c.open();
    QVERIFY(!c.planExists());
    QVERIFY(!c.isEditable());
    c.pressConfiguration(); // answered No
    QVERIFY(!c.planExists());
    QVERIFY(!QFile::exists(inst.root.filePath("System/seat.ini")));

    inst.notifier.queueAnswer(true);
    c.setSeatsPerRow(0); // held to one a row
    QCOMPARE(c.seatsPerRow(), 1);
    c.setSeatsPerRow(10);
    c.pressConfiguration();
    QVERIFY(c.planExists());
    QCOMPARE(inst.settings().SeatYesORNo, "yes");
    const SeatTable saved = SeatPlanFile(inst.root.filePath("System/seat.ini")).load();
    QCOMPARE(saved.count(), 100);
    QCOMPARE(saved.at(10).button.topLeft(), QPoint(0, 72));

    inst.notifier.queueAnswer(true);
    c.pressConfiguration();
    QVERIFY(!c.planExists());
    QCOMPARE(c.model().table().count(), 0);
    QCOMPARE(inst.settings().SeatYesORNo, "No");
    // The file keeps the last plan.
    QCOMPARE(SeatPlanFile(inst.root.filePath("System/seat.ini")).load().count(), 100);
    QCOMPARE(inst.texts(), (QList<OperatorText>{found("MsgNewSeatClew"), found("MsgNewSeatClew"),
                                                found("MsgDelSeatClew")}));
}

void TestSystemSetup::keypadCountChangeOffersTheRoomPages_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<bool>("roomPages");
    QTest::newRow("0") << "0" << true;
    QTest::newRow("2") << "2" << true;
    QTest::newRow("1") << "1" << false;
    QTest::newRow("3") << "3" << false;
}

void TestSystemSetup::keypadCountChangeOffersTheRoomPages()
{
    QFETCH(QString, function);
    QFETCH(bool, roomPages);
    Installation inst;
    SystemSetupController setup(
        {inst.database, inst.link, inst.hall, inst.notifier, inst.root, systemTypeOf(function)});
    setup.open(1280);
    QCOMPARE(setup.hasPage(SystemSetupController::Page::Room), roomPages);
    QCOMPARE(setup.seatPlan() != nullptr, roomPages);
    if (roomPages) {
        inst.notifier.queueAnswer(true);
        setup.seatPlan()->pressConfiguration();
        // Seats arranged by hand...
        SeatPlanModel &model = setup.seatPlan()->model();
        setup.seatPlan()->pressMove();
        model.click(0);
        model.carryTo(QPoint(700, 400));
        setup.seatPlan()->pressMove();
        inst.notifier.clear();
    }
    const QString plan = inst.root.filePath("System/seat.ini");
    const SeatTable before = SeatPlanFile(plan).load();

    // ...are not given up when the operator says No to the rebuild.
    QVERIFY(setup.basic().applyKeypadCount("30"));
    if (!roomPages) {
        QCOMPARE(setup.currentPage(), SystemSetupController::Page::Basic);
        QCOMPARE(inst.texts(), QList<OperatorText>{basic("Set_OK")});
        return;
    }
    QCOMPARE(setup.currentPage(), SystemSetupController::Page::Room);
    QCOMPARE(inst.texts(), (QList<OperatorText>{basic("Set_OK"), found("MsgUpdateSeatClew")}));
    QCOMPARE(SeatPlanFile(plan).load(), before);
    QCOMPARE(before.at(0).button.topLeft(), QPoint(700, 400));

    // Yes rebuilds the grid for the new count and saves it.
    setup.show(SystemSetupController::Page::Basic);
    inst.notifier.queueAnswer(true);
    QVERIFY(setup.basic().applyKeypadCount("31"));
    QCOMPARE(SeatPlanFile(plan).load().count(), 31);
    QCOMPARE(SeatPlanFile(plan).load().at(0).button.topLeft(), QPoint(0, 0));
}

void TestSystemSetup::leavingTheRoomPagesIsRefusedWhileMoving()
{
    using Page = SystemSetupController::Page;
    Installation inst;
    SystemSetupController setup(
        {inst.database, inst.link, inst.hall, inst.notifier, inst.root, SystemType::Discussion});
    setup.open(0);
    inst.notifier.queueAnswer(true);
    setup.seatPlan()->pressConfiguration();
    QVERIFY(setup.show(Page::Room));
    setup.seatPlan()->pressMove();
    inst.notifier.clear();
    QVERIFY(!setup.show(Page::Basic));
    QVERIFY(!setup.show(Page::Video));
    QVERIFY(!setup.mayClose());
    QVERIFY(setup.show(Page::Room));
    QCOMPARE(setup.currentPage(), Page::Room);
    QCOMPARE(inst.notifier.count(), 3);
    QCOMPARE(inst.notifier.entries().at(0).caption, OperatorText::catalogue("FrmSysset", "MsgClew "));
    QCOMPARE(inst.notifier.entries().at(0).text, OperatorText::catalogue("FrmSysset", "MsgErrClew"));
    setup.seatPlan()->pressMove();
    QVERIFY(setup.mayClose());
    QVERIFY(setup.show(Page::Basic));
}

void TestSystemSetup::fixingSeatsSavesThem()
{
    Installation inst;
    SeatPlanController c(inst.database, inst.notifier, inst.root);
    c.open();
    inst.notifier.queueAnswer(true);
    c.pressConfiguration();
    c.pressMove();
    QVERIFY(c.isMoving());
    c.model().click(5);
    c.model().carryTo(QPoint(10, 1450));
    c.pressMove();
    QVERIFY(!c.isMoving());
    SeatPlanController reopened(inst.database, inst.notifier, inst.root);
    reopened.open();
    QVERIFY(reopened.planExists());
    QCOMPARE(reopened.model().table().at(5).button.topLeft(), QPoint(10, 1450));
}

void TestSystemSetup::roomPictureImport()
{
    Installation inst;
    SeatPlanController c(inst.database, inst.notifier, inst.root);
    c.open();
    // PNG and JPEG come in as BMP files of the room folder; a shipped picture of the same name is safe.
    QFile shipped(inst.root.filePath("System/photo/MainBmp.bmp"));
    QVERIFY(shipped.open(QIODevice::WriteOnly));
    shipped.write("BM shipped");
    shipped.close();
    c.pictureChosen(inst.writePicture("MainBmp.png", "PNG"));
    QVERIFY(c.hasPicture());
    QCOMPARE(inst.settings().ico, "MainBmp.bmp");
    QFile imported(inst.root.filePath("System/photo/room/MainBmp.bmp"));
    QVERIFY(imported.open(QIODevice::ReadOnly));
    QVERIFY(imported.read(2) == "BM");
    QCOMPARE(QImage(imported.fileName()).pixelColor(5, 5), QColor(Qt::darkCyan));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(shipped.readAll(), QByteArray("BM shipped"));
    c.pictureChosen(inst.writePicture("hall.jpg", "JPEG"));
    QCOMPARE(inst.settings().ico, "hall.bmp");
    QVERIFY(!c.model().picture().isNull());

    // Refused, with nothing changed: the imported copy itself, a file that is no picture, a missing file.
    const qint64 size = QFileInfo(inst.root.filePath("System/photo/room/hall.bmp")).size();
    c.pictureChosen(inst.root.filePath("System/photo/room/hall.bmp"));
    QCOMPARE(QFileInfo(inst.root.filePath("System/photo/room/hall.bmp")).size(), size);
    QFile text(inst.dir.filePath("notes.bmp"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    c.pictureChosen(text.fileName());
    c.pictureChosen(inst.dir.filePath("missing.png"));
    QCOMPARE(inst.texts(), (QList<OperatorText>{found("MsgBmpSameFile"), found("MsgBmpNotPicture"),
                                                found("MsgBmpUnreadable")}));
    QCOMPARE(inst.settings().ico, "hall.bmp");
    QVERIFY(c.hasPicture());

    // A cancelled dialog leaves the plan without a picture.
    c.pictureChosen(QString());
    QCOMPARE(inst.settings().ico, "");
    QVERIFY(!c.hasPicture());
}

void TestSystemSetup::removingThePictureDeletesOnlyAnImportedFile_data()
{
    QTest::addColumn<QString>("ico");
    QTest::addColumn<QString>("file"); // below the data root
    QTest::addColumn<bool>("deleted");
    QTest::newRow("imported") << "hall.bmp"
                              << "System/photo/room/hall.bmp" << true;
    // A picture of an older installation is shown, but it is one of the installation's own.
    QTest::newRow("in the photo folder") << "old.bmp"
                                         << "System/photo/old.bmp" << false;
}

void TestSystemSetup::removingThePictureDeletesOnlyAnImportedFile()
{
    QFETCH(QString, ico);
    QFETCH(QString, file);
    QFETCH(bool, deleted);
    Installation inst;
    QDir().mkpath(inst.root.filePath("System/photo/room"));
    QVERIFY(QImage(inst.writePicture("p.png", "PNG")).save(inst.root.filePath(file), "BMP"));
    inst.database.setSeatPlanPicture(ico);
    SeatPlanController c(inst.database, inst.notifier, inst.root);
    c.open();
    QVERIFY(c.hasPicture());
    c.pressRemovePicture(); // No: nothing at all
    QVERIFY(QFile::exists(inst.root.filePath(file)));
    QCOMPARE(inst.settings().ico, ico);
    inst.notifier.queueAnswer(true);
    c.pressRemovePicture();
    QCOMPARE(QFile::exists(inst.root.filePath(file)), !deleted);
    QCOMPARE(inst.settings().ico, "");
    QVERIFY(!c.hasPicture());

    // Names that leave the room folder are never followed.
    const RoomPicture pictures(inst.root);
    for (const char *name : {"../SystemData.db", "..", "/etc/passwd", "..\\SystemData.db"})
        QVERIFY(!pictures.remove(name));
    QVERIFY(QFile::exists(inst.database.filePath()));
    QVERIFY(pictures.load("../../System/photo/old.bmp").isNull());
}

QTEST_GUILESS_MAIN(TestSystemSetup)
#include "testsystemsetup.moc"
