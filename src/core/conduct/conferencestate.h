#pragma once

// What the windows of one conference share beyond the link: whether a sign-in has been ended. A ballot
// may start only after one has; a sign-in or a late sign-in that is running closes the way again.
struct ConferenceState
{
    bool signInClosed = false;
};
