#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <QPixmap>
#include <QPoint>

#include <functional>

class SeatPlanModel;

// The hall's seat plan drawn over its room picture: the room seat view of the system setup and the seat
// map of the discussion page. It draws the model and forwards what the pointer does by seat index and
// content position; the model decides. The content scrolls in both directions over the whole plan, the
// picture and every seat, also while a seat is carried: the carried seat stays under the pointer while
// the view scrolls, and carrying it against an edge scrolls on.
class SeatMapView final : public QAbstractScrollArea
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SeatMapView)

public:
    // How one seat looks on a live map: its picture (a file stem in the photo folder, "SeatOpen"), the
    // label under it, and whether a click on it counts.
    struct SeatLook
    {
        QString picture;
        QString label;
        bool enabled = true;
    };

    static constexpr int LineStep = 10;
    // Room left round the plan so that a seat can be carried past the last one.
    static constexpr int Margin = 60;

    SeatMapView(SeatPlanModel &model, const QString &photoFolder, QWidget *parent = nullptr);

    // The whole content in its own pixels: at least the visible area, the plan, and the picture.
    QSize contentSize() const;
    // The room picture is laid over the full width of the visible area, in its proportions, so seats
    // keep their place on it whatever the plan's extent.
    QSize pictureSize() const;
    QPoint contentOffset() const;
    QPoint toContent(QPoint viewportPoint) const;
    // A live map (the discussion page) gives every seat its own look; without one every seat is drawn
    // closed with its caption.
    void setLook(std::function<SeatLook(int index)> look);
    // The looks changed: the map is drawn again.
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateRanges();
    void carryTo(QPoint viewportPoint);
    void scrollTowards(QPoint viewportPoint);

    const QPixmap &seatPicture(const QString &stem);

    SeatPlanModel &m_model;
    QString m_photoFolder;
    QPixmap m_seat;
    std::function<SeatLook(int index)> m_look;
    QHash<QString, QPixmap> m_pictures;
    QPoint m_grab; // where in the carried seat it was taken
    QPoint m_pointer;
};
