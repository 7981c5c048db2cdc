#include "gui/ui/picturebutton.h"

#include <QPainter>
#include <QPainterPath>

PictureButton::PictureButton(const QString &photoFolder, const QString &baseName, QWidget *parent)
    : QAbstractButton(parent)
{
    const auto load = [&](const char *state) {
        return QPixmap(photoFolder + QLatin1Char('/') + baseName + QLatin1Char('_') + QLatin1String(state) +
                       QStringLiteral(".png"));
    };
    m_normal = load("normal");
    m_hover = load("hover");
    m_pressed = load("pressed");
    m_disabled = load("disabled");
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

QSize PictureButton::sizeHint() const
{
    return m_normal.isNull() ? QSize(128, 128) : m_normal.size();
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

const QPixmap &PictureButton::currentPicture() const
{
    if (!isEnabled())
        return m_disabled;
    if (isDown())
        return m_pressed;
    return m_hovered ? m_hover : m_normal;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPixmap &picture = currentPicture();
    if (!picture.isNull()) {
        painter.drawPixmap(rect(), picture);
    } else {
        QPainterPath tile;
        tile.addRoundedRect(QRectF(rect()).adjusted(4, 4, -4, -4), 16, 16);
        painter.fillPath(tile, isEnabled() ? QColor(0x2b, 0x4a, 0x6f) : QColor(0x8a, 0x93, 0x9e));
    }
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0x2a, 0x9d, 0x96), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 18, 18);
    }
}
