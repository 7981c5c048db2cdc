#include "core/base/profiledocument.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool enclosedInQuotes(QStringView text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

bool hasLineBreakOrNul(QStringView text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
}

QString decodeWith(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding);
    return decoder(bytes);
}

} // namespace

QStringView ProfileDocument::trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool ProfileDocument::sameName(QStringView a, QStringView b)
{
    return trimmedBlanks(a).compare(trimmedBlanks(b), Qt::CaseInsensitive) == 0;
}

QString ProfileDocument::decode(const QByteArray &bytes)
{
    QString text;
    const QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF")) {
        text = decodeWith(QStringConverter::Utf8, view.sliced(3));
    } else if (view.startsWith("\xFF\xFE")) {
        text = decodeWith(QStringConverter::Utf16LE, view.sliced(2));
    } else if (view.startsWith("\xFE\xFF")) {
        text = decodeWith(QStringConverter::Utf16BE, view.sliced(2));
    } else {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = utf8(view);
        if (utf8.hasError()) {
            // Files of older installations were written in the Chinese ANSI code page. Without a decoder
            // for it the text is still read, with replacement characters where the bytes do not fit.
            QStringDecoder legacy("GB18030", QStringConverter::Flag::Stateless);
            if (legacy.isValid())
                text = legacy(view);
        }
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

ProfileDocument ProfileDocument::fromBytes(const QByteArray &bytes)
{
    return fromText(decode(bytes));
}

ProfileDocument ProfileDocument::fromText(QStringView text)
{
    ProfileDocument document;
    if (text.startsWith(QChar(0xFEFF)))
        text = text.sliced(1);
    if (text.isEmpty())
        return document;
    if (text.endsWith(u'\n'))
        text.chop(1);
    bool crlf = false;
    for (QStringView line : text.split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
            crlf = true;
        }
        document.m_lines.append(parse(line.toString()));
    }
    if (crlf)
        document.m_newline = QStringLiteral("\r\n");
    return document;
}

ProfileDocument::Line ProfileDocument::parse(const QString &text)
{
    Line line;
    line.text = text;
    const QStringView content = trimmedBlanks(text);
    if (content.startsWith(u'[')) {
        const qsizetype close = content.indexOf(u']');
        line.kind = Kind::Section;
        line.name = trimmedBlanks(content.sliced(1, (close < 0 ? content.size() : close) - 1)).toString();
        return line;
    }
    if (content.startsWith(u';'))
        return line;
    const qsizetype equals = content.indexOf(u'=');
    if (equals < 0)
        return line;
    const QStringView key = trimmedBlanks(content.first(equals));
    if (key.isEmpty())
        return line;
    QStringView value = trimmedBlanks(content.sliced(equals + 1));
    if (enclosedInQuotes(value))
        value = value.sliced(1, value.size() - 2);
    line.kind = Kind::Entry;
    line.name = key.toString();
    line.value = value.toString();
    return line;
}

QString ProfileDocument::toText() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.text + m_newline;
    return text;
}

QByteArray ProfileDocument::toBytes() const
{
    return toText().toUtf8();
}

qsizetype ProfileDocument::findSection(QStringView section, qsizetype from) const
{
    for (qsizetype i = from; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, section))
            return i;
    }
    return -1;
}

qsizetype ProfileDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

std::optional<QString> ProfileDocument::value(QStringView section, QStringView key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Entry && sameName(m_lines[i].name, key))
            return m_lines[i].value;
    }
    return std::nullopt;
}

bool ProfileDocument::hasSection(QStringView section) const
{
    return findSection(section) >= 0;
}

QStringList ProfileDocument::sectionNames() const
{
    QStringList names;
    for (const Line &line : m_lines) {
        if (line.kind != Kind::Section)
            continue;
        const bool known = std::any_of(names.cbegin(), names.cend(),
                                       [&](const QString &name) { return sameName(name, line.name); });
        if (!known)
            names.append(line.name);
    }
    return names;
}

QStringList ProfileDocument::keys(QStringView section) const
{
    QStringList keys;
    const qsizetype header = findSection(section);
    if (header < 0)
        return keys;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (m_lines[i].kind != Kind::Entry)
            continue;
        QStringView spelled = QStringView(m_lines[i].text);
        spelled = spelled.first(spelled.indexOf(u'='));
        while (!spelled.isEmpty() && isBlank(spelled.front()))
            spelled = spelled.sliced(1);
        keys.append(spelled.toString());
    }
    return keys;
}

QList<ProfileDocument::Entry> ProfileDocument::entries() const
{
    QList<Entry> entries;
    const Line *header = nullptr;
    for (const Line &line : m_lines) {
        if (line.kind == Kind::Section)
            header = &line;
        else if (line.kind == Kind::Entry && header)
            entries.append({header->name, line.name, line.value});
    }
    return entries;
}

QString ProfileDocument::encodeValue(QStringView value)
{
    if (trimmedBlanks(value).size() != value.size() || enclosedInQuotes(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value.toString();
}

bool ProfileDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    const QStringView sectionName = trimmedBlanks(section);
    const QStringView keyName = trimmedBlanks(key);
    if (sectionName.isEmpty() || hasLineBreakOrNul(sectionName) || sectionName.contains(u'[') ||
        sectionName.contains(u']'))
        return false;
    if (keyName.isEmpty() || hasLineBreakOrNul(keyName) || keyName.contains(u'=') ||
        keyName.startsWith(u'[') || keyName.startsWith(u';'))
        return false;
    if (hasLineBreakOrNul(value))
        return false;

    const QString encoded = encodeValue(value);
    // A new key keeps a blank that ends it: some catalogue keys are spelled that way.
    QStringView spelledKey = key;
    while (!spelledKey.isEmpty() && isBlank(spelledKey.front()))
        spelledKey = spelledKey.sliced(1);

    const qsizetype header = findSection(sectionName);
    if (header < 0) {
        if (!m_lines.isEmpty() && !trimmedBlanks(m_lines.back().text).isEmpty())
            m_lines.append(parse(QString()));
        m_lines.append(parse(QLatin1Char('[') + sectionName + QLatin1Char(']')));
        m_lines.append(parse(spelledKey + QLatin1Char('=') + encoded));
        return true;
    }

    const qsizetype end = sectionEnd(header);
    qsizetype insertAt = header + 1;
    for (qsizetype i = header + 1; i < end; ++i) {
        Line &line = m_lines[i];
        if (line.kind != Kind::Entry)
            continue;
        if (sameName(line.name, keyName)) {
            const QStringView writtenKey = QStringView(line.text).first(line.text.indexOf(u'='));
            line = parse(writtenKey + QLatin1Char('=') + encoded);
            return true;
        }
        insertAt = i + 1;
    }
    m_lines.insert(insertAt, parse(spelledKey + QLatin1Char('=') + encoded));
    return true;
}

bool ProfileDocument::removeKey(QStringView section, QStringView key)
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return false;
    bool removed = false;
    qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end;) {
        if (m_lines[i].kind == Kind::Entry && sameName(m_lines[i].name, key)) {
            m_lines.removeAt(i);
            --end;
            removed = true;
        } else {
            ++i;
        }
    }
    return removed;
}

bool ProfileDocument::removeSection(QStringView section)
{
    bool removed = false;
    for (qsizetype header = findSection(section); header >= 0; header = findSection(section, header)) {
        // Lines after the last entry (blank lines, a comment about the next section) stay.
        qsizetype end = header + 1;
        const qsizetype next = sectionEnd(header);
        for (qsizetype i = header + 1; i < next; ++i) {
            if (m_lines[i].kind == Kind::Entry)
                end = i + 1;
        }
        m_lines.remove(header, end - header);
        removed = true;
    }
    return removed;
}
