#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The bounds every spreadsheet reader keeps, so that a damaged or hostile file ends in a refusal instead of
// exhausting memory: a zip of a few kilobytes can claim gigabytes once inflated, a row number can claim a
// million rows, a string count can claim a billion strings. Nothing a file claims is trusted for an
// allocation; what is actually read is counted against these.
struct SheetLimits
{
    qint64 fileBytes = 32 * 1024 * 1024;   // the file as stored
    qint64 partBytes = 64 * 1024 * 1024;   // one part of a workbook, uncompressed
    qint64 totalBytes = 128 * 1024 * 1024; // all parts read from one workbook, uncompressed
    int parts = 10000;                     // entries of a workbook's zip
    int rows = 1048576;                    // the last row that may hold a value
    int columns = 16384;                   // the columns read; cells to their right are left out
    qint64 cells = 4000000;                // values and shared strings kept
};

// What a reader found on one sheet: rows of texts, each row as long as its last non-empty cell, the rows
// ending at the last row that holds a value. Every value is a text as the spreadsheet shows it in a
// General cell: numbers without a needless ".0", dates as yyyy-MM-dd.
struct SheetReading
{
    enum class Failure
    {
        None,
        Unreadable, // the file cannot be opened or read
        NotASheet,  // neither a workbook nor text
        Damaged,    // a workbook whose structure is broken
        TooLarge,   // beyond the limits
        Protected,  // encrypted or password protected
    };

    Failure failure = Failure::None;
    QString sheetName; // the sheet read; empty for a text file
    QList<QStringList> rows;

    bool ok() const { return failure == Failure::None; }
    static SheetReading failed(Failure failure);

    // A number as a General cell shows it: whole numbers below 10^15 with all their digits ("12",
    // "13800138000"), others with 15 significant digits ("0.1", "1e+20").
    static QString numberText(double value);
};
