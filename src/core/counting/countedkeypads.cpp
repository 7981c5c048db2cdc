#include "core/counting/countedkeypads.h"

#include "core/link/keypadtable.h"
#include "core/store/textnumber.h"

#include <QStringList>

CountedKeypads CountedKeypads::fromRoster(const QStringList &CellNo)
{
    CountedKeypads counted;
    counted.m_hasRoster = !CellNo.isEmpty();
    for (const QString &text : CellNo) {
        const int n = textNumber(text);
        if (KeypadTable::isKeypadNumber(n))
            counted.m_roster.set(size_t(n));
    }
    return counted;
}

bool CountedKeypads::counts(int keypad) const
{
    if (!KeypadTable::isKeypadNumber(keypad))
        return false;
    return !m_hasRoster || m_roster.test(size_t(keypad));
}

QList<int> CountedKeypads::countedUpTo(int keypadCount) const
{
    QList<int> keypads;
    for (int n = KeypadTable::FirstKeypad; n <= std::min(keypadCount, KeypadTable::LastKeypad); ++n)
        if (counts(n))
            keypads.append(n);
    return keypads;
}

QList<int> CountedKeypads::strangers(const KeypadTable &table, int keypadCount,
                                     const std::function<bool(const KeypadEntry &)> &reported) const
{
    QList<int> keypads;
    if (!m_hasRoster)
        return keypads;
    for (int n = KeypadTable::FirstKeypad; n <= std::min(keypadCount, KeypadTable::LastKeypad); ++n)
        if (!counts(n) && reported(table.at(n)))
            keypads.append(n);
    return keypads;
}

QString CountedKeypads::listText(const QList<int> &keypads)
{
    QStringList parts;
    for (qsizetype i = 0; i < keypads.size();) {
        qsizetype j = i;
        while (j + 1 < keypads.size() && keypads[j + 1] == keypads[j] + 1)
            ++j;
        parts.append(j == i ? QString::number(keypads[i])
                            : QString::number(keypads[i]) + QLatin1Char('-') + QString::number(keypads[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}
