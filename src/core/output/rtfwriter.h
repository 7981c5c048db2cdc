#pragma once

#include <QByteArray>
#include <QString>

#include "core/output/codepage.h"

class QTextDocument;

// Writes a QTextDocument as rich text (RTF) the way word processors do: a font table and a colour table,
// one \pard ... \par per paragraph, text that is not ASCII as \uN followed by its bytes in the document's
// code page for readers that do not know \uN, pictures as PNG. RtfReader reads it back to the same
// document.
class RtfWriter final
{
public:
    RtfWriter() = delete;

    static QByteArray write(const QTextDocument &document, int codePage = CodePage::ChineseSimplified);
    // Written to a temporary name and renamed, so a reader never sees half a file.
    static bool writeFile(const QTextDocument &document, const QString &path,
                          int codePage = CodePage::ChineseSimplified);
};
