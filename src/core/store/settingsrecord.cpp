#include "core/store/settingsrecord.h"

#include "core/store/textnumber.h"

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
    settings.keypadCount = textNumber(record.cellnum);
    settings.reservedCount = textNumber(record.cinnum);
    settings.lowestPort = textNumber(record.comlow);
    settings.highestPort = textNumber(record.comHigh);
    return settings;
}
