#pragma once

#include <QList>
#include <QString>

#include <bitset>
#include <functional>

class KeypadTable;
struct KeypadEntry;

// Which keypads a meeting counts. A meeting with a roster counts the keypads of its delegates and no
// other: a keypad left on in the hall, or one of the next room's, must never make a delegate present or
// add a vote. A meeting without a roster counts every keypad up to the keypad count, as it always has.
class CountedKeypads
{
public:
    // Every keypad counts.
    CountedKeypads() = default;
    // The roster's keypad numbers, as stored (`CellNo` texts); numbers that name no keypad are left out.
    static CountedKeypads fromRoster(const QStringList &CellNo);

    bool hasRoster() const { return m_hasRoster; }
    bool counts(int keypad) const;
    // The keypads 1..keypadCount that count.
    QList<int> countedUpTo(int keypadCount) const;
    // Keypads 1..keypadCount off the roster for which `reported` holds: shown to the operator, never counted.
    QList<int> strangers(const KeypadTable &table, int keypadCount,
                         const std::function<bool(const KeypadEntry &)> &reported) const;

    // "3, 9-56, 60": keypad numbers in ascending order, runs joined.
    static QString listText(const QList<int> &keypads);

private:
    bool m_hasRoster = false;
    std::bitset<256> m_roster;
};
