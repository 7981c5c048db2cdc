// The roster's spreadsheet exchange, driven through the roster controller: export, import into another
// meeting, the rows the roster's rules refuse, and what a failing file, save or database leaves behind.
#include "core/prepare/delegaterostercontroller.h"

#include "preparefixture.h"
#include "sheetfixtures.h"

#include "core/output/csvwriter.h"
#include "core/output/sheetfile.h"
#include "core/store/databaseaccess.h"
#include "core/store/meetingdatabase.h"
#include "core/store/meetingfiles.h"

#include <QSignalSpy>
#include <QTest>

using Rows = QList<QStringList>;
using Reason = RosterRefusal::Reason;

namespace {

DelegateRecord person(const QString &keypad, const QString &name, const QString &phone = {})
{
    DelegateRecord r;
    r.CellNo = keypad;
    r.EmpName = name;
    r.EmpSex = "F";
    r.Nationality = "Moçambique";
    r.Unit = "Assembleia, \"Norte\"";
    r.Title = "Deputada";
    r.Office_phone = phone;
    r.delegacy = "Delegação 1";
    r.presidium = "";
    r.SeatNo = "A-07";
    return r;
}

Rows listRows(const DelegateList &d)
{
    Rows rows;
    for (qsizetype i = 0; i < d.size(); ++i)
        rows.append({d.CellNo[i], d.EmpName[i], d.EmpSex[i], d.Nationality[i], d.Unit[i], d.Title[i],
                     d.Office_phone[i], d.delegacy[i], d.presidium[i], d.SeatNo[i]});
    return rows;
}

} // namespace

class TestRosterExchange : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void rosterTravelsToAnotherMeeting_data();
    void rosterTravelsToAnotherMeeting();
    void editedFileImportsItsGoodRowsAndExplainsTheOthers();
    void legacyWorkbookImportsNumbersAsTyped();
    void groupNeverDeletesAKeypad();
    void importIsAllOrNothing();
    void wrongFilesChangeNothing_data();
    void wrongFilesChangeNothing();
    void exportSaysWhetherItWorked();

private:
    void add(const QString &keypad, const QString &name, const QString &phone = {});
    QString headingLine() const;
    QString file(const QString &name) const { return f->dir.filePath(name); }
    void writeCsv(const QString &path, const Rows &rows) const { QVERIFY(CsvWriter::write(path, rows)); }
    Rows stored(const QString &meeting) const;

    std::unique_ptr<PrepareFixture> f;
    std::unique_ptr<DelegateRosterController> c;
};

void TestRosterExchange::init()
{
    c.reset();
    f = std::make_unique<PrepareFixture>();
    QVERIFY(MeetingFiles::create(f->root, "Plenary", f->notifier));
    QVERIFY(MeetingFiles::create(f->root, "Second", f->notifier));
    c = std::make_unique<DelegateRosterController>(f->root, f->notifier, f->catalogue);
    c->setMeeting("Plenary");
    QCOMPARE(f->notifier.count(), 0);
}

void TestRosterExchange::add(const QString &keypad, const QString &name, const QString &phone)
{
    c->setFields(person(keypad, name, phone));
    QVERIFY(c->addDelegate());
    f->notifier.clear();
}

Rows TestRosterExchange::stored(const QString &meeting) const
{
    MeetingDatabase db(f->root, meeting, f->notifier);
    return listRows(db.listDelegates());
}

void TestRosterExchange::rosterTravelsToAnotherMeeting_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("workbook") << "roster.xlsx";
    QTest::newRow("comma-separated") << "roster.csv";
}

void TestRosterExchange::rosterTravelsToAnotherMeeting()
{
    QFETCH(QString, name);
    add("007", "张伟", "13800138000");
    add("12", "João Gonçalves", "0012");
    add("249", "Ana \"Nita\" O'Brien, Jr.");
    QVERIFY(c->exportList(file(name)));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgClewEduce"));

    c->setMeeting("Second");
    c->setGroup("Observers");
    QSignalSpy imported(c.get(), &DelegateRosterController::imported);
    QVERIFY(c->importFile(file(name)));
    QCOMPARE(imported.count(), 1);
    QCOMPARE(c->lastImport().refused, QList<RosterRefusal>());
    QCOMPARE(c->lastImport().delegates.size(), 3);
    QCOMPARE(stored("Second"), stored("Plenary"));
    QCOMPARE(stored("Second").first().at(0), QString("7"));
    QCOMPARE(stored("Second").first().at(6), QString("13800138000"));
    QCOMPARE(c->rowCount(), 3);
    QCOMPARE(c->groups(), QStringList{"Observers"});
    QCOMPARE(f->notifier.count(), 1); // the export's message only
}

void TestRosterExchange::editedFileImportsItsGoodRowsAndExplainsTheOthers()
{
    add("3", "Already here");
    add("4", "Also here");
    // The list shows a search when the import starts; afterwards it shows the whole roster again.
    QVERIFY(c->search(DelegateRosterController::SearchBy::Keypad, "4"));
    QCOMPARE(c->rowCount(), 1);

    // As an operator leaves a file after editing it in a spreadsheet program: numbers typed as numbers,
    // a row emptied, rows added at the end.
    const QString sheet = QString(R"(<row r="1">%1</row>
        <row r="2"><c r="A2"><v>12</v></c><c r="B2" t="inlineStr"><is><t>Lúcia</t></is></c></row>
        <row r="3"><c r="A3" t="inlineStr"><is><t>0</t></is></c><c r="B3" t="inlineStr"><is><t>Zero</t></is></c></row>
        <row r="4"><c r="A4"><v>251</v></c><c r="B4" t="inlineStr"><is><t>Too high</t></is></c></row>
        <row r="5"><c r="A5" t="inlineStr"><is><t>1a</t></is></c><c r="B5" t="inlineStr"><is><t>Letters</t></is></c></row>
        <row r="6"><c r="A6"><v>13</v></c><c r="B6" t="inlineStr"><is><t xml:space="preserve">  </t></is></c></row>
        <row r="7"><c r="A7"><v>14</v></c><c r="B7" t="inlineStr"><is><t>Long unit</t></is></c><c r="E7" t="inlineStr"><is><t>%2</t></is></c></row>
        <row r="8"><c r="A8" t="inlineStr"><is><t>012</t></is></c><c r="B8" t="inlineStr"><is><t>Twice</t></is></c></row>
        <row r="9"><c r="A9"><v>3</v></c><c r="B9" t="inlineStr"><is><t>Used</t></is></c></row>
        <row r="10"><c r="C10" t="inlineStr"><is><t xml:space="preserve"> </t></is></c></row>
        <row r="12"><c r="A12"><v>249</v></c><c r="B12" t="inlineStr"><is><t>Last</t></is></c><c r="G12"><v>13800138000</v></c></row>)");
    QString heading;
    const QStringList headings = c->headings();
    for (int i = 0; i < headings.size(); ++i)
        heading += QString("<c r=\"") + QChar('A' + i) + "1\" t=\"inlineStr\"><is><t>" + headings[i] +
                   "</t></is></c>";
    QFile out(file("edited.xlsx"));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(SheetFixtures::xlsx({{"Sheet1", sheet.arg(heading, QString(41, 'u')).toUtf8()}}));
    out.close();

    QVERIFY(c->importFile(file("edited.xlsx")));
    const RosterImport &result = c->lastImport();
    QCOMPARE(result.delegates.size(), 2);
    const QList<RosterRefusal> expected{
        {3, "0", "Zero", Reason::Keypad, -1, 0},       {4, "251", "Too high", Reason::Keypad, -1, 0},
        {5, "1a", "Letters", Reason::Keypad, -1, 0},   {6, "13", "  ", Reason::Name, -1, 0},
        {7, "14", "Long unit", Reason::TooLong, 4, 0}, {8, "012", "Twice", Reason::Twice, -1, 2},
        {9, "3", "Used", Reason::Used, -1, 0},
    };
    QCOMPARE(result.refused, expected);
    // The list and the count come from the database: the delegates before and the two imported.
    QCOMPARE(c->rowCount(), 4);
    QCOMPARE(c->list().CellNo, (QStringList{"3", "4", "12", "249"}));
    QCOMPARE(c->list().Office_phone.last(), QString("13800138000"));
    QCOMPARE(f->notifier.count(), 0);
}

void TestRosterExchange::legacyWorkbookImportsNumbersAsTyped()
{
    QList<SheetFixtures::XlsCell> cells;
    const QStringList headings = c->headings();
    for (int i = 0; i < headings.size(); ++i)
        cells.append({0, i, headings[i]});
    cells.append({{1, 0, 21.0},
                  {1, 1, QString("Inês")},
                  {1, 6, 213000000.0},
                  {2, 0, QString("22")},
                  {2, 1, QString("王芳")}});
    QFile out(file("legacy.xls"));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(SheetFixtures::xls({{"Sheet1", cells}}));
    out.close();
    QVERIFY(c->importFile(file("legacy.xls")));
    QCOMPARE(c->list().CellNo, (QStringList{"21", "22"}));
    QCOMPARE(c->list().Office_phone.first(), QString("213000000"));
}

void TestRosterExchange::groupNeverDeletesAKeypad()
{
    // A channel named like a keypad number once removed that keypad's delegates in every channel.
    add("5", "Keypad five");
    c->setGroup("5");
    writeCsv(file("one.csv"), {c->headings(), {"6", "Six"}});
    QVERIFY(c->importFile(file("one.csv")));
    QCOMPARE(stored("Plenary"), (Rows{{"5", "Keypad five", "F", "Moçambique", "Assembleia, \"Norte\"",
                                       "Deputada", "", "Delegação 1", "", "A-07"},
                                      {"6", "Six", "", "", "", "", "", "", "", ""}}));
}

void TestRosterExchange::importIsAllOrNothing()
{
    add("1", "First");
    {
        // The third row of the file fails in the database, after two rows went in.
        DatabaseAccess db(MeetingFiles::filePath(f->root, "Plenary"), f->notifier);
        QVERIFY(db.execute("create trigger refuse before insert on Employees when new.EmpName = 'Boom' "
                           "begin select raise(abort, 'disk full'); end"));
    }
    writeCsv(file("three.csv"), {c->headings(), {"2", "Two"}, {"3", "Three"}, {"4", "Boom"}, {"5", "Five"}});
    QSignalSpy imported(c.get(), &DelegateRosterController::imported);
    QVERIFY(!c->importFile(file("three.csv")));
    QCOMPARE(imported.count(), 0);
    QCOMPARE(stored("Plenary").size(), 1);
    QCOMPARE(c->rowCount(), 1);
    QCOMPARE(f->notifier.count(), 1);
    QCOMPARE(f->notifier.entries().first().kind, RecordingNotifier::Kind::Error);
    QVERIFY(f->notifier.entries().first().text.literal.contains("disk full"));
}

void TestRosterExchange::wrongFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("key");
    const QStringList english = PrepareFixture().catalogue.family("FrmManinfo", "LstText", 1, 10);
    QStringList swapped = english;
    swapped.swapItemsAt(0, 1);
    TextCatalogue chinese(QStringLiteral(QUORIX_SOURCE_DIR "/data/System/Menu/menu.ini"));
    const QByteArray good = CsvWriter::encode({english, {"8", "Eight"}});
    QTest::newRow("headings in another order")
        << CsvWriter::encode({swapped, {"8", "Eight"}}) << "MsgClewErr";
    QTest::newRow("headings of another language")
        << CsvWriter::encode({chinese.family("FrmManinfo", "LstText", 1, 10), {"8", "Eight"}})
        << "MsgClewErr";
    QTest::newRow("headings only") << CsvWriter::encode({english}) << "MsgLeadEmpty";
    QTest::newRow("an empty file") << QByteArray() << "MsgClewErr";
    QTest::newRow("a damaged workbook")
        << SheetFixtures::xlsx({{"Sheet1", "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"}}).first(300)
        << "MsgLeadDamaged";
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "MsgLeadDamaged";
    QTest::newRow("far too many rows") << good + QByteArray(3000, '\n') + "9,Nine\n"
                                       << "MsgLeadSize";
}

void TestRosterExchange::wrongFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, key);
    add("1", "First");
    f->write("wrong.xlsx", bytes);
    QVERIFY(!c->importFile(f->root.filePath("wrong.xlsx")));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", key));
    QCOMPARE(stored("Plenary").size(), 1);
    QVERIFY(!c->importFile(file("missing.csv")));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgLeadOpen"));
}

void TestRosterExchange::exportSaysWhetherItWorked()
{
    // An empty roster exports its headings.
    QVERIFY(c->exportList(file("empty.xlsx")));
    QCOMPARE(SheetFile::read(file("empty.xlsx"), "Sheet1").rows, Rows{c->headings()});

    add("1", "First");
    f->notifier.clear();
    QVERIFY(!c->exportList(file("no/such/folder/roster.xlsx")));
    QCOMPARE(f->notifier.entries().last().kind, RecordingNotifier::Kind::Error);
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgEduceFail"));
    QVERIFY(!c->exportList(file("roster.ods")));
    QCOMPARE(f->lastText(), OperatorText::catalogue("FrmManinfo", "MsgEduceType"));
    QVERIFY(!QFile::exists(file("roster.ods")));
    // Over an existing file: replaced as a whole.
    QVERIFY(c->exportList(file("empty.xlsx")));
    QCOMPARE(SheetFile::read(file("empty.xlsx"), "Sheet1").rows.size(), 2);
}

QTEST_MAIN(TestRosterExchange)
#include "testrosterexchange.moc"
