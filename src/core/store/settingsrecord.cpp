#include "core/store/settingsrecord.h"

#include "core/store/textnumber.h"

#include <QtGlobal>

void SettingsRecord::splitScreenSize(const QString &size, QString &width, QString &height)
{
    const qsizetype star = size.indexOf(QLatin1Char('*'));
    if (star < 0) {
        width = size;
        height.clear();
        return;
    }
    width = size.left(star);
    height = size.mid(star + 1).remove(QLatin1Char('*'));
}

LinkSettings linkSettingsFrom(const SettingsRecord &record)
{
    LinkSettings settings;
    // Keypads are numbered 1..249 on the line: a larger count would poll numbers no keypad can carry, and
    // 0 would end every poll pass at once, so a sign-in or ballot could never hear a keypad.
    settings.keypadCount = qBound(1, textNumber(record.cellnum), 249);
    settings.reservedCount = textNumber(record.cinnum);
    settings.lowestPort = textNumber(record.comlow);
    settings.highestPort = textNumber(record.comHigh);
    return settings;
}
