#include "scrollspeed.h"

int ScrollSpeed::tickInterval(int speed)
{
    if (speed >= 1 && speed <= 5)
        return 50 / speed;
    if (speed == 6)
        return 5;
    if (speed >= 7 && speed <= 10)
        return 2;
    return -1;
}

int ScrollSpeed::step(int speed, int fontSize, int direction)
{
    if (direction != 0 || fontSize < 48)
        return 1;
    switch (speed) {
    case 8:
        return 2;
    case 9:
        return 3;
    case 10:
        return 4;
    default:
        return 1;
    }
}

double ScrollSpeed::pixelsPerSecond(int speed, int fontSize, int direction)
{
    const int interval = tickInterval(speed);
    if (interval <= 0)
        return 0.0;
    return step(speed, fontSize, direction) * 1000.0 / interval;
}

int ScrollSpeed::Track::startX() const
{
    return direction == 0 ? rendererWidth : -textWidth;
}

int ScrollSpeed::Track::ticksPerPass() const
{
    // Right to left: x = W - k*s wraps on the first k with x < -(T + F).
    // Left to right: x = -T + k*s wraps on the first k with x > W + F.
    const long long distance = static_cast<long long>(rendererWidth) + textWidth + fontSize;
    const int s = step(speed, fontSize, direction);
    if (distance < 0)
        return 1;
    return static_cast<int>(distance / s + 1);
}

int ScrollSpeed::Track::xAfterTicks(long long ticks) const
{
    const int s = step(speed, fontSize, direction);
    const long long inPass = ticks % ticksPerPass();
    return direction == 0 ? static_cast<int>(rendererWidth - inPass * s)
                          : static_cast<int>(-textWidth + inPass * s);
}

long long ScrollSpeed::Track::ticksAfter(long long elapsedMs) const
{
    const int interval = tickInterval(speed);
    if (interval <= 0 || elapsedMs <= 0)
        return 0;
    return elapsedMs / interval;
}

long long ScrollSpeed::Track::msToFirstWrap() const
{
    const int interval = tickInterval(speed);
    if (interval <= 0)
        return -1;
    return static_cast<long long>(ticksPerPass()) * interval;
}
