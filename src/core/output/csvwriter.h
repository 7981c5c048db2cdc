#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Writes rows of texts as comma-separated values (RFC 4180): a field is quoted when it holds a comma, a
// quote or a line break, quotes inside doubled, records ended by CRLF. The text is UTF-8 with a byte-order
// mark, which is what makes common spreadsheet programs open it as UTF-8 rather than in the system's code
// page. CsvReader reads it back to the same rows.
class CsvWriter final
{
public:
    CsvWriter() = delete;

    static QByteArray encode(const QList<QStringList> &rows);
    // Written to a temporary name and renamed, so a reader never sees half a file; false when the file
    // could not be written, and then nothing at the path has changed.
    static bool write(const QString &path, const QList<QStringList> &rows);
};
