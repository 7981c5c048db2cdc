#pragma once

#include "core/store/delegaterecord.h"

#include <QList>
#include <QString>

// A row of a roster file that the roster's rules refuse, and why.
struct RosterRefusal
{
    enum class Reason
    {
        Keypad,  // no keypad number from 1 to the highest the roster takes
        Name,    // no name
        TooLong, // a text longer than its column holds; `column` names it
        Twice,   // the keypad number is on an earlier row of the file; `earlierRow` names it
        Used,    // the keypad number belongs to a delegate of the meeting already
    };

    int row = 0; // as the spreadsheet program numbers it: the heading row is 1
    QString keypad;
    QString name;
    Reason reason = Reason::Keypad;
    int column = -1;
    int earlierRow = 0;

    bool operator==(const RosterRefusal &) const = default;
};

// What an import makes of a roster file: the delegates it stores, in the file's order, and the rows it
// refuses.
struct RosterImport
{
    QList<DelegateRecord> delegates;
    QList<RosterRefusal> refused;
};
