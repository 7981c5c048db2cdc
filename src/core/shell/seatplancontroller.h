#pragma once

#include "core/seating/roompicture.h"
#include "core/seating/seatplanmodel.h"

#include <QObject>

class DataRoot;
class OperatorNotifier;
class SystemDatabase;

// The editor bar of the room pages (Frmfound): creates and deletes the plan, rebuilds it as a grid, moves
// seats and sets the room picture, and keeps `SeatYesORNo` and `ico` in the settings. Each button's state
// lives here; the bar shows it. Every change that the operator could regret on a hand-arranged plan is
// asked first, and every failed store is reported and leaves the plan as the settings describe it.
class SeatPlanController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SeatPlanController)

public:
    struct Range
    {
        int low;
        int high;
        int initial;
    };
    // A row holds at least one seat: a row of none would never fill.
    static constexpr Range SeatsPerRow{1, 100, 12};
    static constexpr Range GapX{0, 100, 10};
    static constexpr Range GapY{0, 10000, 30};

    SeatPlanController(SystemDatabase &database, OperatorNotifier &notifier, const DataRoot &root,
                       QObject *parent = nullptr);

    SeatPlanModel &model() { return m_model; }
    const SeatPlanModel &model() const { return m_model; }

    // The bar opens: the spin values go back to their start, the plan and its picture are loaded when
    // the settings say there is a plan.
    void open();

    bool planExists() const { return m_planExists; }
    bool hasPicture() const { return !m_model.picture().isNull(); }
    bool isMoving() const { return m_model.isMoving(); }
    // Rebuild and move work on an existing plan only.
    bool isEditable() const { return m_planExists; }

    int seatsPerRow() const { return m_grid.perRow; }
    int gapX() const { return m_grid.gapX; }
    int gapY() const { return m_grid.gapY; }
    // Each is held to its range.
    void setSeatsPerRow(int value);
    void setGapX(int value);
    void setGapY(int value);

    // The configuration button: creates the plan (BtnClewNew) or deletes it (BtnClewDel), after asking.
    void pressConfiguration();
    // The update button: the plan again as a grid for the current keypad count, after asking.
    void pressUpdate();
    // The move button: moving on (BtnClewMove), or fixing the seats and saving the plan (BtnClewrivet).
    void pressMove();
    // The picture button with a picture shown: removes it after asking.
    void pressRemovePicture();
    // The picture dialog ended: with a file the picture is imported, with none (cancelled) the plan has
    // no picture any more.
    void pictureChosen(const QString &path);

    // The keypad count changed: a new plan is offered, or the existing one rebuilt for the new count,
    // each after asking.
    void rebuildForKeypadCount();

signals:
    // A button's caption or enabled state changed.
    void stateChanged();

private:
    SeatGrid currentGrid();
    bool storeSelection(bool exists);
    void storePicture(const QString &ico, const QImage &picture);
    void rebuild();
    void report(const char *key);
    bool ask(const char *key);

    SystemDatabase &m_database;
    OperatorNotifier &m_notifier;
    RoomPicture m_pictures;
    SeatPlanModel m_model;
    SeatGrid m_grid;
    bool m_planExists = false;
};
