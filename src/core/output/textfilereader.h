#pragma once

#include "core/output/codepage.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

// Reads the plain text files the text player shows: UTF-8 or UTF-16 with a byte-order mark, UTF-8
// without one when the bytes are valid UTF-8, and otherwise the legacy code page of the operator's
// language, in which such files were saved (GBK for Chinese, Windows-1252 for English and Portuguese: a
// "São" from a Western file must not come out as Chinese). Lines come back each followed by "\n",
// whatever ended them in the file.
class TextFileReader final
{
public:
    TextFileReader() = delete;

    static QString decode(QByteArrayView bytes, int legacyCodePage = CodePage::ChineseSimplified);
    // None when the file cannot be read.
    static std::optional<QString> read(const QString &path, int legacyCodePage = CodePage::ChineseSimplified);
    // The legacy code page of an interface language code ("0" Chinese, "1" English, "2" Portuguese).
    static int legacyCodePageOf(const QString &languageCode);
};
