// Runs the .xlsx and .csv readers over thousands of damaged variants of real files: the zip bytes
// changed, cut or repeated; the XML inside changed and zipped again, so the damage reaches the XML
// readers too; text files with stray quotes, separators, line ends and byte-order marks. The variants
// come from a fixed seed, so a failure is repeatable; the sanitizer build turns any memory fault into a
// failure.
#include "core/output/csvreader.h"
#include "core/output/xlsxreader.h"

#include "sheetfixtures.h"

#include "core/output/csvwriter.h"
#include "core/output/workbookwriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char *const XmlTokens[] = {
    "<",
    ">",
    "/>",
    "</c>",
    "</row>",
    "<row>",
    "<row r=\"0\">",
    "<row r=\"1048577\">",
    "<row r=\"-1\">",
    "<c r=\"XFD1048576\">",
    "<c r=\"A\">",
    "<c r=\"ZZZZ9\">",
    "<c t=\"s\"><v>999999999999</v></c>",
    "<c t=\"s\"><v>-1</v></c>",
    "<c t=\"inlineStr\"><is>",
    "<is><r><t>x</t></r>",
    "<rPh><t>",
    "</rPh>",
    "<v>1e308</v>",
    "<v>nan</v>",
    "<v>-0</v>",
    "<v>2958466</v>",
    "<si>",
    "</si>",
    "<t>",
    "</t>",
    "_x0000_",
    "_xD800_",
    "_x",
    "&amp;",
    "&#0;",
    "&#xFFFF;",
    "&bogus;",
    "<![CDATA[",
    "]]>",
    "<!--",
    "<!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>",
    "&b;",
    "s=\"99999\"",
    "s=\"-5\"",
    "numFmtId=\"14\"",
    "formatCode=\"[h]:mm\"",
    "r:id=\"rId9\"",
    "Target=\"../../x\"",
    "Target=\"/\"",
    "date1904=\"1\"",
    "\xC3",
    "\xFF\xFE",
    "\0",
};

const char *const CsvTokens[] = {
    "\"",
    "\"\"",
    ",",
    ";",
    "\t",
    "\r",
    "\n",
    "\r\n",
    "sep=;\n",
    "sep=",
    "\xEF\xBB\xBF",
    "\xFF\xFE",
    "\xFE\xFF",
    "\xC3",
    "\xE4\xB8",
    "\x81\x30\x81\x30",
    "\0",
    "\xD5\xC5",
};

template <std::size_t N>
QByteArray mutate(QByteArray data, QRandomGenerator &random, const char *const (&tokens)[N])
{
    const int steps = 1 + int(random.bounded(4));
    for (int s = 0; s < steps; ++s) {
        const qsizetype size = data.size();
        const qsizetype at = size > 0 ? qsizetype(random.bounded(quint32(size))) : 0;
        switch (random.bounded(5)) {
        case 0: // cut short
            data.truncate(at);
            break;
        case 1: // change a byte
            if (size > 0)
                data[at] = char(random.bounded(256));
            break;
        case 2: { // drop in a piece of syntax
            const char *token = tokens[random.bounded(quint32(N))];
            data.insert(at, QByteArray(token, qsizetype(std::max<size_t>(1, std::strlen(token)))));
            break;
        }
        case 3: // remove a stretch
            data.remove(at, qsizetype(random.bounded(64)));
            break;
        default: { // repeat a stretch
            const QByteArray piece = data.mid(at, qsizetype(random.bounded(200)));
            data.insert(at, piece);
            break;
        }
        }
    }
    return data;
}

SheetLimits rosterLimits()
{
    SheetLimits limits;
    limits.rows = 2000;
    limits.columns = 10;
    limits.partBytes = 4 * 1024 * 1024;
    return limits;
}

// What every reading keeps to, whatever the file held.
bool withinLimits(const SheetReading &reading, const SheetLimits &limits)
{
    if (!reading.ok() && !reading.rows.isEmpty())
        return false;
    if (reading.rows.size() > limits.rows)
        return false;
    return std::all_of(reading.rows.cbegin(), reading.rows.cend(),
                       [&](const QStringList &row) { return row.size() <= limits.columns; });
}

} // namespace

class TestSheetFuzz final : public QObject
{
    Q_OBJECT

private slots:
    void damagedWorkbooksNeverBreakTheReader();
    void damagedTextNeverBreaksTheReader();
};

void TestSheetFuzz::damagedWorkbooksNeverBreakTheReader()
{
    QTemporaryDir dir;
    const QString written = dir.filePath("roster.xlsx");
    QList<QStringList> roster{{"Keypad", "Name", "Telephone"}};
    for (int i = 1; i <= 40; ++i)
        roster.append({QString::number(i), QString("代表 %1 \"Zé\"").arg(i), "13800138000"});
    QVERIFY(WorkbookWriter::write(written, {{"Sheet1", roster, {50, 110}, 1}, {"Other", {{"x"}}, {}, 0}}));
    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QByteArray> seeds{file.readAll()};
    seeds.append(SheetFixtures::xlsx(
        {{"Planilha1", R"(<row r="2"><c r="B2" t="s"><v>1</v></c><c r="A2" s="1"><v>45429.5</v></c></row>
                          <row><c t="inlineStr"><is><r><t>a</t></r><rPh><t>b</t></rPh></is></c><c><v>1.5E3</v></c></row>)"}},
        "<si><t>x_x000D_y</t></si><si><r><t>ri</t></r><r><t>ch</t></r></si>",
        R"(<numFmts><numFmt numFmtId="164" formatCode="yyyy-mm-dd"/></numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="164"/></cellXfs>)"));

    const SheetLimits limits = rosterLimits();
    QRandomGenerator random(20261208);
    QElapsedTimer clock;
    clock.start();
    int runs = 0;
    int readable = 0;
    // A fixed number of variants, not a time budget: a loaded machine must not fail the test by running fewer.
    for (; runs < 1000; ++runs) {
        const QByteArray &seed = seeds[runs % seeds.size()];
        QByteArray variant;
        if (runs % 3 == 0) {
            variant = mutate(seed, random, XmlTokens);
        } else {
            // Damage one part and zip the package again, so the XML readers meet the damage.
            SheetFixtures::Parts parts = SheetFixtures::unzip(seed);
            auto &[name, bytes] = parts[qsizetype(random.bounded(quint32(parts.size())))];
            bytes = mutate(bytes, random, XmlTokens);
            variant = SheetFixtures::zip(parts);
        }
        const SheetReading reading = XlsxReader::read(variant, "Sheet1", limits);
        QVERIFY2(withinLimits(reading, limits), qPrintable(QString("variant %1").arg(runs)));
        readable += reading.ok() ? 1 : 0;
    }
    // The damage must leave some files readable, or the XML readers were never reached.
    QVERIFY(readable > runs / 10);
    qInfo("%d variants, %d read, in %lld ms", runs, readable, qint64(clock.elapsed()));
}

void TestSheetFuzz::damagedTextNeverBreaksTheReader()
{
    QList<QByteArray> seeds{
        CsvWriter::encode({{"Keypad", "Name"}, {"1", "Ana \"Nita\", Jr."}, {"2", "王芳\nline"}, {"3", ""}}),
        QByteArray("Nº;Nome\r\n1;João\r\n"),
        QByteArray("sep=\t\n1\t2\n"),
    };
    const SheetLimits limits = rosterLimits();
    QRandomGenerator random(20261209);
    QElapsedTimer clock;
    clock.start();
    int runs = 0;
    for (; runs < 2000; ++runs) {
        const QByteArray variant = mutate(seeds[runs % seeds.size()], random, CsvTokens);
        const SheetReading reading = CsvReader::read(variant, limits);
        QVERIFY2(withinLimits(reading, limits), qPrintable(QString("variant %1").arg(runs)));
        // Every character read comes from at least one byte of the file.
        qsizetype characters = 0;
        for (const QStringList &row : reading.rows) {
            for (const QString &cell : row)
                characters += cell.size();
        }
        QVERIFY2(characters <= variant.size(), qPrintable(QString("variant %1").arg(runs)));
    }
    qInfo("%d variants in %lld ms", runs, qint64(clock.elapsed()));
}

QTEST_GUILESS_MAIN(TestSheetFuzz)
#include "testsheetfuzz.moc"
