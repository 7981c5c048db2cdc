#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows code pages the stored documents and text files come in (rich text escapes, legacy text
// files). Qt's own converters know only the Unicode forms; the others go through the ICU-backed named
// converters where Qt has them, else through the C library's iconv, and cp1252 is built in.
class CodePage final
{
public:
    static constexpr int Western = 1252;
    static constexpr int ChineseSimplified = 936;
    static constexpr int Utf8 = 65001;

    CodePage() = delete;

    static bool isSupported(int codePage);
    // Undecodable bytes become U+FFFD; an unknown code page reads as Latin-1 rather than losing text.
    static QString decode(int codePage, QByteArrayView bytes);
    // The bytes of one text in the code page; empty when the code page cannot hold all of it.
    static QByteArray encode(int codePage, QStringView text);
    // The code page a rich-text font charset (\fcharsetN) implies; 0 for "as the document says".
    static int fromCharset(int charset);
};
