#pragma once

#include <Qt>

class QObject;
class QTimer;

namespace Timers {

// A stopped timer owned by `parent`. The controllers keep their timers as members and start and stop them
// by their steps; the work of each is a method of its own that tests call directly.
QTimer *make(QObject *parent, int ms, bool singleShot, Qt::TimerType type = Qt::CoarseTimer);

} // namespace Timers
