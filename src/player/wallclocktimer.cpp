#include "wallclocktimer.h"

WallClockTimer::WallClockTimer(QObject *parent)
    : ClockTimer(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ClockTimer::timeout);
}

void WallClockTimer::start()
{
    m_timer.start();
}

void WallClockTimer::stop()
{
    m_timer.stop();
}

void WallClockTimer::setInterval(int msec)
{
    m_timer.setInterval(msec);
}

int WallClockTimer::interval() const
{
    return m_timer.interval();
}

void WallClockTimer::setSingleShot(bool singleShot)
{
    m_timer.setSingleShot(singleShot);
}

bool WallClockTimer::isSingleShot() const
{
    return m_timer.isSingleShot();
}

bool WallClockTimer::isActive() const
{
    return m_timer.isActive();
}

int WallClockTimer::remainingTime() const
{
    return m_timer.remainingTime();
}
