#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Reads the plain text files the text player shows: UTF-8 or UTF-16 with a byte-order mark, UTF-8
// without one when the bytes are valid UTF-8, and otherwise the legacy Chinese code page the halls' files
// were saved in. Lines come back each followed by "\n", whatever ended them in the file.
class TextFileReader final
{
public:
    TextFileReader() = delete;

    static QString decode(QByteArrayView bytes);
    // None when the file cannot be read.
    static std::optional<QString> read(const QString &path);
};
