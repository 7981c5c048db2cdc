#pragma once

#include "core/seating/seatplanfile.h"
#include "core/seating/seattable.h"

#include <QImage>
#include <QObject>

// What the room seat view shows: the seat table, the room picture behind it, and the seat being carried
// while seats are moved. Its methods are the view's commands (load, generate, delete all, regenerate and
// save, save, picture on and off, moving on and off); the view only draws the model and reports clicks
// and mouse moves by seat index and content position.
class SeatPlanModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SeatPlanModel)

public:
    explicit SeatPlanModel(QString planPath, QObject *parent = nullptr);

    const SeatTable &table() const { return m_table; }
    const QImage &picture() const { return m_picture; }
    bool isMoving() const { return m_moving; }
    // The seat picked up while moving, -1 for none.
    int carried() const { return m_carried; }

    // The plan as stored (an empty one when there is none).
    void load();
    void generate(const SeatGrid &grid);
    void deleteAll();
    // Deletes every seat, generates the grid and saves it; false when the save failed.
    bool regenerate(const SeatGrid &grid);
    bool save() const;

    void setPicture(const QImage &picture);
    void clearPicture() { setPicture({}); }

    // Moving off also drops a carried seat where it stands.
    void setMoving(bool moving);
    // A click on a seat: while moving it picks the seat up, or drops the one carried; otherwise it only
    // reports the seat.
    void click(int index);
    // The carried seat follows the pointer: its picture's top-left corner goes to `topLeft`.
    void carryTo(QPoint topLeft);
    void drop();

signals:
    // The seats were replaced, or one was added or removed.
    void seatsChanged();
    void seatMoved(int index);
    void pictureChanged();
    void movingChanged();
    // A seat was clicked with moving off (the discussion page puts its keypad into a field).
    void seatClicked(int index);

private:
    SeatPlanFile m_file;
    SeatTable m_table;
    QImage m_picture;
    bool m_moving = false;
    int m_carried = -1;
};
