#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The text of one profile (INI) file, held line by line so that a change touches only the line it is about:
// comments, blank lines, the order of sections and keys and the spelling of every other line stay as they
// were. The rules are those of the profile-string calls the installation's files were written for:
//
// - "[name]" opens a section; "key=value" is an entry of the section above it; any other line is kept
//   and ignored (";" comments among them).
// - Section and key names match without regard to case and to blanks around them, so "MsgClew " in a
//   call finds the line "MsgClew =..." and the other way round. The first section and the first key of a
//   name win when a file holds two.
// - A value loses the blanks around it and one pair of enclosing double or single quotes.
//
// Blanks here are space, tab, vertical tab and form feed: a full-width space in a Chinese text is part of
// the text.
class ProfileDocument final
{
public:
    ProfileDocument() = default;

    // Reads the bytes of a file: UTF-8 with or without byte-order mark, UTF-16 LE or BE with byte-order
    // mark, and, when the bytes are not valid UTF-8, the legacy Chinese code page GB18030.
    static ProfileDocument fromBytes(const QByteArray &bytes);
    static ProfileDocument fromText(QStringView text);
    static QString decode(const QByteArray &bytes);

    // The file as UTF-8 without byte-order mark, with the line ends it was read with ("\n" for a new one).
    QByteArray toBytes() const;
    QString toText() const;

    bool isEmpty() const { return m_lines.isEmpty(); }

    // The value of key in section; none when the section or the key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;
    bool hasSection(QStringView section) const;
    // Section names in file order, each once, spelled as in its first header.
    QStringList sectionNames() const;
    // The keys of the (first) section so named, in file order, spelled as written before the "=" with
    // leading blanks removed (a trailing blank that belongs to a key stays).
    QStringList keys(QStringView section) const;

    struct Entry
    {
        QString section; // as in the header the entry sits under
        QString key;     // without blanks around it
        QString value;
    };
    // Every entry that belongs to a section, in file order, duplicates included.
    QList<Entry> entries() const;

    // Replaces the key's line in place, or adds the key at the end of its section, or adds the section at
    // the end of the file. Refuses (false, nothing changed) a name or value that would break the file or
    // read back differently: an empty or blank name, a line break anywhere, "=" in a key, "]" in a section
    // name, a key that would read as a section header or a comment. A value with blanks at its ends or
    // enclosing quotes is written in quotes so that it reads back as given.
    bool setValue(QStringView section, QStringView key, QStringView value);
    // Removes every line of the key in the (first) section so named. True when a line was removed.
    bool removeKey(QStringView section, QStringView key);
    // Removes every section so named: its header and the lines up to its last entry. True when a section
    // was removed.
    bool removeSection(QStringView section);

    static bool sameName(QStringView a, QStringView b);
    static QStringView trimmedBlanks(QStringView text);

private:
    enum class Kind
    {
        Other,
        Section,
        Entry
    };
    struct Line
    {
        QString text;
        Kind kind = Kind::Other;
        QString name; // section name or key, blanks removed
        QString value;
    };

    static Line parse(const QString &text);
    static QString encodeValue(QStringView value);
    qsizetype findSection(QStringView section, qsizetype from = 0) const;
    qsizetype sectionEnd(qsizetype header) const;

    QList<Line> m_lines;
    QString m_newline = QStringLiteral("\n");
};
