#include "gui/ui/picturebackground.h"

#include <QPalette>
#include <QPixmap>
#include <QWidget>

void setPictureBackground(QWidget *window, const QString &picturePath)
{
    const QPixmap picture(picturePath);
    QPalette palette = window->palette();
    if (picture.isNull())
        palette.setColor(QPalette::Window, QColor(0x1d, 0x2b, 0x3f)); // the artwork's ground colour
    else
        palette.setBrush(QPalette::Window, QBrush(picture));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}
