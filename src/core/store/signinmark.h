#pragma once

#include <QString>

// What a sign-in stores for one keypad: its number and the signed-in or absent mark.
struct SignInMark
{
    QString CellNo;
    QString sign;
};
