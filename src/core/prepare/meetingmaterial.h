#pragma once

#include <QString>

class DataRoot;

// The files of a meeting besides its database, below the data root: the material folder
// MeeFile/<meeting stamp>/ with the motions' content documents, and the banner documents in
// MeeFile/Meebanner/. Stamps and document names come from stored rows, so each must name one entry of
// its folder; a path is empty when it does not, and nothing is then read, written or deleted (an empty
// stamp would otherwise name MeeFile/ itself, with every meeting's material in it).
namespace MeetingMaterial {

bool isPlainName(const QString &name);

// The document name of a stamp: "<stamp>.rtf".
QString documentName(const QString &stamp);

QString folderPath(const DataRoot &root, const QString &meetingStamp);
QString bannerFolderPath(const DataRoot &root);
QString bannerPath(const DataRoot &root, const QString &bannerName);
QString contentPath(const DataRoot &root, const QString &meetingStamp, const QString &documentName);

} // namespace MeetingMaterial
