#include "core/output/xlsxreader.h"

#include <QHash>
#include <QXmlStreamReader>

#include "core/output/sheetgrid.h"
#include "core/output/xlsxnumberformat.h"
#include "core/output/xlsxpackage.h"

using namespace Qt::StringLiterals;

namespace {

using Failure = SheetReading::Failure;
using Kind = XlsxNumberFormat::Kind;

struct SheetEntry
{
    QString name;
    QString relationshipId;
};

struct Workbook
{
    QList<SheetEntry> sheets;
    bool date1904 = false;
};

// Text in an element may carry characters XML cannot hold as _xHHHH_ (a line break as _x000D_).
QString unescaped(const QString &text)
{
    if (!text.contains(u"_x"))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            bool ok = false;
            const ushort code = QStringView(text).sliced(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The text of a string item (<si> or <is>): its <t>, or the <t> of each rich-text run, leaving out the
// phonetic guides (<rPh>) that East Asian workbooks add. The reader stands on the item's start.
QString stringItem(QXmlStreamReader &xml)
{
    QString text;
    int phonetic = 0;
    const QString item = xml.name().toString();
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == item)
                break;
        }
    }
    return unescaped(text);
}

Workbook readWorkbook(const QByteArray &bytes, Failure &failure)
{
    Workbook book;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const auto v = xml.attributes().value("date1904"_L1);
            book.date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"sheet") {
            SheetEntry sheet;
            for (const QXmlStreamAttribute &a : xml.attributes()) {
                if (a.name() == u"name" && a.namespaceUri().isEmpty())
                    sheet.name = a.value().toString();
                else if (a.name() == u"id" && !a.namespaceUri().isEmpty())
                    sheet.relationshipId = a.value().toString();
            }
            book.sheets.append(sheet);
        }
    }
    if (xml.hasError())
        failure = Failure::Damaged;
    return book;
}

QStringList readSharedStrings(const QByteArray &bytes, const SheetLimits &limits, Failure &failure)
{
    QStringList strings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"si")
            continue;
        if (strings.size() >= limits.cells) {
            failure = Failure::TooLarge;
            return {};
        }
        strings.append(stringItem(xml));
    }
    if (xml.hasError())
        failure = Failure::Damaged;
    return strings;
}

// The kind of number each cell style shows, by the style's index.
QList<Kind> readStyles(const QByteArray &bytes, const SheetLimits &limits, Failure &failure)
{
    QHash<int, Kind> codes;
    QList<Kind> styles;
    QXmlStreamReader xml(bytes);
    bool cellStyles = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == u"cellXfs")
            cellStyles = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"numFmt") {
            codes.insert(a.value("numFmtId"_L1).toInt(), XlsxNumberFormat::ofCode(a.value("formatCode"_L1)));
        } else if (xml.name() == u"cellXfs") {
            cellStyles = true;
        } else if (xml.name() == u"xf" && cellStyles) {
            if (styles.size() >= limits.cells)
                break;
            const int id = a.value("numFmtId"_L1).toInt();
            styles.append(codes.value(id, XlsxNumberFormat::ofBuiltIn(id)));
        }
    }
    if (xml.hasError())
        failure = Failure::Damaged;
    return styles;
}

// "BC12" as row 11 and column 54, counted from 0. False for anything else.
bool parseReference(QStringView ref, qint64 &row, qint64 &column)
{
    qsizetype i = 0;
    qint64 c = 0;
    while (i < ref.size() && i < 3 && ref[i] >= u'A' && ref[i] <= u'Z')
        c = c * 26 + (ref[i++].unicode() - u'A' + 1);
    bool ok = false;
    const qint64 r = i > 0 ? ref.sliced(i).toLongLong(&ok) : 0;
    if (!ok || r < 1 || r > 1048576 || c > 16384 || !ref.sliced(i).front().isDigit())
        return false;
    row = r - 1;
    column = c - 1;
    return true;
}

class SheetParser
{
public:
    SheetParser(const QStringList &strings, const QList<Kind> &styles, bool date1904,
                const SheetLimits &limits)
        : m_strings(strings), m_styles(styles), m_date1904(date1904), m_grid(limits)
    {}

    Failure run(const QByteArray &bytes)
    {
        QXmlStreamReader xml(bytes);
        qint64 row = -1;
        qint64 column = -1;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"row") {
                // A row without its number follows the one before.
                const auto r = xml.attributes().value("r"_L1);
                bool ok = true;
                const qint64 number = r.isEmpty() ? row + 2 : r.toLongLong(&ok);
                if (!ok || number < 1 || number > 1048576)
                    return Failure::Damaged;
                row = number - 1;
                column = -1;
            } else if (xml.name() == u"c") {
                const QXmlStreamAttributes a = xml.attributes();
                const auto ref = a.value("r"_L1);
                if (ref.isEmpty()) {
                    ++column;
                    row = std::max<qint64>(row, 0);
                } else if (!parseReference(ref, row, column)) {
                    return Failure::Damaged;
                }
                Failure failure = Failure::None;
                const QString text = cell(xml, a.value("t"_L1).toString(), a.value("s"_L1).toInt(), failure);
                if (failure != Failure::None)
                    return failure;
                if (!m_grid.put(row, column, text))
                    return Failure::TooLarge;
            }
        }
        return xml.hasError() ? Failure::Damaged : Failure::None;
    }

    QList<QStringList> takeRows() { return m_grid.takeRows(); }

private:
    // The text of the cell the reader stands on; the reader ends on the cell's end.
    QString cell(QXmlStreamReader &xml, const QString &type, int style, Failure &failure)
    {
        QString value;
        QString inlineText;
        bool hasValue = false;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement && xml.name() == u"c")
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"v") {
                value = xml.readElementText(QXmlStreamReader::SkipChildElements);
                hasValue = true;
            } else if (xml.name() == u"is") {
                inlineText = stringItem(xml);
            } else {
                xml.skipCurrentElement(); // formulas and extensions
            }
        }
        if (type == u"inlineStr")
            return inlineText;
        if (!hasValue)
            return {};
        if (type == u"s") {
            bool ok = false;
            const qint64 index = value.trimmed().toLongLong(&ok);
            if (!ok || index < 0 || index >= m_strings.size()) {
                failure = Failure::Damaged;
                return {};
            }
            return m_strings.at(index);
        }
        if (type == u"b")
            return value.trimmed() == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        if (type == u"str" || type == u"e" || type == u"d")
            return unescaped(value);
        if (value.trimmed().isEmpty())
            return {};
        bool ok = false;
        const double number = value.trimmed().toDouble(&ok);
        if (!ok) {
            failure = Failure::Damaged;
            return {};
        }
        const Kind kind = style >= 0 && style < m_styles.size() ? m_styles.at(style) : Kind::Number;
        return XlsxNumberFormat::text(number, kind, m_date1904);
    }

    const QStringList &m_strings;
    const QList<Kind> &m_styles;
    bool m_date1904;
    SheetGrid m_grid;
};

} // namespace

SheetReading XlsxReader::read(QByteArrayView bytes, const QString &sheetName, const SheetLimits &limits)
{
    XlsxPackage package(bytes, limits);
    if (package.failure() != Failure::None)
        return SheetReading::failed(package.failure());

    const auto fail = [&package](Failure otherwise) {
        return SheetReading::failed(package.failure() != Failure::None ? package.failure() : otherwise);
    };

    QString workbookPart = XlsxPackage::find(package.relationships(QString()), u"officeDocument").target;
    if (workbookPart.isEmpty())
        workbookPart = QStringLiteral("xl/workbook.xml");
    QByteArray bytesOfPart;
    if (!package.read(workbookPart, bytesOfPart))
        return fail(Failure::NotASheet);
    Failure failure = Failure::None;
    const Workbook book = readWorkbook(bytesOfPart, failure);
    if (failure != Failure::None || book.sheets.isEmpty())
        return fail(Failure::Damaged);

    const QList<XlsxPackage::Relationship> links = package.relationships(workbookPart);
    const SheetEntry *chosen = &book.sheets.first();
    for (const SheetEntry &sheet : book.sheets) {
        if (sheet.name.compare(sheetName, Qt::CaseInsensitive) == 0) {
            chosen = &sheet;
            break;
        }
    }
    QString sheetPart;
    for (const XlsxPackage::Relationship &link : links) {
        if (link.id == chosen->relationshipId)
            sheetPart = link.target;
    }
    if (sheetPart.isEmpty())
        return fail(Failure::Damaged);

    QStringList strings;
    const QString stringsPart = XlsxPackage::find(links, u"sharedStrings").target;
    if (!stringsPart.isEmpty() && package.read(stringsPart, bytesOfPart))
        strings = readSharedStrings(bytesOfPart, limits, failure);
    QList<Kind> styles;
    const QString stylesPart = XlsxPackage::find(links, u"styles").target;
    if (failure == Failure::None && !stylesPart.isEmpty() && package.read(stylesPart, bytesOfPart))
        styles = readStyles(bytesOfPart, limits, failure);
    if (failure != Failure::None || package.failure() != Failure::None)
        return fail(failure);

    if (!package.read(sheetPart, bytesOfPart))
        return fail(Failure::Damaged);
    SheetParser parser(strings, styles, book.date1904, limits);
    failure = parser.run(bytesOfPart);
    if (failure != Failure::None)
        return SheetReading::failed(failure);

    SheetReading reading;
    reading.sheetName = chosen->name;
    reading.rows = parser.takeRows();
    return reading;
}
