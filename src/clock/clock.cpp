#include "clock.h"

#include "wallclock.h"

namespace {
Clock *installedClock = nullptr;
} // namespace

Clock::~Clock()
{
    if (installedClock == this)
        installedClock = nullptr;
}

qint64 Clock::msecsSinceEpoch() const
{
    return now().toMSecsSinceEpoch();
}

Clock &Clock::current()
{
    if (installedClock)
        return *installedClock;
    static WallClock wall;
    return wall;
}

void Clock::setCurrent(Clock *clock)
{
    installedClock = clock;
}
