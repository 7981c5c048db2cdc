#include "core/output/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <string_view>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define QUORIX_HAVE_ICONV 1
#endif

namespace {

// cp1252's 0x80..0x9F; the five holes read as the C1 controls, as Windows itself maps them.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decode1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = uchar(bytes[i]);
        out[i] = b >= 0x80 && b < 0xA0 ? QChar(Cp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

QByteArray encode1252(QStringView text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        const auto *it = std::find(Cp1252High.cbegin(), Cp1252High.cend(), u);
        if (it == Cp1252High.cend())
            return {};
        out.append(char(0x80 + (it - Cp1252High.cbegin())));
    }
    return out;
}

const char *nameOf(int codePage)
{
    switch (codePage) {
    case 874:
        return "windows-874";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1250:
        return "windows-1250";
    case 1251:
        return "windows-1251";
    case 1253:
        return "windows-1253";
    case 1254:
        return "windows-1254";
    case 1255:
        return "windows-1255";
    case 1256:
        return "windows-1256";
    case 1257:
        return "windows-1257";
    case 1258:
        return "windows-1258";
    case 10000:
        return "macintosh";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 20127:
        return "US-ASCII";
    case 54936:
        return "GB18030";
    default:
        return nullptr;
    }
}

#ifdef QUORIX_HAVE_ICONV
const char *iconvNameOf(int codePage)
{
    switch (codePage) {
    case 932:
        return "CP932";
    case 936:
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 10000:
        return "MACINTOSH";
    default:
        return nameOf(codePage);
    }
}

// One conversion through iconv; `ok` false when the converter is missing or a character did not convert.
QByteArray viaIconv(const char *to, const char *from, QByteArrayView in, bool &ok)
{
    ok = false;
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return {};
    QByteArray out(in.size() * 4 + 16, Qt::Uninitialized);
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = size_t(in.size());
    char *dst = out.data();
    size_t dstLeft = size_t(out.size());
    ok = true;
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
            continue;
        ok = false;
        if (std::string_view(to) != "UTF-16LE" || dstLeft < 2)
            break;
        // An undecodable byte reads as U+FFFD and decoding goes on after it.
        *dst++ = char(0xFD);
        *dst++ = char(0xFF);
        dstLeft -= 2;
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    out.truncate(out.size() - qsizetype(dstLeft));
    return out;
}
#endif

} // namespace

bool CodePage::isSupported(int codePage)
{
    if (codePage == Western || codePage == Utf8)
        return true;
    const char *name = nameOf(codePage);
    if (!name)
        return false;
    if (QStringDecoder(name).isValid())
        return true;
#ifdef QUORIX_HAVE_ICONV
    iconv_t cd = iconv_open("UTF-16LE", iconvNameOf(codePage));
    if (cd != iconv_t(-1)) {
        iconv_close(cd);
        return true;
    }
#endif
    return false;
}

QString CodePage::decode(int codePage, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    // Every code page here keeps ASCII as it is; most runs are plain ASCII.
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return uchar(b) < 0x80; }))
        return QString::fromLatin1(bytes);
    if (codePage == Western || codePage == 0)
        return decode1252(bytes);
    if (codePage == Utf8)
        return QString::fromUtf8(bytes);
    if (const char *name = nameOf(codePage)) {
        QStringDecoder decoder(name, QStringDecoder::Flag::Stateless);
        if (decoder.isValid())
            return decoder(bytes);
#ifdef QUORIX_HAVE_ICONV
        bool ok = false;
        const QByteArray utf16 = viaIconv("UTF-16LE", iconvNameOf(codePage), bytes, ok);
        if (!utf16.isEmpty() || ok)
            return QString(reinterpret_cast<const QChar *>(utf16.constData()), utf16.size() / 2);
#endif
    }
    return QString::fromLatin1(bytes);
}

QByteArray CodePage::encode(int codePage, QStringView text)
{
    if (codePage == Western)
        return encode1252(text);
    if (codePage == Utf8)
        return text.toUtf8();
    const char *name = nameOf(codePage);
    if (!name)
        return {};
    QStringEncoder encoder(name, QStringEncoder::Flag::Stateless);
    if (encoder.isValid()) {
        QByteArray bytes = encoder(text);
        return encoder.hasError() ? QByteArray() : bytes;
    }
#ifdef QUORIX_HAVE_ICONV
    bool ok = false;
    const QByteArray bytes =
        viaIconv(iconvNameOf(codePage), "UTF-16LE",
                 QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * 2), ok);
    return ok ? bytes : QByteArray();
#else
    return {};
#endif
}

int CodePage::fromCharset(int charset)
{
    switch (charset) {
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 77:
        return 10000;
    case 255:
        return 437;
    default:
        return 0; // ANSI, default, symbol and the rest follow the document
    }
}
