#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

struct SettingsRecord;

// Where the hall screen's window goes and in which colours, from the settings texts: right of the
// operator's display, at the stored size, in the stored colours.
struct ScreenGeometry
{
    QRect rect;
    QColor background;
    QColor text;

    // left = the primary display's width, top = 0.
    static ScreenGeometry fromSettings(const SettingsRecord &settings, int primaryWidth);

    // "w*h": each side read from its leading digits, 0 where there are none; a text without "*" has
    // height 0.
    static QSize sizeFromText(const QString &scrSize);
    // A stored colour: a decimal number whose low 24 bits are 0x00BBGGRR; higher bits are ignored.
    static QColor colourFromText(const QString &decimal);
    static QColor colourFromBgr(quint32 bgr);
    static quint32 bgrFromColour(const QColor &colour);
};
