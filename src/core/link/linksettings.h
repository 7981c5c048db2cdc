#pragma once

// The four installation settings the link works with. The system settings record supplies them; until it
// is read, these defaults stand.
struct LinkSettings
{
    int keypadCount = 100;  // highest keypad polled: every pass covers 1 .. keypadCount
    int reservedCount = 1;  // lowest keypads that clearing all requests leaves alone
    int lowestPort = 1;     // first COM port number the search tries
    int highestPort = 8;    // last COM port number the search tries

    bool operator==(const LinkSettings &) const = default;
};
