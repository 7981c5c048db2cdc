#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Reads rich text (RTF) into a QTextDocument: paragraphs with alignment, indents and spacing; fonts,
// sizes, bold, italic, underline, strike-out, raised and lowered text, colours; the document's and the
// fonts' code pages with \'hh escapes; \uN with its fallback skipped; PNG, JPEG and bitmap pictures; table
// rows as paragraphs with the cells separated by tabs. What it does not know it skips. A damaged file
// gives what could be read; no input makes it fail.
class RtfReader final
{
public:
    RtfReader() = delete;

    // Replaces the document's content. False when the data does not begin as rich text; whatever it
    // held is still read as well as it goes.
    static bool read(QByteArrayView rtf, QTextDocument &document);
    // False, and the document unchanged, when the file cannot be read.
    static bool readFile(const QString &path, QTextDocument &document);
};
