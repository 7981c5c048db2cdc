#pragma once

#include <QString>

// The big-screen size and colour kept by the screen setup window in table `pass`. A null value reads as
// the default the window shows.
struct ScreenSetupRecord
{
    QString ScrSize = QStringLiteral("1024*768");
    QString ScrColor = QStringLiteral("0");

    bool operator==(const ScreenSetupRecord &) const = default;
};
