#pragma once

#include "core/output/sheetreading.h"

#include <QByteArrayView>

// Reads comma-separated values (RFC 4180: fields in double quotes may hold separators, line breaks and
// doubled quotes) as one sheet. Files come from spreadsheet programs in several languages, so:
// - the text is UTF-8 or UTF-16 with a byte-order mark, UTF-8 without one when the bytes are valid UTF-8,
//   and otherwise GB18030, the code page Chinese Windows saves text in;
// - the separator is the comma, unless the first record uses semicolons or tabs and no commas (programs
//   in locales with a decimal comma save so), or a first line "sep=;" names it.
// Lines may end in CRLF, LF or CR.
class CsvReader final
{
public:
    CsvReader() = delete;

    static QString decode(QByteArrayView bytes);
    static SheetReading read(QByteArrayView bytes, const SheetLimits &limits = {});
};
