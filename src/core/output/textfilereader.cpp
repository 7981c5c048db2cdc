#include "core/output/textfilereader.h"

#include <QFile>
#include <QStringDecoder>

#include "core/output/codepage.h"

namespace {

QString decodeBody(QByteArrayView bytes, int legacyCodePage)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return d(bytes.sliced(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        return d(bytes.sliced(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::decode(legacyCodePage, bytes);
}

} // namespace

int TextFileReader::legacyCodePageOf(const QString &languageCode)
{
    return languageCode == QLatin1String("0") ? CodePage::ChineseSimplified : CodePage::Western;
}

QString TextFileReader::decode(QByteArrayView bytes, int legacyCodePage)
{
    const QString body = decodeBody(bytes, legacyCodePage);
    QString joined;
    joined.reserve(body.size() + 1);
    qsizetype start = 0;
    while (start < body.size()) {
        qsizetype end = body.indexOf(u'\n', start);
        const bool last = end < 0;
        if (last)
            end = body.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && body[lineEnd - 1] == u'\r')
            --lineEnd;
        joined += QStringView(body).sliced(start, lineEnd - start);
        joined += u'\n';
        start = end + 1;
    }
    return joined;
}

std::optional<QString> TextFileReader::read(const QString &path, int legacyCodePage)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decode(bytes, legacyCodePage);
}
