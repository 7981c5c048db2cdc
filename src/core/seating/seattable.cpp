#include "core/seating/seattable.h"

#include <algorithm>

namespace {
QRect seatRect(QPoint topLeft)
{
    return QRect(topLeft, QSize(SeatTable::SeatSide, SeatTable::SeatSide));
}

QRect labelRect(const QRect &button)
{
    return QRect(button.left(), button.bottom() + 1, SeatTable::SeatSide, SeatTable::LabelHeight);
}
} // namespace

bool SeatTable::append(const QString &caption, QPoint topLeft)
{
    if (count() >= MaxSeats)
        return false;
    const QRect button = seatRect(QPoint(std::max(0, topLeft.x()), std::max(0, topLeft.y())));
    m_seats.append({caption, button, labelRect(button)});
    return true;
}

void SeatTable::moveSeat(int index, QPoint topLeft)
{
    if (index < 0 || index >= count())
        return;
    SeatRecord &seat = m_seats[index];
    seat.button = seatRect(QPoint(std::max(0, topLeft.x()), std::max(0, topLeft.y())));
    seat.label = labelRect(seat.button);
}

int SeatTable::seatAt(QPoint point) const
{
    for (int i = count() - 1; i >= 0; --i) {
        const SeatRecord &seat = m_seats.at(i);
        if (seat.button.contains(point) || seat.label.contains(point))
            return i;
    }
    return -1;
}

QRect SeatTable::bounds() const
{
    QRect all;
    for (const SeatRecord &seat : m_seats)
        all = all.united(seat.button).united(seat.label);
    return all;
}

SeatTable SeatTable::grid(const SeatGrid &grid)
{
    SeatTable table;
    const int seats = std::clamp(grid.seats, 0, MaxSeats);
    // A row of no seats would never fill: one seat a row is the least a row can hold.
    const int perRow = std::max(1, grid.perRow);
    const int stepX = std::max(0, grid.gapX) + SeatSide;
    const int stepY = std::max(0, grid.gapY) + SeatSide;
    for (int p = 0; p < seats; ++p)
        table.append(QString::number(p + 1), QPoint((p % perRow) * stepX, (p / perRow) * stepY));
    return table;
}
