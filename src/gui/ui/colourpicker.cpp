#include "gui/ui/colourpicker.h"

#include <QPainter>
#include <QPixmap>

#include "core/output/colourlist.h"
#include "core/output/screengeometry.h"

namespace {

QIcon swatch(const QColor &colour, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(96, 96, 96));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), 2, 2);
    return QIcon(pixmap);
}

} // namespace

ColourPicker::ColourPicker(QWidget *parent) : QComboBox(parent)
{
    const QSize size(36, 14);
    setIconSize(size);
    for (int i = 0; i < ColourList::Count; ++i) {
        const quint32 value = ColourList::values()[size_t(i)];
        // The swatch is the entry; the value rides along for the settings and for tests.
        addItem(swatch(ColourList::colour(i), size), QString(), QVariant::fromValue(value));
    }
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            emit colourPicked(ColourList::values()[size_t(index)]);
    });
}

bool ColourPicker::setColour(quint32 bgr)
{
    const int index = ColourList::indexOf(bgr);
    setCurrentIndex(index);
    return index >= 0;
}

quint32 ColourPicker::colour() const
{
    const int index = currentIndex();
    return index >= 0 ? ColourList::values()[size_t(index)] : 0;
}

QColor ColourPicker::currentColour() const
{
    return ScreenGeometry::colourFromBgr(colour());
}
