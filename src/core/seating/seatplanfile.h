#pragma once

#include "core/seating/seattable.h"

#include <QString>

// The hall's seat plan on disk, `System/seat.ini` below the data root: section `appInfo` with the seat
// count, then one section `Control<n>` per seat with its caption and rectangles. The one loader of the
// room pages and the discussion page's seat map.
class SeatPlanFile final
{
public:
    static QString relativePath() { return QStringLiteral("System/seat.ini"); }

    explicit SeatPlanFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    // The plan as stored; a missing or unreadable file is an empty plan. A damaged file still loads: a
    // missing or non-numeric number reads as 0, a count is held to 0..SeatTable::MaxSeats, and every
    // seat gets the seat size at the top-left corner the file gives (never left of or above the
    // content), so a seat always shows and can be moved back.
    SeatTable load() const;
    // Writes the whole plan in one step through a temporary file, so a crash leaves the old plan or the
    // new one. False when the file could not be written; it is then unchanged.
    bool save(const SeatTable &table) const;

private:
    QString m_path;
};
