#include "core/seating/seatplanmodel.h"

SeatPlanModel::SeatPlanModel(QString planPath, QObject *parent) : QObject(parent), m_file(std::move(planPath))
{}

void SeatPlanModel::load()
{
    m_carried = -1;
    m_table = m_file.load();
    emit seatsChanged();
}

void SeatPlanModel::generate(const SeatGrid &grid)
{
    m_carried = -1;
    m_table = SeatTable::grid(grid);
    emit seatsChanged();
}

void SeatPlanModel::deleteAll()
{
    m_carried = -1;
    m_table.clear();
    emit seatsChanged();
}

bool SeatPlanModel::regenerate(const SeatGrid &grid)
{
    deleteAll();
    generate(grid);
    return save();
}

bool SeatPlanModel::save() const
{
    return m_file.save(m_table);
}

void SeatPlanModel::setPicture(const QImage &picture)
{
    m_picture = picture;
    emit pictureChanged();
}

void SeatPlanModel::setMoving(bool moving)
{
    if (!moving)
        m_carried = -1;
    if (m_moving == moving)
        return;
    m_moving = moving;
    emit movingChanged();
}

void SeatPlanModel::click(int index)
{
    if (index < 0 || index >= m_table.count())
        return;
    if (!m_moving) {
        emit seatClicked(index);
        return;
    }
    m_carried = m_carried < 0 ? index : -1;
}

void SeatPlanModel::carryTo(QPoint topLeft)
{
    if (m_carried < 0)
        return;
    m_table.moveSeat(m_carried, topLeft);
    emit seatMoved(m_carried);
}

void SeatPlanModel::drop()
{
    m_carried = -1;
}
