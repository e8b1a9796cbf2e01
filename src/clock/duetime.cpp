#include "duetime.h"

#include "clock.h"
#include "clocktimer.h"

DueTime::Begin DueTime::begin(const Clock &clock)
{
    Begin b;
    const qint64 now = clock.steadyMsecs();
    b.at = now;
    const qint64 due = ClockTimer::deliveringDue();
    if (due < 0)
        return b;
    b.lateness = now - due;
    if (b.lateness > absorbedMsecs || b.lateness < -absorbedMsecs)
        b.restarted = true;
    else
        b.at = due;
    return b;
}

int DueTime::intervalAfterBegin(const Clock &clock, int msec)
{
    const qint64 end = begin(clock).at + qMax(0, msec);
    return int(qMax<qint64>(0, end - clock.steadyMsecs()));
}
