#pragma once

#include <QPoint>
#include <QSize>

// Where the fixed-size hub windows go on the operator's screen.
namespace WindowPlacement {

inline constexpr QSize HubSize{1024, 741};

struct Placement
{
    QPoint position;
    // The screen is narrower than the window: the operator is warned, the window is placed all the same.
    bool tooNarrow;
};

// Centred, a little above the middle to leave room for the task bar; integer division as the layout
// was drawn for.
Placement centred(QSize screen, QSize window = HubSize);

} // namespace WindowPlacement
