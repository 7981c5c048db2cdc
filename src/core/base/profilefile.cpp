#include "core/base/profilefile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <limits>

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

ProfileFile::Load ProfileFile::load(ProfileDocument &document) const
{
    QFile file(m_path);
    if (!file.exists())
        return Load::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return Load::Failed;
    document = ProfileDocument::fromBytes(file.readAll());
    return file.error() == QFileDevice::NoError ? Load::Read : Load::Failed;
}

ProfileDocument ProfileFile::read() const
{
    ProfileDocument document;
    if (load(document) != Load::Read)
        return {};
    return document;
}

QString ProfileFile::readString(const QString &section, const QString &key, qsizetype limit) const
{
    return cut(read().value(section, key).value_or(QString()), limit);
}

int ProfileFile::readInt(const QString &section, const QString &key, int fallback) const
{
    const std::optional<QString> value = read().value(section, key);
    return value ? toInt(*value) : fallback;
}

bool ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return edit([&](ProfileDocument &document) { return document.setValue(section, key, value); });
}

bool ProfileFile::deleteKey(const QString &section, const QString &key)
{
    return edit([&](ProfileDocument &document) {
        document.removeKey(section, key);
        return true;
    });
}

bool ProfileFile::deleteSection(const QString &section)
{
    return edit([&](ProfileDocument &document) {
        document.removeSection(section);
        return true;
    });
}

bool ProfileFile::edit(const std::function<bool(ProfileDocument &)> &change)
{
    ProfileDocument document;
    const Load loaded = load(document);
    if (loaded == Load::Failed)
        return false;
    const QByteArray before = loaded == Load::Read ? document.toBytes() : QByteArray();
    if (!change(document))
        return false;
    const QByteArray after = document.toBytes();
    if (loaded == Load::Read && after == before)
        return true;
    if (loaded == Load::Missing && document.isEmpty())
        return true;
    return write(document);
}

bool ProfileFile::write(const ProfileDocument &document)
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = document.toBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString ProfileFile::cut(const QString &value, qsizetype limit)
{
    if (limit < 0 || value.size() <= limit)
        return value;
    qsizetype size = limit;
    if (size > 0 && value.at(size - 1).isHighSurrogate())
        --size;
    return value.first(size);
}

int ProfileFile::toInt(QStringView text)
{
    text = ProfileDocument::trimmedBlanks(text);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    qint64 magnitude = 0;
    constexpr qint64 ceiling = qint64(std::numeric_limits<int>::max()) + 1;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        magnitude = std::min(ceiling, magnitude * 10 + (c.unicode() - u'0'));
    }
    const qint64 number = negative ? -magnitude : magnitude;
    return int(std::clamp<qint64>(number, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
