#include "core/shell/windowplacement.h"

namespace WindowPlacement {

Placement centred(QSize screen, QSize window)
{
    return {QPoint((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2 - 16),
            screen.width() < window.width()};
}

} // namespace WindowPlacement
