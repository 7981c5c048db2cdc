#pragma once

#include <QString>

// The folder that holds System/, Data/ and the rest of an installation's files. Every path the system
// uses is formed from it, so a test or a second installation only has to point it elsewhere.
class DataRoot
{
public:
    explicit DataRoot(QString path);

    // The executable's folder when it holds System/ (a portable installation), else the per-user
    // application data folder. An explicit folder (the --data-dir option) wins over both.
    static DataRoot locate(const QString &explicitPath = {});

    const QString &path() const { return m_path; }
    // `relative` uses forward slashes, e.g. "System/SystemData.db".
    QString filePath(const QString &relative) const;
    // Where the simulator or an administrator links the device of COM port n.
    QString comLinkPath(int portNumber) const;

    // Copies what an installation ships below System/ (language files, pictures) from each shipped folder
    // into this root, leaving every file that is already there untouched: a new root gets everything, an
    // existing one gains only what a newer version added, and nothing the operator changed is lost.
    // Files are written under a temporary name and renamed. False when a file could not be copied.
    bool seedFrom(const QStringList &shippedFolders) const;

private:
    QString m_path;
};
