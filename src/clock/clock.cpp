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
