// The spreadsheet files: the workbook writer and the .xlsx, .xls and .csv readers, with files written as
// other programs write them.
#include "core/output/sheetfile.h"

#include "sheetfixtures.h"

#include "core/output/csvreader.h"
#include "core/output/csvwriter.h"
#include "core/output/workbookwriter.h"
#include "core/output/xlsreader.h"
#include "core/output/xlsxnumberformat.h"
#include "core/output/xlsxreader.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace SheetFixtures;
using Failure = SheetReading::Failure;
using Rows = QList<QStringList>;

Q_DECLARE_METATYPE(SheetReading::Failure)

namespace {

// A roster as operators type it: Chinese and Portuguese names, quotes and commas, keypad numbers with
// leading zeros, long phone numbers, and gaps.
Rows roster()
{
    return {
        {"Keypad", "Name", "Sex", "Nationality", "Organisation", "Position", "Telephone"},
        {"007", "张伟", "男", "中国", "人民代表大会", "代表", "13800138000"},
        {"12", "João Gonçalves", "M", "Portugal", "Câmara, Lisboa", "Presidente", "+351 213 000 000"},
        {"13", "Ana \"Nita\" O'Brien", "F", "", "Tribunal", "", ""},
        {"14", "Line\nbreak", "", "", "", "", "0012"},
        {},
        {"250", "Último", "", "", "", "", "1.50"},
    };
}

// Rows as a reader gives them back: each row ends at its last value.
Rows trimmed(Rows rows)
{
    for (QStringList &row : rows) {
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
    }
    while (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray part(const QByteArray &zipBytes, const QString &name)
{
    for (const auto &[n, bytes] : unzip(zipBytes)) {
        if (n == name)
            return bytes;
    }
    return {};
}

QByteArray cellStyles(const QByteArray &formats, const QList<int> &formatIds)
{
    QByteArray xfs = "<cellXfs count=\"" + QByteArray::number(formatIds.size()) + "\">";
    for (int id : formatIds)
        xfs += "<xf numFmtId=\"" + QByteArray::number(id) + "\" applyNumberFormat=\"1\"/>";
    return "<numFmts>" + formats + "</numFmts><cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>" + xfs +
           "</cellXfs><dxfs><dxf><numFmt numFmtId=\"165\" formatCode=\"0.00\"/></dxf></dxfs>";
}

} // namespace

class TestSheetFiles final : public QObject
{
    Q_OBJECT

private slots:
    void workbookRoundTripKeepsEveryTextExactly();
    void csvRoundTripKeepsEveryTextExactly();
    void csvComesInTheEncodingsAndSeparatorsOfOtherPrograms_data();
    void csvComesInTheEncodingsAndSeparatorsOfOtherPrograms();
    void sheetIsChosenByNameElseTheFirst();
    void cellsArePlacedByTheirReference();
    void stringsOfEveryKindAreRead();
    void numbersAndDatesReadAsAGeneralCellShowsThem();
    void formatCodesTellDatesFromNumbers_data();
    void formatCodesTellDatesFromNumbers();
    void partsAreFoundThroughTheRelationships();
    void damagedWorkbooksAreRefused_data();
    void damagedWorkbooksAreRefused();
    void limitsHoldAgainstHostileFiles();
    void legacyWorkbooksAreRead();
    void legacyWorkbookClaimingAHugeSheetIsRefused();
    void filesAreReadByWhatTheyHold();
    void failedWriteLeavesTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TestSheetFiles::workbookRoundTripKeepsEveryTextExactly()
{
    const QString path = m_dir.filePath("roster.xlsx");
    QVERIFY(WorkbookWriter::write(path, {{"Sheet1", roster(), {50, 110}, 1}}));
    const SheetReading back = XlsxReader::read(fileBytes(path), "Sheet1");
    QCOMPARE(back.failure, Failure::None);
    QCOMPARE(back.sheetName, QString("Sheet1"));
    QCOMPARE(back.rows, trimmed(roster()));

    // Every cell is a string and every column carries the text format, so a spreadsheet program keeps
    // "007" and shows 13800138000 whole, also in cells typed there later.
    const QByteArray sheet = part(fileBytes(path), "xl/worksheets/sheet1.xml");
    QCOMPARE(sheet.count("<c "), sheet.count(" t=\"s\""));
    QVERIFY(sheet.count("<col ") >= 7);
    QVERIFY(part(fileBytes(path), "xl/styles.xml").contains("formatCode=\"@\"") ||
            part(fileBytes(path), "xl/styles.xml").contains("numFmtId=\"49\""));

    // A second export over the first replaces it.
    QVERIFY(WorkbookWriter::write(path, {{"Sheet1", {{"only"}}, {}, 0}}));
    QCOMPARE(XlsxReader::read(fileBytes(path), "Sheet1").rows, Rows{{"only"}});
}

void TestSheetFiles::csvRoundTripKeepsEveryTextExactly()
{
    const QString path = m_dir.filePath("roster.csv");
    QVERIFY(CsvWriter::write(path, roster()));
    const QByteArray bytes = fileBytes(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains("\"Ana \"\"Nita\"\" O'Brien\""));
    QVERIFY(bytes.contains("\"Câmara, Lisboa\""));
    QVERIFY(bytes.contains("\r\n"));
    QCOMPARE(CsvReader::read(bytes).rows, trimmed(roster()));
}

void TestSheetFiles::csvComesInTheEncodingsAndSeparatorsOfOtherPrograms_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows");
    const QString text = "Nº;Nome\r\n1;João\r\n";
    QStringEncoder gb("GB18030");
    QTest::newRow("utf-16 le with a mark")
        << QByteArray("\xFF\xFE") + QByteArray(QStringEncoder(QStringEncoder::Utf16LE)(u"1,王芳\n2,Zé\n"))
        << Rows{{"1", "王芳"}, {"2", "Zé"}};
    QTest::newRow("utf-16 be with a mark")
        << QByteArray("\xFE\xFF") + QByteArray(QStringEncoder(QStringEncoder::Utf16BE)(u"1,王芳\n"))
        << Rows{{"1", "王芳"}};
    QTest::newRow("gb18030 as Chinese Windows saves")
        << QByteArray(gb(u"编号,姓名\r\n3,李娜\r\n")) << Rows{{"编号", "姓名"}, {"3", "李娜"}};
    QTest::newRow("utf-8 without a mark, semicolons") << text.toUtf8() << Rows{{"Nº", "Nome"}, {"1", "João"}};
    QTest::newRow("a sep= line names the separator")
        << QByteArray("sep=|\r\na|b,c\r\n") << Rows{{"a", "b,c"}};
    QTest::newRow("tabs, bare CR line ends") << QByteArray("a\tb\rc\td\r") << Rows{{"a", "b"}, {"c", "d"}};
    QTest::newRow("quoted separators and line breaks")
        << QByteArray("\"a,1\",\"b\r\n2\",\"\"\"c\"\"\"\n") << Rows{{"a,1", "b\r\n2", "\"c\""}};
    QTest::newRow("blank lines inside, none at the end")
        << QByteArray("a\n\nb\n\n\n") << Rows{{"a"}, {}, {"b"}};
}

void TestSheetFiles::csvComesInTheEncodingsAndSeparatorsOfOtherPrograms()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);
    const SheetReading reading = CsvReader::read(bytes);
    QCOMPARE(reading.failure, Failure::None);
    QCOMPARE(reading.rows, rows);
}

void TestSheetFiles::sheetIsChosenByNameElseTheFirst()
{
    // Spreadsheet programs in other languages name the first sheet in their own words.
    const QByteArray portuguese =
        xlsx({{"Planilha1", R"(<row r="1"><c r="A1" t="inlineStr"><is><t>só</t></is></c></row>)"}});
    SheetReading reading = XlsxReader::read(portuguese, "Sheet1");
    QCOMPARE(reading.sheetName, QString("Planilha1"));
    QCOMPARE(reading.rows, Rows{{"só"}});

    const QByteArray several =
        xlsx({{"Notes", R"(<row r="1"><c r="A1" t="inlineStr"><is><t>notes</t></is></c></row>)"},
              {"SHEET1", R"(<row r="1"><c r="A1" t="inlineStr"><is><t>roster</t></is></c></row>)"},
              {"Sheet3", ""}});
    reading = XlsxReader::read(several, "Sheet1");
    QCOMPARE(reading.sheetName, QString("SHEET1"));
    QCOMPARE(reading.rows, Rows{{"roster"}});
    QCOMPARE(XlsxReader::read(several, "Sheet3").rows, Rows{});
}

void TestSheetFiles::cellsArePlacedByTheirReference()
{
    // Rows and cells out of order, empty cells left out, cells and rows without their reference following
    // the one before, and a styled but empty row at the end.
    const QByteArray book = xlsx({{"Sheet1", R"(
        <row r="3"><c r="C3"><v>33</v></c><c r="A3"><v>31</v></c></row>
        <row r="1"><c><v>11</v></c><c><v>12</v></c><c r="E1"><v>15</v></c><c><v>16</v></c></row>
        <row><c r="B2"><v>22</v></c></row>
        <row r="7"><c r="AA7" s="0"/><c r="B7" t="s"/></row>
        <row r="9" ht="20" customHeight="1"/>)"}});
    const SheetReading reading = XlsxReader::read(book, "Sheet1");
    QCOMPARE(reading.failure, Failure::None);
    QCOMPARE(reading.rows, (Rows{{"11", "12", "", "", "15", "16"}, {"", "22"}, {"31", "", "33"}}));
}

void TestSheetFiles::stringsOfEveryKindAreRead()
{
    const QByteArray strings = R"(
        <si><t>plain</t></si>
        <si><r><rPr><b/></rPr><t>ri</t></r><r><t xml:space="preserve">ch </t></r><rPh sb="0" eb="1"><t>ふりがな</t></rPh><phoneticPr fontId="1"/></si>
        <si><t>two_x000D_
lines</t></si>
        <si/>)";
    const QByteArray book = xlsx({{"Sheet1", R"(<row r="1">
        <c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>
        <c r="D1" t="s"><v>3</v></c><c r="E1" t="inlineStr"><is><r><t>in</t></r><r><t>line</t></r></is></c>
        <c r="F1" t="str"><f>A1&amp;"!"</f><v>plain!</v></c><c r="G1" t="b"><v>1</v></c>
        <c r="H1" t="e"><f>1/0</f><v>#DIV/0!</v></c></row>)"}},
                                 strings);
    QCOMPARE(XlsxReader::read(book, "Sheet1").rows,
             (Rows{{"plain", "rich ", "two\r\nlines", "", "inline", "plain!", "TRUE", "#DIV/0!"}}));
}

void TestSheetFiles::numbersAndDatesReadAsAGeneralCellShowsThem()
{
    const QByteArray styles = cellStyles(
        R"(<numFmt numFmtId="164" formatCode="yyyy\-mm\-dd;@"/>)"
        R"(<numFmt numFmtId="166" formatCode="[$-804]yyyy&quot;年&quot;m&quot;月&quot;d&quot;日&quot;"/>)"
        R"(<numFmt numFmtId="167" formatCode="&quot;No. &quot;0"/>)",
        {0, 14, 164, 22, 20, 166, 167, 2});
    const QByteArray cells = R"(<row r="1">
        <c r="A1"><v>12</v></c><c r="B1"><v>12.0</v></c><c r="C1"><v>1.3800138E10</v></c><c r="D1"><v>0.1</v></c>
        <c r="E1" s="7"><v>2.5</v></c><c r="F1"><v>-3</v></c><c r="G1" s="6"><v>45429</v></c></row><row r="2">
        <c r="A2" s="1"><v>45429</v></c><c r="B2" s="2"><v>45429</v></c><c r="C2" s="3"><v>45429.75</v></c>
        <c r="D2" s="4"><v>0.5</v></c><c r="E2" s="5"><v>45429</v></c><c r="F2" s="99"><v>45429</v></c></row>)";
    QCOMPARE(XlsxReader::read(xlsx({{"Sheet1", cells}}, {}, styles), "Sheet1").rows,
             (Rows{{"12", "12", "13800138000", "0.1", "2.5", "-3", "45429"},
                   {"2024-05-17", "2024-05-17", "2024-05-17 18:00:00", "12:00:00", "2024-05-17", "45429"}}));
    // The 1904 date system counts from its own first day.
    QCOMPARE(XlsxReader::read(
                 xlsx({{"Sheet1", R"(<row r="1"><c r="A1" s="1"><v>43967</v></c></row>)"}}, {}, styles, true),
                 "Sheet1")
                 .rows,
             Rows{{"2024-05-17"}});
}

void TestSheetFiles::formatCodesTellDatesFromNumbers_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<XlsxNumberFormat::Kind>("kind");
    using K = XlsxNumberFormat::Kind;
    QTest::newRow("general") << "General" << K::Number;
    QTest::newRow("decimals in red") << "#,##0.00;[Red]-#,##0.00" << K::Number;
    QTest::newRow("scientific") << "0.00E+00" << K::Number;
    QTest::newRow("quoted letters") << "\"day \"0" << K::Number;
    QTest::newRow("text") << "@" << K::Number;
    QTest::newRow("currency by locale") << "[$€-816] #,##0.00" << K::Number;
    QTest::newRow("day month year") << "dd/mm/yyyy" << K::Date;
    QTest::newRow("month alone") << "mmm" << K::Date;
    QTest::newRow("minutes and seconds") << "mm:ss" << K::Time;
    QTest::newRow("hours with am/pm") << "h:mm AM/PM" << K::Time;
    QTest::newRow("elapsed hours") << "[h]:mm" << K::Time;
    QTest::newRow("date and time") << "yyyy-mm-dd hh:mm" << K::DateTime;
}

void TestSheetFiles::formatCodesTellDatesFromNumbers()
{
    QFETCH(QString, code);
    QFETCH(XlsxNumberFormat::Kind, kind);
    QCOMPARE(XlsxNumberFormat::ofCode(code), kind);
}

void TestSheetFiles::partsAreFoundThroughTheRelationships()
{
    // Another program's layout: the workbook and sheets under other names, one target absolute, one
    // relative with "..", the shared strings in another folder.
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray book = zip({
        {"_rels/.rels", "<Relationships><Relationship Id=\"a\" Type=\"" + rel +
                            "/officeDocument\" Target=\"/book/main.xml\"/></Relationships>"},
        {"book/main.xml", "<workbook xmlns:r=\"" + rel +
                              "\"><sheets><sheet name=\"Data\" r:id=\"x1\"/><sheet name=\"Sheet1\" "
                              "r:id=\"x2\"/></sheets></workbook>"},
        {"book/_rels/main.xml.rels", "<Relationships><Relationship Id=\"x1\" Type=\"" + rel +
                                         "/worksheet\" Target=\"/data/one.xml\"/>"
                                         "<Relationship Id=\"x2\" Type=\"" +
                                         rel +
                                         "/worksheet\" Target=\"../data/two%20b.xml\"/>"
                                         "<Relationship Id=\"x3\" Type=\"" +
                                         rel +
                                         "/sharedStrings\" Target=\"strings/s.xml\"/>"
                                         "<Relationship Id=\"x4\" Type=\"" +
                                         rel +
                                         "/hyperlink\" Target=\"http://x\" TargetMode=\"External\"/>"
                                         "</Relationships>"},
        {"book/strings/s.xml", "<sst><si><t>found</t></si></sst>"},
        {"data/one.xml",
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData></worksheet>"},
        {"data/two b.xml",
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row></sheetData></worksheet>"},
    });
    const SheetReading reading = XlsxReader::read(book, "Sheet1");
    QCOMPARE(reading.failure, Failure::None);
    QCOMPARE(reading.rows, Rows{{"found"}});
}

void TestSheetFiles::damagedWorkbooksAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Failure>("failure");
    const QByteArray good = xlsx({{"Sheet1", R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)"}},
                                 "<si><t>" + QByteArray(3000, 'x') + "</t></si>");
    QByteArray changed = good;
    // Inside the deflated shared strings: the data no longer inflates or fails its checksum.
    const qsizetype at = good.indexOf("xl/sharedStrings.xml") + 40;
    for (qsizetype i = at; i < at + 8; ++i)
        changed[i] = char(changed[i] ^ 0x5A);
    QTest::newRow("cut short") << good.first(good.size() / 2) << Failure::Damaged;
    QTest::newRow("bytes changed") << changed << Failure::Damaged;
    QTest::newRow("a zip but no workbook") << zip({{"readme.txt", "hello"}}) << Failure::NotASheet;
    QTest::newRow("not a zip at all") << QByteArray("Keypad,Name\n") << Failure::NotASheet;
    QTest::newRow("a sheet that is no XML")
        << xlsx({{"Sheet1", "<row r=\"1\"><c r=\"A1\"><v>1</v></row>"}}) << Failure::Damaged;
    QTest::newRow("a string that is not there")
        << xlsx({{"Sheet1", R"(<row r="1"><c r="A1" t="s"><v>7</v></c></row>)"}}, "<si><t>a</t></si>")
        << Failure::Damaged;
    QTest::newRow("a number that is none")
        << xlsx({{"Sheet1", R"(<row r="1"><c r="A1"><v>twelve</v></c></row>)"}}) << Failure::Damaged;
    QTest::newRow("a reference that is none")
        << xlsx({{"Sheet1", R"(<row r="1"><c r="1A"><v>1</v></c></row>)"}}) << Failure::Damaged;
    QTest::newRow("a workbook without sheets") << xlsx({}) << Failure::Damaged;
}

void TestSheetFiles::damagedWorkbooksAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Failure, failure);
    const SheetReading reading = XlsxReader::read(bytes, "Sheet1");
    QCOMPARE(reading.failure, failure);
    QVERIFY(reading.rows.isEmpty());
}

void TestSheetFiles::limitsHoldAgainstHostileFiles()
{
    SheetLimits limits;
    limits.partBytes = 1024 * 1024;
    limits.rows = 100;
    limits.columns = 3;
    limits.cells = 1000;
    // A part that inflates far beyond what it claims in a few kilobytes.
    const QByteArray bomb = xlsx({{"Sheet1", QByteArray(4 * 1024 * 1024, ' ')}});
    QVERIFY(bomb.size() < 64 * 1024);
    QCOMPARE(XlsxReader::read(bomb, "Sheet1", limits).failure, Failure::TooLarge);
    // A value far down, too many strings, too many cells.
    QCOMPARE(XlsxReader::read(xlsx({{"Sheet1", R"(<row r="1048576"><c r="A1048576"><v>1</v></c></row>)"}}),
                              "Sheet1", limits)
                 .failure,
             Failure::TooLarge);
    QByteArray strings;
    for (int i = 0; i < 1001; ++i)
        strings += "<si><t>s</t></si>";
    QCOMPARE(XlsxReader::read(xlsx({{"Sheet1", ""}}, strings), "Sheet1", limits).failure, Failure::TooLarge);
    QByteArray cells;
    for (int r = 1; r <= 100; ++r)
        cells +=
            "<row><c><v>1</v></c><c><v>2</v></c><c><v>3</v></c><c><v>4</v></c><c><v>5</v></c><c><v>6</v></c>"
            "<c><v>7</v></c><c><v>8</v></c><c><v>9</v></c><c><v>10</v></c><c><v>11</v></c></row>";
    SheetLimits fewCells = limits;
    fewCells.cells = 250; // 100 rows of 3 columns read
    QCOMPARE(XlsxReader::read(xlsx({{"Sheet1", cells}}), "Sheet1", limits).failure, Failure::None);
    QCOMPARE(XlsxReader::read(xlsx({{"Sheet1", cells}}), "Sheet1", fewCells).failure, Failure::TooLarge);
    // Columns to the right of those read are left out, not refused.
    const SheetReading wide = XlsxReader::read(
        xlsx({{"Sheet1", R"(<row r="1"><c r="A1"><v>1</v></c><c r="XFD1"><v>2</v></c></row>)"}}), "Sheet1",
        limits);
    QCOMPARE(wide.failure, Failure::None);
    QCOMPARE(wide.rows, Rows{{"1"}});
    // The same holds for text files.
    QCOMPARE(CsvReader::read(QByteArray(QByteArray(101, '\n') + "x"), limits).failure, Failure::TooLarge);
}

void TestSheetFiles::legacyWorkbooksAreRead()
{
    const QString path = m_dir.filePath("legacy.xls");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(xls({{"Hoja1", {{0, 0, QString("other")}}},
                        {"Sheet1",
                         {{0, 0, QString("Keypad")},
                          {0, 1, QString("Name")},
                          {1, 0, 12.0},
                          {1, 1, QString("王芳")},
                          {1, 2, 13800138000.0},
                          {2, 1, QString("Inês")},
                          {2, 0, 7.0},
                          {2, 3, 0.25},
                          {3, 0, 45429.0, 1},
                          {3, 1, 45429.75, 2}}}}));
    }
    SheetReading reading = XlsReader::read(path, "Sheet1");
    QCOMPARE(reading.failure, Failure::None);
    QCOMPARE(reading.sheetName, QString("Sheet1"));
    QCOMPARE(reading.rows, (Rows{{"Keypad", "Name"},
                                 {"12", "王芳", "13800138000"},
                                 {"7", "Inês", "", "0.25"},
                                 {"2024-05-17", "2024-05-17 18:00:00"}}));
    reading = XlsReader::read(path, "Planilha1");
    QCOMPARE(reading.sheetName, QString("Hoja1"));
    QCOMPARE(reading.rows, Rows{{"other"}});

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.resize(1500); // the directory stays, the workbook stream is cut off
    file.close();
    QVERIFY(XlsReader::read(path, "Sheet1").failure == Failure::Damaged);
}

void TestSheetFiles::legacyWorkbookClaimingAHugeSheetIsRefused()
{
    const QString path = m_dir.filePath("claims.xls");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(xls({{"Sheet1", {{0, 0, QString("a")}}, 65536, 256}}));
    file.close();
    SheetLimits limits;
    limits.cells = 100000;
    QCOMPARE(XlsReader::read(path, "Sheet1", limits).failure, Failure::TooLarge);
}

void TestSheetFiles::filesAreReadByWhatTheyHold()
{
    // Saved under the wrong name, each file still reads for what it is.
    const auto save = [this](const QString &name, const QByteArray &bytes) {
        QFile file(m_dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return file.fileName();
    };
    const QString workbook =
        save("workbook.xls", xlsx({{"Sheet1", R"(<row r="1"><c r="A1"><v>1</v></c></row>)"}}));
    const QString legacy = save("legacy.xlsx", xls({{"Sheet1", {{0, 0, 2.0}}}}));
    const QString text = save("text.xlsx", "3,4\r\n");
    QCOMPARE(SheetFile::read(workbook, "Sheet1").rows, Rows{{"1"}});
    QCOMPARE(SheetFile::read(legacy, "Sheet1").rows, Rows{{"2"}});
    QCOMPARE(SheetFile::read(text, "Sheet1").rows, (Rows{{"3", "4"}}));
    QCOMPARE(SheetFile::read(save("binary.csv", QByteArray("\x01\x00\x02", 3)), "Sheet1").failure,
             Failure::NotASheet);
    QCOMPARE(SheetFile::read(m_dir.filePath("missing.xlsx"), "Sheet1").failure, Failure::Unreadable);
    QCOMPARE(SheetFile::read(
                 save("locked.xlsx",
                      xls({}).replace(0x400, 32,
                                      QByteArray(reinterpret_cast<const char *>(u"EncryptedPackage"), 32))),
                 "Sheet1")
                 .failure,
             Failure::Protected);
}

void TestSheetFiles::failedWriteLeavesTheOldFile()
{
    const QString path = m_dir.filePath("kept.xlsx");
    QVERIFY(SheetFile::write(path, "Sheet1", {{"old"}}));
    const QByteArray before = fileBytes(path);
    // A sheet name a workbook cannot hold, a text longer than a cell holds, a name of another kind.
    QVERIFY(!SheetFile::write(path, "Sheet[1]", {{"new"}}));
    QVERIFY(!SheetFile::write(path, "Sheet1", {{QString(40000, 'x')}}));
    QCOMPARE(fileBytes(path), before);
    QVERIFY(!SheetFile::write(m_dir.filePath("roster.ods"), "Sheet1", {{"new"}}));
    QVERIFY(!QFile::exists(m_dir.filePath("roster.ods")));
    // A folder that does not exist.
    QVERIFY(!SheetFile::write(m_dir.filePath("no/such/roster.csv"), "Sheet1", {{"new"}}));
    QVERIFY(!SheetFile::write(m_dir.filePath("no/such/roster.xlsx"), "Sheet1", {{"new"}}));
    QVERIFY(!QFile::exists(m_dir.filePath("no")));
}

QTEST_GUILESS_MAIN(TestSheetFiles)
#include "testsheetfiles.moc"
