#pragma once

#include <array>

// What one keypad last reported.
struct KeypadEntry
{
    int request = 0;   // speaking request or request indication; in speech management, microphone open
    int waiting = 0;   // asked for the floor and waits for a free microphone
    int answered = 0;  // answered a roll call
    int excluded = 0;  // left out of the sign-in lists, shown apart in speech management
    int signedIn = 0;
    int keyCode = 0;   // one bit per choice key 1..5, 0 for no answer
};

// The console's live picture of every keypad, indexed by keypad number. Entries 0 and 250 exist so that
// any number the line can carry indexes safely; only 1..249 ever name a keypad.
class KeypadTable
{
public:
    static constexpr int FirstKeypad = 1;
    static constexpr int LastKeypad = 249;

    static bool isKeypadNumber(int n) { return n >= FirstKeypad && n <= LastKeypad; }

    // Out-of-range numbers read as an empty entry and are never written.
    const KeypadEntry &at(int n) const;
    KeypadEntry *entry(int n);

    void clearAnswered();
    void clearSignedIn();
    void clearKeyCodes();
    // Clears the request and waiting flags of keypads first..last, within 1..249.
    void clearRequests(int first, int last);
    void reset();

private:
    std::array<KeypadEntry, 251> m_entries{};
};
