#include "core/shell/systemtype.h"

#include "core/store/textnumber.h"

SystemType systemTypeOf(const QString &function)
{
    switch (textNumber(function)) {
    case 1:
    case 3:
        return SystemType::VotingOnly;
    case 0:
    case 2:
        return SystemType::Discussion;
    default:
        return SystemType::Neither;
    }
}
