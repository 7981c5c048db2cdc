#include "core/conduct/keypadmonitorcontroller.h"

#include "core/link/link.h"
#include "core/base/timers.h"

#include <QTimer>

KeypadMonitorController::Cell KeypadMonitorController::cellOf(int keypad)
{
    return {(keypad - 1) % RowsPerColumn, (keypad - 1) / RowsPerColumn};
}

int KeypadMonitorController::columnPairs(int keypadCount)
{
    return keypadCount <= 0 ? 0 : (keypadCount - 1) / RowsPerColumn + 1;
}

KeypadMonitorController::KeypadMonitorController(Link &link, QObject *parent)
    : QObject(parent), m_link(link), m_startTimer(Timers::make(this, 500, true)),
      m_watchTimer(Timers::make(this, 500, false)), m_finishTimer(Timers::make(this, 1000, true))
{
    connect(m_startTimer, &QTimer::timeout, this, &KeypadMonitorController::onStartRollCall);
    connect(m_watchTimer, &QTimer::timeout, this, &KeypadMonitorController::onWatch);
    connect(m_finishTimer, &QTimer::timeout, this, &KeypadMonitorController::onFinish);
}

int KeypadMonitorController::total() const
{
    return m_link.settings().keypadCount;
}

int KeypadMonitorController::answered() const
{
    int count = 0;
    for (int n = 1; n <= total(); ++n)
        count += hasAnswered(n) ? 1 : 0;
    return count;
}

bool KeypadMonitorController::hasAnswered(int keypad) const
{
    return m_link.table().at(keypad).answered != 0;
}

bool KeypadMonitorController::isBaseStationMissing() const
{
    return !m_link.hasBaseStation();
}

void KeypadMonitorController::startCheck()
{
    if (!m_checkEnabled)
        return;
    if (isBaseStationMissing()) {
        emit refreshed();
        return;
    }
    m_link.setTickPeriod(CheckTickMs);
    m_link.table().clearAnswered();
    setCheckEnabled(false);
    m_progress = 0;
    emit listRebuilt();
    m_startTimer->start();
    m_link.post(LinkMode::PlainCommand, Command::PhaseStart);
}

void KeypadMonitorController::onStartRollCall()
{
    m_startTimer->stop();
    m_link.sequencer().take(LinkEvent::RollCallDone);
    m_link.post(LinkMode::MonitorRollCall);
    m_watchTimer->start();
}

void KeypadMonitorController::onWatch()
{
    m_progress += 10;
    if (m_progress >= 100)
        m_progress = 0;
    if (m_link.sequencer().take(LinkEvent::RollCallDone)) {
        m_watchTimer->stop();
        m_progress = 0;
        m_finishTimer->start();
    }
    emit refreshed();
}

void KeypadMonitorController::onFinish()
{
    m_finishTimer->stop();
    m_link.post(LinkMode::PlainCommand, Command::PhaseEnd);
    setCheckEnabled(true);
}

void KeypadMonitorController::close()
{
    m_startTimer->stop();
    m_watchTimer->stop();
    m_finishTimer->stop();
    // The keypads stay in the check's phase until they hear its end; with the timers stopped nobody else
    // would send it.
    if (!m_checkEnabled) {
        m_link.post(LinkMode::PlainCommand, Command::PhaseEnd);
        setCheckEnabled(true);
    }
    m_link.setTickPeriod(NormalTickMs);
    m_link.sequencer().requestShowMainWindow();
}

void KeypadMonitorController::setCheckEnabled(bool enabled)
{
    if (m_checkEnabled == enabled)
        return;
    m_checkEnabled = enabled;
    emit checkEnabledChanged(enabled);
}
