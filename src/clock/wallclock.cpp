#include "wallclock.h"

#include "wallclocktimer.h"

QDateTime WallClock::now() const
{
    return QDateTime::currentDateTime();
}

ClockTimer *WallClock::createTimer(QObject *parent)
{
    return new WallClockTimer(parent);
}

qint64 WallClock::steadyMsecs() const
{
    return WallClockTimer::steadyNow();
}
