#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// The main window as the artwork intends it: the background with the seven picture buttons and their
// labels in the grid the background leaves free. Used to judge the set as a whole and for the docs.
class ArtworkPreview final
{
public:
    struct Slot
    {
        QString button; // base name of the button pictures
        QString label;  // stand-in caption; the window takes its captions from the catalogue
        QRect tile;
        QRect labelRect;
    };

    static QList<Slot> mainWindowSlots();
    // Composed from the rendered files in photoDir; a null image when one of them is missing.
    static QImage mainWindow(const QString &photoDir, QString *error);
};
