#pragma once

#include "core/base/profiledocument.h"

#include <QString>

#include <functional>

// A profile (INI) file with the semantics of the platform's profile-string calls, which the seat plan, the
// camera presets and the text catalogue were written for. Not QSettings: that rewrites the whole file in
// its own layout and escapes what it does not like, while these files are edited by hand and must keep
// their comments, order and spelling.
//
// Every call opens and closes the file: a read sees what is on disk now. A missing file, section or key
// reads as empty. A write goes to a temporary file that then replaces the old one, so a crash leaves
// either the old file or the new one, never half of one. Files are read in UTF-8, UTF-16 with a byte-order
// mark or the legacy Chinese code page (see ProfileDocument), and written in UTF-8.
class ProfileFile final
{
public:
    // The platform call reads into a buffer of 256 characters: at most 255 come back.
    static constexpr qsizetype ValueLimit = 255;

    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }

    // The value cut to `limit` characters; empty when the file, the section or the key is missing.
    QString readString(const QString &section, const QString &key, qsizetype limit = ValueLimit) const;
    // The value as a decimal number; `fallback` when the key is missing, 0 when the value is not a number.
    int readInt(const QString &section, const QString &key, int fallback = 0) const;

    // Each of these is one read and one write of the file. False when the file could not be read or
    // written, or the name or value is refused (ProfileDocument::setValue); the file is then unchanged.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool deleteKey(const QString &section, const QString &key);
    bool deleteSection(const QString &section);

    // The whole file, for callers that read many keys at once; empty when missing or unreadable.
    ProfileDocument read() const;
    // Several changes with one write: `change` edits the document read from the file and returns false to
    // abandon the edit. Nothing is written when the file exists but cannot be read, so an unreadable file
    // is never replaced by a nearly empty one.
    bool edit(const std::function<bool(ProfileDocument &)> &change);
    // Replaces the whole file.
    bool write(const ProfileDocument &document);

    // `value` cut to `limit` UTF-16 units, never between the two halves of a surrogate pair.
    static QString cut(const QString &value, qsizetype limit);
    // Leading blanks, an optional sign and the digits that follow; anything else ends the number.
    // No digits give 0; a number beyond the range of int is held at its end.
    static int toInt(QStringView text);

private:
    enum class Load
    {
        Read,
        Missing,
        Failed
    };
    Load load(ProfileDocument &document) const;

    QString m_path;
};
