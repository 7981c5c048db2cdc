#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// Every picture the console's windows load, with the SVG it is drawn from. The windows name these files
// and rely on their sizes (they are copied unscaled), so the list is fixed here rather than taken from
// whatever lies in the source folder.
class ArtworkPlan final
{
public:
    enum class Kind
    {
        Background, // one opaque .bmp
        Button,     // one .png per button state, transparent around the tile
        Icon,       // .png at the full size plus the small sizes a window icon needs
        Picture     // one .png, transparent where the drawing leaves it so
    };

    struct Item
    {
        QString source; // file name in data/artwork
        QString output; // base name of the rendered file(s)
        QSize size;
        Kind kind = Kind::Background;
    };

    static QList<Item> items();
    static QList<int> smallIconSizes();
    // The file names written for one item, in the output folder.
    static QStringList outputFiles(const Item &item);
};
