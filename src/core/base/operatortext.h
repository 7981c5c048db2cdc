#pragma once

#include <QString>
#include <QStringList>

// A text shown to the operator: either an entry of the text catalogue (section and key, looked up in the
// current language file when it is shown) or a text that stands as it is, such as an engine's own error
// message. Keeping the key rather than the looked-up text lets tests assert exactly which message appeared.
struct OperatorText
{
    QString section;
    QString key;
    QString literal;
    // Filled into the catalogue text's %1, %2, ... when it is shown: keypad numbers, ports, stored results.
    QStringList args;

    static OperatorText catalogue(const QString &section, const QString &key, QStringList args = {})
    {
        return {section, key, {}, std::move(args)};
    }
    static OperatorText plain(const QString &text) { return {{}, {}, text, {}}; }

    bool isCatalogue() const { return !key.isEmpty(); }
    bool operator==(const OperatorText &) const = default;
};
