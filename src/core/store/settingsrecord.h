#pragma once

#include "core/link/linksettings.h"

#include <QString>

// The basic settings of the installation: the one `sysbasicset` row, all values as texts. Every window
// that needs a setting loads its own copy when it needs it, so a change saved by the settings window is
// seen by every later load.
struct SettingsRecord
{
    QString cellnum;      // keypads in use: 1 .. cellnum are polled and shown
    QString cinnum;       // reserved keypads that clearing all requests leaves alone
    QString comHigh;      // last COM port number the base-station search tries
    QString comlow;       // first COM port number the search tries
    QString ScrSize;      // big-screen size, "width*height"
    QString ScrColor;     // big-screen background, decimal 0x00BBGGRR
    QString ScrTextColor; // big-screen text colour, same encoding
    QString SeatYesORNo;  // seat-plan selection
    QString ico;          // seat-plan picture in System/photo/
    QString UserPass;     // operator password, compared exactly
    QString per;          // "1" ticked, "2" not: show percentages by default
    QString Pass;         // "1" ticked, "2" not: show the verdict by default
    QString mark;         // scores of keys 1..5, "%d:%d:%d:%d:%d:"

    bool operator==(const SettingsRecord &) const = default;

    // Splits a screen size at its first "*": the width is what stands before it, the height what follows
    // with any further "*" dropped. A text without "*" is all width.
    static void splitScreenSize(const QString &size, QString &width, QString &height);
};

// The link's settings as the settings record gives them; non-numeric texts read as 0.
LinkSettings linkSettingsFrom(const SettingsRecord &record);
