#include "core/base/timers.h"

#include <QTimer>

namespace Timers {

QTimer *make(QObject *parent, int ms, bool singleShot, Qt::TimerType type)
{
    auto *timer = new QTimer(parent);
    timer->setTimerType(type);
    timer->setInterval(ms);
    timer->setSingleShot(singleShot);
    return timer;
}

} // namespace Timers
