#include "gui/ui/seatmapview.h"

#include "core/output/displayfonts.h"
#include "core/seating/seatplanmodel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
const QColor Accent(0x2a, 0x9d, 0x96);
const QColor Ink(0x1e, 0x3a, 0x5f);
} // namespace

SeatMapView::SeatMapView(SeatPlanModel &model, const QString &photoFolder, QWidget *parent)
    : QAbstractScrollArea(parent), m_model(model), m_photoFolder(photoFolder),
      m_seat(photoFolder + QStringLiteral("/SeatClosed.png"))
{
    // The vertical bar always takes its room, so the width the picture is laid over never changes
    // when the plan grows past the visible height.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(LineStep);
    verticalScrollBar()->setSingleStep(LineStep);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(palette);

    connect(&m_model, &SeatPlanModel::seatsChanged, this, [this] {
        updateRanges();
        viewport()->update();
    });
    connect(&m_model, &SeatPlanModel::pictureChanged, this, [this] {
        updateRanges();
        viewport()->update();
    });
    connect(&m_model, &SeatPlanModel::seatMoved, this, [this] {
        updateRanges();
        viewport()->update();
    });
    connect(&m_model, &SeatPlanModel::movingChanged, viewport(), qOverload<>(&QWidget::update));
}

QSize SeatMapView::pictureSize() const
{
    const QImage &picture = m_model.picture();
    if (picture.isNull() || picture.width() <= 0)
        return {};
    const int width = viewport()->width();
    return QSize(width, int(qint64(picture.height()) * width / picture.width()));
}

QSize SeatMapView::contentSize() const
{
    const QRect seats = m_model.table().bounds();
    QSize size = viewport()->size().expandedTo(pictureSize());
    if (!seats.isEmpty())
        size = size.expandedTo(QSize(seats.right() + 1 + Margin, seats.bottom() + 1 + Margin));
    return size;
}

QPoint SeatMapView::contentOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint SeatMapView::toContent(QPoint viewportPoint) const
{
    return viewportPoint + contentOffset();
}

void SeatMapView::setLook(std::function<SeatLook(int index)> look)
{
    m_look = std::move(look);
    viewport()->update();
}

void SeatMapView::refresh()
{
    viewport()->update();
}

const QPixmap &SeatMapView::seatPicture(const QString &stem)
{
    auto found = m_pictures.find(stem);
    if (found == m_pictures.end())
        found = m_pictures.insert(stem,
                                  QPixmap(m_photoFolder + QLatin1Char('/') + stem + QStringLiteral(".png")));
    return *found;
}

void SeatMapView::updateRanges()
{
    const QSize content = contentSize();
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - visible.width()));
    verticalScrollBar()->setRange(0, std::max(0, content.height() - visible.height()));
    horizontalScrollBar()->setPageStep(visible.width());
    verticalScrollBar()->setPageStep(visible.height());
}

void SeatMapView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateRanges();
}

void SeatMapView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.translate(-contentOffset());
    const QImage &picture = m_model.picture();
    if (!picture.isNull())
        painter.drawImage(QRect(QPoint(0, 0), pictureSize()), picture);

    painter.setFont(DisplayFonts::arial(14));
    const SeatTable &table = m_model.table();
    for (int i = 0; i < table.count(); ++i) {
        const SeatRecord &seat = table.at(i);
        const SeatLook look = m_look ? m_look(i) : SeatLook{QString(), seat.caption, true};
        const QPixmap &drawn = look.picture.isEmpty() ? m_seat : seatPicture(look.picture);
        if (drawn.isNull()) {
            painter.setPen(Ink);
            painter.setBrush(QColor(0x5b, 0x63, 0x6e));
            painter.drawRoundedRect(seat.button.adjusted(2, 2, -2, -2), 6, 6);
        } else {
            painter.drawPixmap(seat.button, drawn);
        }
        painter.setPen(Ink);
        painter.drawText(seat.label, Qt::AlignCenter,
                         painter.fontMetrics().elidedText(look.label, Qt::ElideRight, seat.label.width()));
        if (i == m_model.carried()) {
            painter.setPen(QPen(Accent, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(seat.button.adjusted(1, 1, -1, -1));
        }
    }
}

void SeatMapView::mousePressEvent(QMouseEvent *event)
{
    const QPoint viewportPoint = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        m_model.drop();
        viewport()->update();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const int carried = m_model.carried();
    if (carried >= 0) {
        // Wherever the click lands, it lands on the carried seat: it stays where it is.
        m_model.click(carried);
        viewport()->update();
        return;
    }
    const QPoint point = toContent(viewportPoint);
    const int index = m_model.table().seatAt(point);
    if (index < 0 || (m_look && !m_look(index).enabled))
        return;
    m_grab = point - m_model.table().at(index).button.topLeft();
    m_pointer = viewportPoint;
    m_model.click(index);
    viewport()->update();
}

void SeatMapView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_model.carried() < 0)
        return;
    carryTo(event->position().toPoint());
    scrollTowards(event->position().toPoint());
}

void SeatMapView::carryTo(QPoint viewportPoint)
{
    m_pointer = viewportPoint;
    m_model.carryTo(toContent(viewportPoint) - m_grab);
}

// Carrying a seat to an edge of the visible area moves the view on, a line at a time.
void SeatMapView::scrollTowards(QPoint viewportPoint)
{
    const QRect inner = viewport()->rect().adjusted(LineStep, LineStep, -LineStep, -LineStep);
    if (viewportPoint.x() < inner.left())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (viewportPoint.x() > inner.right())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (viewportPoint.y() < inner.top())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (viewportPoint.y() > inner.bottom())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

void SeatMapView::scrollContentsBy(int, int)
{
    // The carried seat stays under the pointer: it moves through the content with the view.
    if (m_model.carried() >= 0)
        carryTo(m_pointer);
    viewport()->update();
}
