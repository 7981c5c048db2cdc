#pragma once

#include <QImage>
#include <QString>

class DataRoot;

// The room picture behind the seat plan. `ico` names it by a plain file name. Pictures the operator
// imports live in a folder of their own, System/photo/room/, so an import can never replace the
// console's own pictures in System/photo/ (the window backgrounds and buttons) and removing the room
// picture can only delete a picture the plan imported. Plans of older installations named a file in
// System/photo/ itself; such a picture is still shown, but never deleted.
class RoomPicture final
{
public:
    static QString relativeFolder() { return QStringLiteral("System/photo/room"); }
    // Larger pictures are scaled down on conversion: a hall of 255 seats needs about 1,500 pixels.
    static constexpr int MaxConvertedSide = 4096;

    enum class Import
    {
        Imported,
        Unreadable,  // the chosen file cannot be read
        NotAPicture, // it holds no picture
        SameFile,    // it is the imported copy itself
        WriteFailed, // the copy could not be written
    };

    explicit RoomPicture(const DataRoot &root);

    QString folder() const { return m_folder; }

    // Copies the picture into the room folder as a BMP file named after it ("hall.png" becomes
    // "hall.bmp"), written under a temporary name and renamed; `ico` receives the new name.
    Import import(const QString &sourcePath, QString &ico) const;
    // The picture `ico` names; null when there is none or it cannot be read.
    QImage load(const QString &ico) const;
    // Deletes the imported picture `ico` names. Anything but a plain file name of the room folder is
    // left alone (and reported as not deleted).
    bool remove(const QString &ico) const;

    // A file name without any folder in it: no separators, not "." or "..".
    static bool isPlainName(const QString &ico);

private:
    QString m_folder;
    QString m_photoFolder;
};
