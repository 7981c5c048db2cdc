#include "core/output/screengeometry.h"

#include "core/store/settingsrecord.h"
#include "core/store/textnumber.h"

#include <algorithm>

ScreenGeometry ScreenGeometry::fromSettings(const SettingsRecord &settings, int primaryWidth)
{
    ScreenGeometry g;
    g.rect = QRect(QPoint(primaryWidth, 0), sizeFromText(settings.ScrSize));
    g.background = colourFromText(settings.ScrColor);
    g.text = colourFromText(settings.ScrTextColor);
    return g;
}

QSize ScreenGeometry::sizeFromText(const QString &scrSize)
{
    // Each side is read up to its first non-digit, so "1024*768*2" is 1024 x 768.
    const qsizetype star = scrSize.indexOf(u'*');
    const int width = textNumber(star < 0 ? scrSize : scrSize.left(star));
    const int height = star < 0 ? 0 : textNumber(scrSize.mid(star + 1));
    return QSize(std::max(0, width), std::max(0, height));
}

QColor ScreenGeometry::colourFromText(const QString &decimal)
{
    // Read as the platform read it (blanks, a sign, digits) but in unsigned arithmetic, so a value past
    // the int range still keeps its low bits instead of being held at a limit.
    qsizetype i = 0;
    while (i < decimal.size() && (decimal[i] == u' ' || decimal[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < decimal.size() && (decimal[i] == u'-' || decimal[i] == u'+'))
        negative = decimal[i++] == u'-';
    quint32 value = 0;
    for (; i < decimal.size() && decimal[i] >= u'0' && decimal[i] <= u'9'; ++i)
        value = value * 10u + quint32(decimal[i].unicode() - u'0');
    if (negative)
        value = 0u - value;
    return colourFromBgr(value);
}

QColor ScreenGeometry::colourFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFFu), int((bgr >> 8) & 0xFFu), int((bgr >> 16) & 0xFFu));
}

quint32 ScreenGeometry::bgrFromColour(const QColor &colour)
{
    const QColor c = colour.toRgb();
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}
