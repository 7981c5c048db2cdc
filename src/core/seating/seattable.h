#pragma once

#include <QList>
#include <QRect>
#include <QString>

// One seat of the hall's plan: the seat picture's rectangle and the caption label's under it, in pixels
// of the seat view's content (its top-left corner is 0,0, whatever the view is scrolled to).
struct SeatRecord
{
    QString caption;
    QRect button;
    QRect label;

    bool operator==(const SeatRecord &) const = default;
};

// How a grid plan is laid out: `seats` seats numbered 1..seats, row by row.
struct SeatGrid
{
    int seats = 0;
    int perRow = 12;
    int gapX = 10;
    int gapY = 30;
};

// The seats of the hall, addressed by index (seat number - 1). The room pages of the system setup and the
// seat map of the discussion page both hold one, filled by the same loader (SeatPlanFile). A table never
// holds more than MaxSeats: the seat buttons were numbered in a range of 255.
class SeatTable final
{
public:
    static constexpr int MaxSeats = 255;
    // Every seat is the size of the seat pictures, with a caption line under it.
    static constexpr int SeatSide = 42;
    static constexpr int LabelHeight = 15;

    int count() const { return int(m_seats.size()); }
    bool isEmpty() const { return m_seats.isEmpty(); }
    const SeatRecord &at(int index) const { return m_seats.at(index); }
    const QList<SeatRecord> &seats() const { return m_seats; }

    void clear() { m_seats.clear(); }
    // False, and nothing added, when the table is full.
    bool append(const QString &caption, QPoint topLeft);

    // Places the seat's picture with its top-left corner at `topLeft` (held inside the content, which
    // starts at 0,0) and its label right under it.
    void moveSeat(int index, QPoint topLeft);
    // The seat under a point of the content, its picture or its label; -1 for none. Later seats lie on
    // top of earlier ones, as they are drawn.
    int seatAt(QPoint point) const;
    // What the seats cover, labels included; empty for no seats.
    QRect bounds() const;

    // Seats 1..min(seats, MaxSeats) in rows of `perRow` (at least 1), each captioned with its number.
    static SeatTable grid(const SeatGrid &grid);

    bool operator==(const SeatTable &) const = default;

private:
    QList<SeatRecord> m_seats;
};
