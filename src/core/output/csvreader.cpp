#include "core/output/csvreader.h"

#include <QStringDecoder>

#include "core/output/codepage.h"
#include "core/output/sheetgrid.h"

namespace {

constexpr int Gb18030 = 54936;

// The separator the first record uses most; the comma wins a tie, as the format names it.
QChar separatorOf(QStringView text)
{
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\n' || c == u'\r')
            break;
        else if (c == u',')
            ++commas;
        else if (c == u';')
            ++semicolons;
        else if (c == u'\t')
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return u';';
    if (tabs > commas && tabs > semicolons)
        return u'\t';
    return u',';
}

} // namespace

QString CsvReader::decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return utf16(bytes.sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        return utf16(bytes.sliced(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::decode(Gb18030, bytes);
}

SheetReading CsvReader::read(QByteArrayView bytes, const SheetLimits &limits)
{
    if (bytes.size() > limits.fileBytes)
        return SheetReading::failed(SheetReading::Failure::TooLarge);
    const QString text = decode(bytes);
    // Text files hold no NUL; one that does is a binary file of some other kind.
    if (text.contains(QChar(0)))
        return SheetReading::failed(SheetReading::Failure::NotASheet);

    QStringView rest(text);
    QChar separator = separatorOf(rest);
    if (rest.size() >= 5 && rest.first(4).compare(u"sep=", Qt::CaseInsensitive) == 0 &&
        (rest.size() == 5 || rest[5] == u'\r' || rest[5] == u'\n')) {
        separator = rest[4];
        rest = rest.sliced(5);
        if (rest.startsWith(u"\r\n"))
            rest = rest.sliced(2);
        else if (!rest.isEmpty())
            rest = rest.sliced(1);
    }

    SheetGrid grid(limits);
    qint64 row = 0;
    qint64 column = 0;
    QString field;
    bool pending = false; // a field has begun on this line
    const qsizetype n = rest.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = rest[i];
        if (c == u'"' && field.isEmpty() && !pending) {
            // A quoted field runs to the next lone quote; a doubled quote inside stands for one.
            pending = true;
            for (++i; i < n; ++i) {
                if (rest[i] != u'"') {
                    field += rest[i];
                } else if (i + 1 < n && rest[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        if (c == separator) {
            if (!grid.put(row, column, field))
                return SheetReading::failed(SheetReading::Failure::TooLarge);
            field.clear();
            pending = false;
            ++column;
            ++i;
            continue;
        }
        if (c == u'\r' || c == u'\n') {
            if (!grid.put(row, column, field))
                return SheetReading::failed(SheetReading::Failure::TooLarge);
            field.clear();
            pending = false;
            column = 0;
            ++row;
            i += c == u'\r' && i + 1 < n && rest[i + 1] == u'\n' ? 2 : 1;
            continue;
        }
        // Text after a closing quote is kept, as spreadsheet programs keep it.
        field += c;
        pending = true;
        ++i;
    }
    if (!grid.put(row, column, field))
        return SheetReading::failed(SheetReading::Failure::TooLarge);

    SheetReading reading;
    reading.rows = grid.takeRows();
    return reading;
}
