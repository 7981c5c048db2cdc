#include "core/link/keypadtable.h"

#include <algorithm>

const KeypadEntry &KeypadTable::at(int n) const
{
    static const KeypadEntry empty;
    return isKeypadNumber(n) ? m_entries[size_t(n)] : empty;
}

KeypadEntry *KeypadTable::entry(int n)
{
    return isKeypadNumber(n) ? &m_entries[size_t(n)] : nullptr;
}

void KeypadTable::clearAnswered()
{
    for (auto &e : m_entries)
        e.answered = 0;
}

void KeypadTable::clearSignedIn()
{
    for (auto &e : m_entries)
        e.signedIn = 0;
}

void KeypadTable::clearKeyCodes()
{
    for (auto &e : m_entries)
        e.keyCode = 0;
}

void KeypadTable::clearRequests(int first, int last)
{
    for (int n = std::max(first, FirstKeypad); n <= std::min(last, LastKeypad); ++n)
    {
        m_entries[size_t(n)].request = 0;
        m_entries[size_t(n)].waiting = 0;
    }
}

void KeypadTable::reset()
{
    m_entries.fill(KeypadEntry{});
}
