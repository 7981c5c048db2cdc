#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The faces the screens were designed with ("黑体" for tables and chart texts, Arial for messages) are
// Windows fonts. This maps them, and any face a setting names, to installed families that have the
// glyphs, always with a Chinese-capable family behind, so a name or a caption never shows as boxes.
class DisplayFonts final
{
public:
    DisplayFonts() = delete;

    // The installed family standing in for "黑体": a plain heavy sans with Chinese glyphs.
    static QString heiFamily();
    // The installed family standing in for Arial.
    static QString arialFamily();

    // Families for a face name as a setting stores it: the face itself when installed, else its
    // stand-in; each list ends with the Chinese-capable family.
    static QStringList familiesFor(const QString &face);

    // Sizes are kept in tenths of a point and the screens are laid out in pixels of a 96-dpi display, so
    // the pixel size is fixed here rather than by the paint device's resolution; a page then scales like
    // the screen it imitates.
    static int pixelSizeFromTenths(int tenths);

    static QFont hei(int pixelSize);
    static QFont arial(int pixelSize);
    // A font for a face name and a size in tenths of a point.
    static QFont font(const QString &face, int tenths);
};
