#include "core/prepare/delegaterostercontroller.h"

#include "preparefixture.h"

#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTest>

#include <zlib.h>

namespace {

DelegateRecord person(const QString &keypad, const QString &name)
{
    DelegateRecord r;
    r.CellNo = keypad;
    r.EmpName = name;
    r.EmpSex = "Male";
    r.Unit = "Works council";
    return r;
}

// A real bitmap file of exactly `size` bytes: a small picture with padding after its pixels, which
// every bitmap reader ignores.
QByteArray bitmapOfSize(int size)
{
    QImage picture(8, 8, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    bytes.append(QByteArray(size - bytes.size(), '\x5a'));
    return bytes;
}

} // namespace

class TestDelegateRosterController : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void keypadFieldKeepsDigitsOnly_data();
    void keypadFieldKeepsDigitsOnly();
    void newDelegateIsChecked_data();
    void newDelegateIsChecked();
    void newDelegateIsStoredAndTheFieldsStartAfresh();
    void nameWithAQuoteIsStoredAndFound();
    void searchNeedsTextAndSaysWhenNothingIsFound();
    void keypadChangeToAUsedNumberIsRefused();
    void changeFindsTheRowByOldKeypadAndGroup();
    void delegateOfAnotherChannelCanBeChanged();
    void photoOfAThousandBytesRoundTrips();
    void otherPicturesAreStoredAsBitmaps();
    void fileThatIsNoPictureIsRefused();
    void damagedAndHugePicturesAreRefusedAsSuch();
    void removedPhotoIsGoneAfterTheChange();
    void deletingTheLastRowSelectsThePreviousOne();
    void deleteAndClearAsk();
    void navigationStopsAtTheEnds();
    void newRowsJoinTheChosenChannel();

private:
    void add(const QString &keypad, const QString &name);

    std::unique_ptr<PrepareFixture> f;
    std::unique_ptr<DelegateRosterController> c;
};

void TestDelegateRosterController::init()
{
    c.reset();
    f = std::make_unique<PrepareFixture>();
    QVERIFY(MeetingFiles::create(f->root, "Plenary", f->notifier));
    c = std::make_unique<DelegateRosterController>(f->root, f->notifier, f->catalogue);
    c->setMeeting("Plenary");
    QCOMPARE(f->notifier.count(), 0);
}

void TestDelegateRosterController::add(const QString &keypad, const QString &name)
{
    c->setFields(person(keypad, name));
    QVERIFY(c->addDelegate());
}

void TestDelegateRosterController::keypadFieldKeepsDigitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters") << "1a2b"
                             << "12";
    QTest::newRow("sign and blanks") << " -7 "
                                     << "7";
    QTest::newRow("full-width digits") << "１２"
                                       << "";
}

void TestDelegateRosterController::keypadFieldKeepsDigitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(c->setKeypad(typed), shown);
    QCOMPARE(c->fields().CellNo, shown);
}

void TestDelegateRosterController::newDelegateIsChecked_data()
{
    QTest::addColumn<QString>("keypad");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    QTest::newRow("249 is the highest") << "249"
                                        << "Ana"
                                        << "MsgClewNew4";
    QTest::newRow("1 is the lowest") << "1"
                                     << "Ana"
                                     << "MsgClewNew4";
    // Keypad 250 and above, or 0, can never answer on the link.
    QTest::newRow("250 is too high") << "250"
                                     << "Ana"
                                     << "range";
    QTest::newRow("far too high") << "99999999999"
                                  << "Ana"
                                  << "range";
    QTest::newRow("keypad 0") << "0"
                              << "Ana"
                              << "range";
    QTest::newRow("keypad 000") << "000"
                                << "Ana"
                                << "range";
    QTest::newRow("no keypad") << ""
                               << "Ana"
                               << "MsgClewNew1";
    QTest::newRow("no name") << "12"
                             << ""
                             << "MsgClewNew1";
    QTest::newRow("keypad in use") << "7"
                                   << "Bo"
                                   << "MsgClewNew3";
    QTest::newRow("keypad in use with a leading zero") << "007"
                                                       << "Bo"
                                                       << "MsgClewNew3";
}

void TestDelegateRosterController::newDelegateIsChecked()
{
    QFETCH(QString, keypad);
    QFETCH(QString, name);
    QFETCH(QString, message);
    add("7", "Chen");
    f->notifier.clear();

    c->setFields(person(keypad, name));
    QCOMPARE(c->addDelegate(), message == "MsgClewNew4");
    QCOMPARE(f->notifier.count(), 1);
    const OperatorText expected = message == "range"
                                      ? OperatorText::plain("The keypad number must be from 1 to 249.")
                                      : OperatorText::catalogue("FrmManinfo", message);
    QCOMPARE(f->lastText(), expected);
    QCOMPARE(f->notifier.entries().last().caption, OperatorText::catalogue("FrmManinfo", "clew"));
    QCOMPARE(c->rowCount(), message == "MsgClewNew4" ? 2 : 1);
}

void TestDelegateRosterController::newDelegateIsStoredAndTheFieldsStartAfresh()
{
    c->setFields(person("012", "Ana"));
    const QByteArray photo = bitmapOfSize(400);
    const QString path = f->dir.filePath("ana.bmp");
    f->write("ana.bmp", photo);
    QVERIFY(c->loadPhoto(path));
    QVERIFY(c->addDelegate());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewNew4"));

    QCOMPARE(c->list().CellNo, QStringList({"12"}));
    QCOMPARE(c->list().EmpName, QStringList({"Ana"}));
    QCOMPARE(c->fields().CellNo, QString());
    QCOMPARE(c->fields().EmpName, QString());
    QCOMPARE(c->fields().EmpSex, QString("Male"));
    QVERIFY(c->photo().isEmpty());
    QCOMPARE(c->selectedRow(), -1);

    MeetingDatabase database(f->root, "Plenary", f->notifier);
    QCOMPARE(database.readPhoto({}, "12"), photo);
    c->select(0);
    QCOMPARE(c->fields().Unit, QString("Works council"));
    QCOMPARE(c->photo(), photo);
    QVERIFY(!c->photoImage().isNull());
}

void TestDelegateRosterController::nameWithAQuoteIsStoredAndFound()
{
    add("3", "Seán O'Brien");
    add("4", "Anna \"Nan\" Li");
    QVERIFY(c->search(DelegateRosterController::SearchBy::Name, "Seán O'Brien"));
    QCOMPARE(c->list().CellNo, QStringList({"3"}));
    QVERIFY(c->search(DelegateRosterController::SearchBy::Name, "Anna \"Nan\" Li"));
    QCOMPARE(c->list().CellNo, QStringList({"4"}));
    QVERIFY(c->search(DelegateRosterController::SearchBy::Keypad, "03"));
    QCOMPARE(c->list().EmpName, QStringList({"Seán O'Brien"}));
    c->refresh();
    QCOMPARE(c->rowCount(), 2);
}

void TestDelegateRosterController::searchNeedsTextAndSaysWhenNothingIsFound()
{
    add("3", "Ana");
    f->notifier.clear();
    QVERIFY(!c->search(DelegateRosterController::SearchBy::Name, "  "));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewLook"));
    QVERIFY(!c->search(DelegateRosterController::SearchBy::Name, "Nobody"));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewLook1"));
    QCOMPARE(c->rowCount(), 1);
}

void TestDelegateRosterController::keypadChangeToAUsedNumberIsRefused()
{
    add("1", "Ana");
    add("2", "Bo");
    c->select(0);
    DelegateRecord changed = c->fields();
    changed.CellNo = "2";
    c->setFields(changed);
    QVERIFY(!c->changeDelegate());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewNew3"));
    for (const char *outside : {"0", "250"}) {
        changed.CellNo = outside;
        c->setFields(changed);
        QVERIFY(!c->changeDelegate());
        QCOMPARE(f->lastText(), OperatorText::plain("The keypad number must be from 1 to 249."));
    }
    QCOMPARE(c->list().CellNo, QStringList({"1", "2"}));

    // Its own number is no clash.
    changed.CellNo = "1";
    changed.EmpName = "Ana Maria";
    c->setFields(changed);
    QVERIFY(c->changeDelegate());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewEdit"));
}

void TestDelegateRosterController::changeFindsTheRowByOldKeypadAndGroup()
{
    add("1", "Ana");
    add("2", "Bo");
    c->select(1);
    DelegateRecord changed = c->fields();
    changed.CellNo = "9";
    changed.Title = "Chair";
    c->setFields(changed);
    QVERIFY(c->changeDelegate());
    QCOMPARE(c->list().CellNo, QStringList({"1", "9"}));
    QCOMPARE(c->list().Title.at(1), QString("Chair"));
    QCOMPARE(c->list().EmpName, QStringList({"Ana", "Bo"}));
    QCOMPARE(c->selectedRow(), 1);
}

void TestDelegateRosterController::delegateOfAnotherChannelCanBeChanged()
{
    {
        MeetingDatabase database(f->root, "Plenary", f->notifier);
        DelegateRecord r = person("5", "Dita");
        r.Grouping = "East";
        QVERIFY(database.insertDelegate(r));
        QVERIFY(database.writePhoto("East", "5", bitmapOfSize(300)));
    }
    c->refresh();
    QCOMPARE(c->groups(), QStringList({"East"}));
    QCOMPARE(c->currentGroup(), QString());
    c->select(0);
    QCOMPARE(c->photo(), bitmapOfSize(300));
    DelegateRecord changed = c->fields();
    changed.EmpName = "Dita K.";
    c->setFields(changed);
    QVERIFY(c->changeDelegate());
    MeetingDatabase database(f->root, "Plenary", f->notifier);
    DelegateRecord stored;
    QVERIFY(database.readDelegate("5", stored));
    QCOMPARE(stored.EmpName, QString("Dita K."));
    QCOMPARE(stored.Grouping, QString("East"));
}

void TestDelegateRosterController::photoOfAThousandBytesRoundTrips()
{
    const QByteArray photo = bitmapOfSize(1000);
    QCOMPARE(photo.size(), 1000);
    f->write("photo.bmp", photo);
    add("1", "Ana");
    c->select(0);
    QVERIFY(c->photo().isEmpty());
    QVERIFY(c->photoImage().isNull());
    QVERIFY(c->loadPhoto(f->dir.filePath("photo.bmp")));
    c->setFields(c->fields());
    QVERIFY(c->changeDelegate());
    c->select(-1);
    c->select(0);
    QCOMPARE(c->photo(), photo);
    QCOMPARE(c->photoImage().size(), QSize(8, 8));
}

void TestDelegateRosterController::otherPicturesAreStoredAsBitmaps()
{
    QImage picture(2000, 1000, QImage::Format_ARGB32);
    picture.fill(QColor(200, 40, 40, 255));
    QVERIFY(picture.save(f->dir.filePath("photo.png")));
    QVERIFY(c->loadPhoto(f->dir.filePath("photo.png")));
    QVERIFY(c->photo().startsWith("BM"));
    const QImage stored = c->photoImage();
    QCOMPARE(stored.size(), QSize(1024, 512));
    QCOMPARE(stored.pixelColor(10, 10).red(), 200);
}

void TestDelegateRosterController::fileThatIsNoPictureIsRefused()
{
    f->write("photo.bmp", bitmapOfSize(200));
    QVERIFY(c->loadPhoto(f->dir.filePath("photo.bmp")));
    f->write("notes.bmp", "BM but no bitmap at all");
    QVERIFY(!c->loadPhoto(f->dir.filePath("notes.bmp")));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewerror"));
    QVERIFY(!c->loadPhoto(f->dir.filePath("missing.png")));
    QCOMPARE(c->photo(), bitmapOfSize(200));
}

void TestDelegateRosterController::damagedAndHugePicturesAreRefusedAsSuch()
{
    f->write("photo.bmp", bitmapOfSize(200));
    QVERIFY(c->loadPhoto(f->dir.filePath("photo.bmp")));

    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(20, 120, 200));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "JPEG"));
    f->write("cut.jpg", jpeg.left(jpeg.size() / 2));
    QVERIFY(!c->loadPhoto(f->dir.filePath("cut.jpg")));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgPhotoDamaged",
                                                    {QDir::toNativeSeparators(f->dir.filePath("cut.jpg"))}));

    // A PNG whose header claims 20000 x 20000 pixels: refused on its size before anything is decoded.
    QByteArray huge;
    QBuffer hugeBuffer(&huge);
    QVERIFY(hugeBuffer.open(QIODevice::WriteOnly) && picture.save(&hugeBuffer, "PNG"));
    const char side[4] = {0, 0, char(0x4E), char(0x20)}; // 20000, big-endian
    huge.replace(16, 4, side, 4);
    huge.replace(20, 4, side, 4);
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(huge.constData() + 12), 17));
    const char crcBytes[4] = {char(crc >> 24), char(crc >> 16), char(crc >> 8), char(crc)};
    huge.replace(29, 4, crcBytes, 4);
    f->write("huge.png", huge);
    QVERIFY(!c->loadPhoto(f->dir.filePath("huge.png")));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgPhotoTooLarge",
                                                    {QDir::toNativeSeparators(f->dir.filePath("huge.png"))}));
    QCOMPARE(c->photo(), bitmapOfSize(200));

    // The whole JPEG is stored.
    f->write("whole.jpg", jpeg);
    QVERIFY(c->loadPhoto(f->dir.filePath("whole.jpg")));
}

void TestDelegateRosterController::removedPhotoIsGoneAfterTheChange()
{
    f->write("photo.bmp", bitmapOfSize(200));
    c->setFields(person("1", "Ana"));
    QVERIFY(c->loadPhoto(f->dir.filePath("photo.bmp")));
    QVERIFY(c->addDelegate());
    c->select(0);
    QVERIFY(!c->photo().isEmpty());
    c->removePhoto();
    c->setFields(c->fields());
    QVERIFY(c->changeDelegate());
    c->select(0);
    QVERIFY(c->photo().isEmpty());
}

void TestDelegateRosterController::deletingTheLastRowSelectsThePreviousOne()
{
    add("1", "Ana");
    add("2", "Bo");
    add("3", "Chen");
    c->select(2);
    f->notifier.queueAnswer(true);
    QVERIFY(c->deleteDelegate());
    QCOMPARE(c->list().CellNo, QStringList({"1", "2"}));
    QCOMPARE(c->selectedRow(), 1);
    QCOMPARE(c->fields().EmpName, QString("Bo"));

    c->select(0);
    f->notifier.queueAnswer(true);
    QVERIFY(c->deleteDelegate());
    QCOMPARE(c->selectedRow(), 0);
    QCOMPARE(c->fields().EmpName, QString("Bo"));

    f->notifier.queueAnswer(true);
    QVERIFY(c->deleteDelegate());
    QCOMPARE(c->rowCount(), 0);
    QCOMPARE(c->selectedRow(), -1);
    QVERIFY(!c->canEdit() && !c->canDelete() && !c->canClear());
    QCOMPARE(c->fields().EmpName, QString());
}

void TestDelegateRosterController::deleteAndClearAsk()
{
    add("1", "Ana");
    add("2", "Bo");
    c->select(0);
    // Delete takes the selected delegate, whatever number the field shows meanwhile.
    DelegateRecord typed = c->fields();
    typed.CellNo = "2";
    c->setFields(typed);
    f->notifier.queueAnswer(false);
    QVERIFY(!c->deleteDelegate());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewDel2"));
    QCOMPARE(c->rowCount(), 2);
    f->notifier.queueAnswer(true);
    QVERIFY(c->deleteDelegate());
    QCOMPARE(c->list().CellNo, QStringList({"2"}));

    f->notifier.queueAnswer(false);
    QVERIFY(!c->clearAll());
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewDel1"));
    QCOMPARE(c->rowCount(), 1);
    f->notifier.queueAnswer(true);
    QVERIFY(c->clearAll());
    QCOMPARE(c->rowCount(), 0);
}

void TestDelegateRosterController::navigationStopsAtTheEnds()
{
    add("1", "Ana");
    add("2", "Bo");
    f->notifier.clear();
    c->first();
    QCOMPARE(c->selectedRow(), 0);
    c->previous();
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgUp"));
    c->next();
    QCOMPARE(c->selectedRow(), 1);
    QCOMPARE(c->fields().EmpName, QString("Bo"));
    c->next();
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgNext"));
    QCOMPARE(c->selectedRow(), 1);
    c->select(7);
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewSet"));
    QVERIFY(!c->canEdit());
}

void TestDelegateRosterController::newRowsJoinTheChosenChannel()
{
    c->setGroup("West");
    add("1", "Ana");
    c->setGroup(QString());
    add("2", "Bo");
    QCOMPARE(c->groups(), QStringList({"West"}));
    MeetingDatabase database(f->root, "Plenary", f->notifier);
    DelegateRecord stored;
    QVERIFY(database.readDelegate("1", stored));
    QCOMPARE(stored.Grouping, QString("West"));
    QVERIFY(database.readDelegate("2", stored));
    QCOMPARE(stored.Grouping, QString());
    QCOMPARE(c->rowCount(), 2);
}

QTEST_MAIN(TestDelegateRosterController)
#include "testdelegaterostercontroller.moc"
